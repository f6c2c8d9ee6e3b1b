#!/usr/bin/env bash
# Regenerates the spectra shown in README.md with Molvane itself: docs/formaldehyde-ir.png, the
# bundled formaldehyde example written by `molvane --spectrum` at the default size and band
# width, and docs/formaldehyde-ir-lab.png, the same with its frequencies scaled by 0.93 on the
# range 400 to 3200 cm-1, drawn over the bundled measured-like spectrum
# examples/formaldehyde-gas-measured-like.jdx (made for these examples, not measured).
# Usage: scripts/make-readme-spectrum.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(bash "$root/scripts/build.sh" --program)
run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
cp "$root/examples/formaldehyde-freq.out" "$root/examples/formaldehyde-gas-measured-like.jdx" "$run/"
(cd "$run" && "$dir/program/molvane" --spectrum formaldehyde-ir.png formaldehyde-freq.out)
(cd "$run" && "$dir/program/molvane" --spectrum formaldehyde-ir-lab.png --scale 0.93 \
    --range 400:3200 --experiment formaldehyde-gas-measured-like.jdx formaldehyde-freq.out)
mkdir -p "$root/docs"
mv "$run/formaldehyde-ir.png" "$run/formaldehyde-ir-lab.png" "$root/docs/"
