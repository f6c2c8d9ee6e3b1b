#!/usr/bin/env bash
# Configures and builds Molvane. Usage: scripts/build.sh [--sanitize] ; prints the build directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build"
flags=(-DMOLVANE_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
    dir="$root/build-sanitize"
    flags+=(-DMOLVANE_SANITIZE=ON -DMOLVANE_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
fi
cmake -S "$root" -B "$dir" "${flags[@]}" >&2
cmake --build "$dir" -j"$(nproc)" >&2
echo "$dir"
