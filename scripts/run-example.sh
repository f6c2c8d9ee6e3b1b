#!/usr/bin/env bash
# Sets up, builds the program (not its tests) and runs it on the bundled formaldehyde example.
# The run happens in examples/run/, a scratch copy, so the bundled files stay as they are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
dir=$(bash "$root/scripts/build.sh" --program)
run="$root/examples/run"
rm -rf "$run" && mkdir -p "$run"
cp "$root"/examples/*.out "$run"/
printf 'Filename:%s\r\n' "${1:-formaldehyde-freq.out}" > "$run/filename.dat"
cd "$run"
exec "$dir/program/molvane"
