#!/usr/bin/env bash
# Fails on an include that reaches up a layer of the framework, or past its public surface.
#
# The layers, lowest first: core, loop, gui, runtime, then the scenario driver. A file in one may
# include its own layer and those below. A public header (include/fw/X.h) belongs to the layer
# that holds X.cpp, or, with no X.cpp, to the highest layer it includes. Public headers include
# only public headers; the program includes the framework only through them. No include climbs
# out of its folder with "..".
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
platform=$root/src/platform
layers=(core loop gui runtime scenario)

# The rank of a layer's name, or -1 for a folder that is no layer.
rank_of_layer() {
    local i
    for i in "${!layers[@]}"; do
        if [[ ${layers[$i]} == "$1" ]]; then
            echo "$i"
            return 0
        fi
    done
    echo -1
}

# The path that each include directive names, however it is spaced.
included_paths() {
    sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]\([^>"]*\)[>"].*/\1/p' "$1"
}

declare -A public_rank
public_rank_of() {
    local name=$1
    if [[ -n ${public_rank[$name]:-} ]]; then
        echo "${public_rank[$name]}"
        return 0
    fi
    local source rank=0 path r
    source=$(cd "$platform" && find . -mindepth 2 -maxdepth 2 -name "$name.cpp" -not -path './include/*' | head -n 1)
    if [[ -n $source ]]; then
        source=${source#./}
        rank=$(rank_of_layer "${source%%/*}")
    else
        while IFS= read -r path; do
            if [[ $path == fw/* && -f $platform/include/$path ]]; then
                r=$(public_rank_of "$(basename "$path" .h)")
                ((r > rank)) && rank=$r
            fi
        done < <(included_paths "$platform/include/fw/$name.h")
    fi
    public_rank[$name]=$rank
    echo "$rank"
}

failures=0
fail() {
    echo "$1" >&2
    failures=$((failures + 1))
}

# Inside the framework: nothing from a higher layer.
while IFS= read -r file; do
    relative=${file#"$platform"/}
    if [[ $relative == include/fw/* ]]; then
        rank=$(public_rank_of "$(basename "$relative" .h)")
        public=1
    else
        rank=$(rank_of_layer "${relative%%/*}")
        public=0
        if ((rank < 0)); then
            fail "$relative: a framework file outside the layers ${layers[*]}"
            continue
        fi
    fi
    while IFS= read -r path; do
        first=${path%%/*}
        if [[ $path == *..* ]]; then
            fail "$relative: an include that climbs out of its folder: $path"
        elif [[ $path == fw/* ]]; then
            if [[ ! -f $platform/include/$path ]]; then
                fail "$relative: no such public header: $path"
                continue
            fi
            target=$(public_rank_of "$(basename "$path" .h)")
            if ((target > rank)); then
                fail "$relative (${layers[$rank]}) reaches up to ${layers[$target]}: $path"
            fi
        elif [[ $path == */* && ($(rank_of_layer "$first") -ge 0 || $first == include || $first == platform) ]]; then
            if ((public)); then
                fail "$relative: a public header includes a private one: $path"
                continue
            fi
            target=$(rank_of_layer "$first")
            if ((target < 0)); then
                fail "$relative: an include past the layers: $path"
            elif ((target > rank)); then
                fail "$relative (${layers[$rank]}) reaches up to ${layers[$target]}: $path"
            fi
        fi
    done < <(included_paths "$file")
done < <(find "$platform" \( -name '*.h' -o -name '*.cpp' \) -print | sort)

# The program: the framework's public headers only.
while IFS= read -r file; do
    while IFS= read -r path; do
        first=${path%%/*}
        if [[ $path == *..* ]]; then
            fail "${file#"$root"/}: an include that climbs out of its folder: $path"
        elif [[ $path == */* && ($(rank_of_layer "$first") -ge 0 || $first == platform || $first == include) ]]; then
            fail "${file#"$root"/}: the program includes an internal of the framework: $path"
        fi
    done < <(included_paths "$file")
done < <(find "$root/src" -path "$platform" -prune -o \( -name '*.h' -o -name '*.cpp' \) -print | sort)

if ((failures)); then
    echo "$failures include(s) against the layers (docs/framework.md, Structure)" >&2
    exit 1
fi
echo "every include keeps to the layers"
