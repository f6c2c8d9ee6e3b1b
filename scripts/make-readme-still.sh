#!/usr/bin/env bash
# Regenerates docs/formaldehyde-mode4.png, the still shown in README.md, with Molvane itself:
# the bundled formaldehyde example, mode 4 (the C=O stretch), in ball and stick with labels and
# the displacement arrows, written by `molvane --png` with no display.
# Usage: scripts/make-readme-still.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(bash "$root/scripts/build.sh" --program)
run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
cp "$root/examples/formaldehyde-freq.out" "$run/"
(cd "$run" && env -u DISPLAY "$dir/program/molvane" --png formaldehyde-mode4.png --size 1200x900 \
    --mode 4 --bonds --labels --arrows formaldehyde-freq.out | tail -n 1)
mkdir -p "$root/docs"
mv "$run/formaldehyde-mode4.png" "$root/docs/formaldehyde-mode4.png"
