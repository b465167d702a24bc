#!/usr/bin/env bash
# Fails on an include that reaches up a layer of the framework, or past its public surface.
#
# The layers, lowest first: core, loop, sound, gui, files, runtime. A file in one may include its
# own layer and those below. A public header (include/fw/X.h) belongs to the layer that holds
# X.cpp, or, with no X.cpp, to the highest layer it includes. Public headers include only public
# headers; the program includes the framework only through them. No include climbs out of its
# folder with "..". The scenario driver is a test tool under tests/: like the tests, it may
# include the internals, so nothing here checks it.
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
platform=$root/src/platform
layers=(core loop sound gui files runtime)
declare -A layer_rank
for i in "${!layers[@]}"; do
    layer_rank[${layers[$i]}]=$i
done

# The path that each include directive names, however it is spaced.
included_paths() {
    sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]\([^>"]*\)[>"].*/\1/p' "$1"
}

# Whether an include names a framework folder other than the public one.
is_internal() {
    local first=${1%%/*}
    [[ $1 == */* && (-n ${layer_rank[$first]:-} || $first == include || $first == platform) ]]
}

# The layer of each public header, by name.
declare -A public_rank
rank_public_header() {
    local name=$1 source rank=0 path included
    [[ -n ${public_rank[$name]:-} ]] && return 0
    source=$(cd "$platform" && find . -mindepth 2 -maxdepth 2 -name "$name.cpp" -not -path './include/*' | head -n 1)
    if [[ -n $source ]]; then
        source=${source#./}
        rank=${layer_rank[${source%%/*}]}
    else
        while IFS= read -r path; do
            if [[ $path == fw/* && -f $platform/include/$path ]]; then
                included=$(basename "$path" .h)
                rank_public_header "$included"
                ((public_rank[$included] > rank)) && rank=${public_rank[$included]}
            fi
        done < <(included_paths "$platform/include/fw/$name.h")
    fi
    public_rank[$name]=$rank
}
for header in "$platform"/include/fw/*.h; do
    rank_public_header "$(basename "$header" .h)"
done

failures=0
fail() {
    echo "$1" >&2
    failures=$((failures + 1))
}

# A file of that rank includes something of the target rank.
check_rank() {
    local file=$1 rank=$2 target=$3 path=$4
    ((target > rank)) && fail "$file (${layers[$rank]}) reaches up to ${layers[$target]}: $path"
    return 0
}

# Inside the framework: nothing from a higher layer.
while IFS= read -r file; do
    relative=${file#"$platform"/}
    public=0
    if [[ $relative == include/fw/* ]]; then
        rank=${public_rank[$(basename "$relative" .h)]}
        public=1
    elif [[ -n ${layer_rank[${relative%%/*}]:-} ]]; then
        rank=${layer_rank[${relative%%/*}]}
    else
        fail "$relative: a framework file outside the layers ${layers[*]}"
        continue
    fi
    while IFS= read -r path; do
        if [[ $path == *..* ]]; then
            fail "$relative: an include that climbs out of its folder: $path"
        elif [[ $path == fw/* ]]; then
            name=$(basename "$path" .h)
            if [[ -z ${public_rank[$name]:-} ]]; then
                fail "$relative: no such public header: $path"
            else
                check_rank "$relative" "$rank" "${public_rank[$name]}" "$path"
            fi
        elif is_internal "$path"; then
            target=${layer_rank[${path%%/*}]:-}
            if ((public)); then
                fail "$relative: a public header includes a private one: $path"
            elif [[ -z $target ]]; then
                fail "$relative: an include past the layers: $path"
            else
                check_rank "$relative" "$rank" "$target" "$path"
            fi
        fi
    done < <(included_paths "$file")
done < <(find "$platform" \( -name '*.h' -o -name '*.cpp' \) -print | sort)

# The program: the framework's public headers only.
while IFS= read -r file; do
    while IFS= read -r path; do
        if [[ $path == *..* ]]; then
            fail "${file#"$root"/}: an include that climbs out of its folder: $path"
        elif is_internal "$path"; then
            fail "${file#"$root"/}: the program includes an internal of the framework: $path"
        fi
    done < <(included_paths "$file")
done < <(find "$root/src" -path "$platform" -prune -o \( -name '*.h' -o -name '*.cpp' \) -print | sort)

if ((failures)); then
    echo "$failures include(s) against the layers (docs/framework.md, Structure)" >&2
    exit 1
fi
echo "every include keeps to the layers"
