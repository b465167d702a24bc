#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quendal, builds it, and then runs the program or its tests.
#   ./build.sh run    install what is missing, build, start the program
#   ./build.sh test   install what is missing, build, run the whole test suite, then build it
#                     again with the sanitizers in build-sanitize and run it there too
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
if [[ $mode != run && $mode != test ]]; then
    echo "usage: $0 run|test" >&2
    exit 2
fi

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins libboost-context-dev libgtest-dev libxcb1-dev
    fonts-liberation fonts-dejavu-core
)
if [[ $mode == test ]]; then
    # locales: the sources from which the tests make de_DE.UTF-8 in the build folder; clang-format:
    # the style check; jwm: a second window manager, which minimises a window without its owner.
    packages+=(xvfb xauth xdotool imagemagick x11-utils openbox jwm wmctrl locales clang-format)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]})); then
    sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The test command's builds take warnings as errors (CMakeLists.txt).
werror=OFF
if [[ $mode == test ]]; then werror=ON; fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENDAL_WERROR=$werror
cmake --build build --parallel "$(nproc)"

if [[ $mode == run ]]; then
    exec build/bin/quendal
fi
(cd build && ctest --output-on-failure --parallel "$(nproc)" --timeout 600)

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer (docs/testing.md).
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENDAL_SANITIZE=ON -DQUENDAL_WERROR=ON
cmake --build build-sanitize --parallel "$(nproc)"
cd build-sanitize
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
