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

# The public headers name no Qt type: the framework's Qt side stays inside it.
while IFS= read -r hit; do
    fail "a public header names a Qt type: ${hit#"$platform"/}"
done < <(grep -Hn -E '(^|[^A-Za-z0-9_])(Q[A-Z][A-Za-z0-9]*|Qt::|q[A-Z][A-Za-z]*\()' "$platform"/include/fw/*.h | grep -v -E ':[0-9]+:[[:space:]]*//' || true)

# No knot of more than three modules, a module being a file pair X.h and X.cpp: a change to one
# of a knot's modules can reach any other of it, and a larger knot is one module in pieces.
largest_cycle=3
declare -A includes_of
while IFS= read -r file; do
    module=$(basename "${file%.*}")
    while IFS= read -r path; do
        if [[ $path == fw/* ]] || is_internal "$path"; then
            target=$(basename "${path%.*}")
            [[ $target != "$module" ]] && includes_of[$module]+=" $target"
        fi
    done < <(included_paths "$file")
    includes_of[$module]+=""
done < <(find "$platform" \( -name '*.h' -o -name '*.cpp' \) -print | sort)

# Every module that the module reaches through includes, itself left out unless a cycle returns.
reached_from() {
    local -A seen=()
    local queue=("$1") next target
    while ((${#queue[@]})); do
        next=${queue[0]}
        queue=("${queue[@]:1}")
        for target in ${includes_of[$next]:-}; do
            if [[ -z ${seen[$target]:-} ]]; then
                seen[$target]=1
                queue+=("$target")
            fi
        done
    done
    echo "${!seen[@]}"
}
declare -A reach
for module in "${!includes_of[@]}"; do
    reach[$module]=" $(reached_from "$module") "
done
declare -A reported
for module in $(printf '%s\n' "${!includes_of[@]}" | sort); do
    [[ -n ${reported[$module]:-} ]] && continue
    knot=()
    for other in ${reach[$module]}; do
        [[ ${reach[$other]} == *" $module "* ]] && knot+=("$other")
    done
    for other in "${knot[@]}"; do
        reported[$other]=1
    done
    if ((${#knot[@]} > largest_cycle)); then
        fail "${#knot[@]} modules include one another (at most $largest_cycle): $(printf '%s\n' "${knot[@]}" | sort | tr '\n' ' ')"
    fi
done

if ((failures)); then
    echo "$failures include(s) against the layers (docs/framework.md, Structure)" >&2
    exit 1
fi
echo "every include keeps to the layers"
