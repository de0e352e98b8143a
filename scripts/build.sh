#!/usr/bin/env bash
# Configures and builds into the given folder: scripts/build.sh DIR [--target NAME]... [cmake args].
# With no --target everything is built; the other arguments go to cmake.
set -euo pipefail
dir=$1
shift
targets=()
cmake_args=()
while [ $# -gt 0 ]; do
    if [ "$1" = --target ] && [ $# -ge 2 ]; then
        targets+=("$2")
        shift 2
    else
        cmake_args+=("$1")
        shift
    fi
done
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$(dirname "$0")/.." -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "${cmake_args[@]}" >/dev/null
if [ ${#targets[@]} -gt 0 ]; then
    cmake --build "$dir" -j"$(nproc)" --target "${targets[@]}"
else
    cmake --build "$dir" -j"$(nproc)"
fi
