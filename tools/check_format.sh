#!/usr/bin/env bash
# Fails where a C++ file differs from what clang-format makes of it under .clang-format.
# The style is stated for Debian 12's clang-format 14; another version formats a little
# differently, so there the check is skipped (exit 77) rather than failed.
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
cd "$root"

formatter=$(command -v clang-format-14 || command -v clang-format || true)
if [[ -z $formatter ]]; then
    echo "clang-format is not installed (Debian: apt-get install clang-format)" >&2
    exit 1
fi
version=$("$formatter" --version)
if [[ $version != *"version 14."* ]]; then
    echo "skipped: $version is not clang-format 14" >&2
    exit 77
fi

mapfile -t files < <(find src tests bench tools \( -name '*.cpp' -o -name '*.h' \) -print 2>/dev/null | sort)
unformatted=0
for file in "${files[@]}"; do
    if ! "$formatter" --style=file "$file" | diff -u --label "$file" --label "$file (formatted)" "$file" - >&2; then
        unformatted=$((unformatted + 1))
    fi
done
if ((unformatted)); then
    echo "$unformatted file(s) differ from .clang-format; run: clang-format -i FILE" >&2
    exit 1
fi
echo "${#files[@]} files follow .clang-format"
