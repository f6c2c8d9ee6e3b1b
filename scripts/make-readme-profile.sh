#!/usr/bin/env bash
# Regenerates docs/dvb-scan-profile.png, the energy profile shown in README.md, with Molvane
# itself: `molvane --energy-plot` on the Gaussian 16 relaxed scan kept for the tests.
# Usage: scripts/make-readme-profile.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(bash "$root/scripts/build.sh" --program)
run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
cp "$root/tests/data/paths/g16-dvb-scan-relaxed.log" "$run/"
(cd "$run" && "$dir/program/molvane" --energy-plot dvb-scan-profile.png --size 1000x500 \
    g16-dvb-scan-relaxed.log)
mkdir -p "$root/docs"
mv "$run/dvb-scan-profile.png" "$root/docs/dvb-scan-profile.png"
