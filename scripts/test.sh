#!/usr/bin/env bash
# Builds Molvane and runs every test. Window tests draw for real on a private Xvfb server
# started here. Usage: scripts/test.sh [--sanitize]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
dir=$(bash "$root/scripts/build.sh" "$@")

# A private X server for the window tests. Xvfb picks a free display number itself and
# writes it to the pipe once it accepts connections, so two runs never share one. -noreset:
# by default the server resets whenever its last client leaves, and a test that connects
# during that reset is refused.
exec {fd}< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset 2>/dev/null)
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
read -r -t 30 -u "$fd" n || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$n"

cd "$dir"
ctest --output-on-failure -j"$(nproc)"
