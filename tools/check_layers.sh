#!/usr/bin/env bash
# Fails on an include that reaches up a layer of the framework, or past its public surface.
#
# The layers, lowest first: core, loop, gui, runtime, then the scenario driver. A file in one may
# include its own layer and those below. A public header (include/fw/X.h) belongs to the layer
# that holds X.cpp, or, with no X.cpp, to the highest layer it includes. Public headers include
# only public headers; the program includes the framework only through them.
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
platform=$root/src/platform
layers=(core loop gui runtime scenario)

rank_of_layer() {
    local i
    for i in "${!layers[@]}"; do
        [[ ${layers[$i]} == "$1" ]] && { echo "$i"; return; }
    done
    echo -1
}

declare -A public_rank
public_rank_of() {
    local name=$1 header=$platform/include/fw/$1.h
    if [[ -n ${public_rank[$name]:-} ]]; then
        echo "${public_rank[$name]}"
        return
    fi
    local source rank=0 included r
    source=$(cd "$platform" && ls -- */"$name.cpp" 2>/dev/null | head -n 1 || true)
    if [[ -n $source ]]; then
        rank=$(rank_of_layer "${source%%/*}")
    else
        while read -r included; do
            r=$(public_rank_of "$included")
            ((r > rank)) && rank=$r
        done < <(sed -n 's|^#include <fw/\([A-Za-z0-9_]*\)\.h>.*|\1|p' "$header")
    fi
    public_rank[$name]=$rank
    echo "$rank"
}

failures=0
fail() {
    echo "$1" >&2
    failures=$((failures + 1))
}

# The rank of what an include line names, or nothing for a header from outside the framework.
included_rank() {
    local line=$1
    if [[ $line =~ ^#include\ \<fw/([A-Za-z0-9_]+)\.h\> ]]; then
        [[ -f $platform/include/fw/${BASH_REMATCH[1]}.h ]] || { echo missing; return; }
        public_rank_of "${BASH_REMATCH[1]}"
    elif [[ $line =~ ^#include\ \"([a-z]+)/ ]]; then
        local r
        r=$(rank_of_layer "${BASH_REMATCH[1]}")
        ((r >= 0)) && echo "$r"
    fi
}

# Inside the framework: nothing from a higher layer.
while IFS= read -r file; do
    relative=${file#"$platform"/}
    if [[ $relative == include/fw/* ]]; then
        name=$(basename "$relative" .h)
        rank=$(public_rank_of "$name")
        public=1
    else
        rank=$(rank_of_layer "${relative%%/*}")
        public=0
    fi
    while IFS= read -r line; do
        if ((public)) && [[ $line == '#include "'* ]]; then
            fail "$relative: a public header includes a private one: $line"
            continue
        fi
        target=$(included_rank "$line")
        [[ -z $target ]] && continue
        if [[ $target == missing ]]; then
            fail "$relative: no such public header: $line"
        elif ((target > rank)); then
            fail "$relative (${layers[$rank]}) reaches up to ${layers[$target]}: $line"
        fi
    done < <(grep '^#include' "$file")
done < <(find "$platform" -name '*.h' -o -name '*.cpp' | sort)

# The program: the framework's public headers only.
while IFS= read -r file; do
    while IFS= read -r line; do
        if [[ $line =~ ^#include\ \"(platform|core|loop|gui|runtime|scenario)/ ]]; then
            fail "${file#"$root"/}: the program includes an internal of the framework: $line"
        fi
    done < <(grep '^#include' "$file")
done < <(find "$root/src" -path "$platform" -prune -o \( -name '*.h' -o -name '*.cpp' \) -print | sort)

if ((failures)); then
    echo "$failures include(s) against the layers (docs/framework.md, Structure)" >&2
    exit 1
fi
echo "every include keeps to the layers"
