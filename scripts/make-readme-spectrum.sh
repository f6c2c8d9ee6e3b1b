#!/usr/bin/env bash
# Regenerates docs/formaldehyde-ir.png, the spectrum shown in README.md, with Molvane itself:
# the bundled formaldehyde example written by `molvane --spectrum` at the default size and
# band width. Usage: scripts/make-readme-spectrum.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(bash "$root/scripts/build.sh" --program)
run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
cp "$root/examples/formaldehyde-freq.out" "$run/"
(cd "$run" && "$dir/program/molvane" --spectrum formaldehyde-ir.png formaldehyde-freq.out)
mkdir -p "$root/docs"
mv "$run/formaldehyde-ir.png" "$root/docs/formaldehyde-ir.png"
