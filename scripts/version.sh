#!/usr/bin/env bash
# Prints the program's version as the top CMakeLists.txt writes it (project(molvane VERSION ...)),
# the one place it is written, for the scripts and the tests' shell scripts.
# Usage: scripts/version.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(molvane VERSION \([0-9][0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "version.sh: no project version in $root/CMakeLists.txt" >&2; exit 1; }
echo "$version"
