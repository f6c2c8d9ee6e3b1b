#!/usr/bin/env bash
# Configures and builds Molvane; prints the build directory.
# Usage: scripts/build.sh [--sanitize] [--program]
#   --sanitize  AddressSanitizer + UBSan, into build-sanitize/ (otherwise build/)
#   --program   only the program itself, not the tests and benchmarks
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build"
flags=(-DMOLVANE_WERROR=ON)
targets=()
for arg in "$@"; do
    case "$arg" in
        --sanitize)
            dir="$root/build-sanitize"
            flags+=(-DMOLVANE_SANITIZE=ON -DMOLVANE_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug) ;;
        --program) targets=(--target molvane) ;;
        *) echo "build.sh: unknown option $arg" >&2; exit 2 ;;
    esac
done
cmake -S "$root" -B "$dir" "${flags[@]}" >&2
cmake --build "$dir" -j"$(nproc)" "${targets[@]}" >&2
echo "$dir"
