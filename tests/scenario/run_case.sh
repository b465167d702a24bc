#!/usr/bin/env bash
# Runs one scenario through the driver and compares what it prints with the expected lines.
# Usage: run_case.sh DRIVER NAME.scenario NAME.expected
# The driver exits 0 only when every command succeeded; a scenario that means to fail says so
# in a first line "# exit N". A first line "# skip: WHY" sets a case aside while WHY holds
# (exit status 77, which CTest reports as skipped). A line "# without resource: FILE" runs the
# driver from a copy of the build tree whose resource folder lacks FILE.
set -u

if [ $# -ne 3 ]; then
    echo "usage: $0 DRIVER SCENARIO EXPECTED" >&2
    exit 2
fi
driver=$1
scenario=$2
expected=$3

want_status=0
first_line=$(head -n 1 "$scenario")
if [[ $first_line =~ ^#[[:space:]]*skip:[[:space:]]*(.*)$ ]]; then
    echo "skipped: ${BASH_REMATCH[1]}"
    exit 77
fi
if [[ $first_line =~ ^#[[:space:]]*exit[[:space:]]+([0-9]+)[[:space:]]*$ ]]; then
    want_status=${BASH_REMATCH[1]}
fi

actual=$(mktemp)
tree=
trap 'rm -f "$actual"; [ -z "$tree" ] || rm -rf "$tree"' EXIT

# The program finds its resources two folders above its executable, so a copy of the executable
# beside a reduced copy of the folder runs without the file.
missing=$(sed -n 's/^#[[:space:]]*without resource:[[:space:]]*\(.*[^[:space:]]\)[[:space:]]*$/\1/p' "$scenario")
if [ -n "$missing" ]; then
    tree=$(mktemp -d)
    mkdir "$tree/bin"
    cp "$driver" "$tree/bin/" || exit 2
    cp -r "$(dirname "$driver")/../Resources" "$tree/Resources" || exit 2
    while IFS= read -r name; do
        [ -e "$tree/Resources/$name" ] || { echo "no resource $name to leave out" >&2; exit 2; }
        rm -rf "${tree:?}/Resources/$name"
    done <<< "$missing"
    driver="$tree/bin/$(basename "$driver")"
fi

# The driver's own noise on stderr is not part of the comparison.
timeout 120 "$driver" < "$scenario" > "$actual"
status=$?

failed=0
if ! diff -u --label expected --label actual "$expected" "$actual"; then
    failed=1
fi
if [ "$status" -ne "$want_status" ]; then
    echo "exit status $status, expected $want_status" >&2
    failed=1
fi
exit $failed
