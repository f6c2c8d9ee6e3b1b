#!/usr/bin/env bash
# Regenerates docs/formaldehyde-mode1.gif, the animation shown in README.md, with Molvane
# itself: the bundled formaldehyde example, mode 1, the default amplitude, written by
# `molvane --gif` with no display. Usage: scripts/make-readme-gif.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(bash "$root/scripts/build.sh")
run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
cp "$root/examples/formaldehyde-freq.out" "$run/"
printf 'Filename:formaldehyde-freq.out\r\n' > "$run/filename.dat"
# Answers: no licence, mode 1, the default amplitude.
(cd "$run" && printf '\n1\n\n' | env -u DISPLAY "$dir/program/molvane" --gif formaldehyde-mode1.gif |
    tail -n 1)
mkdir -p "$root/docs"
mv "$run/formaldehyde-mode1.gif" "$root/docs/formaldehyde-mode1.gif"
