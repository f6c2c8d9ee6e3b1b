#!/usr/bin/env bash
# Formats every C++ source of the project with the pinned clang-format (Debian's clang-format-14).
# Usage: scripts/format.sh          rewrite the files in place
#        scripts/format.sh --check  change nothing; list the files that are not formatted, fail if any
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh" clang-format-14
cd "$root"
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
    bad=()
    for f in "${files[@]}"; do
        clang-format-14 --style=file "$f" | cmp -s - "$f" || bad+=("$f")
    done
    if [ ${#bad[@]} -gt 0 ]; then
        printf 'not formatted (run scripts/format.sh): %s\n' "${bad[@]}" >&2
        exit 1
    fi
    echo "formatting: ${#files[@]} files checked"
else
    clang-format-14 --style=file -i "${files[@]}"
fi
