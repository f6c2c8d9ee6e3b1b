#!/usr/bin/env bash
# Makes docs/molvane-window.png, the picture of the window in the README: runs the program on
# the bundled formaldehyde example on a private Xvfb, answers the dialogue (mode 1, the default
# amplitude), turns the molecule a little with a left-button drag, and grabs the window.
# Usage: scripts/screenshot.sh [OUTPUT.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/molvane-window.png}")
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/install-deps.sh" imagemagick
dir=$(bash "$root/scripts/build.sh" --program)

work=$(mktemp -d)
xvfb_pid="" pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
exec {fd}< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset 2>/dev/null)
xvfb_pid=$!
read -r -t 30 -u "$fd" n || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$n"

cp "$root/examples/formaldehyde-freq.out" "$work/"
printf 'Filename:formaldehyde-freq.out\r\n' >"$work/filename.dat"
printf '\n1\n\n' | (cd "$work" && exec timeout 60 "$dir/program/molvane" >console.txt) &
pid=$!
version=$(bash "$root/scripts/version.sh")
win=$(timeout 20 xdotool search --sync --name "^Molvane Version ${version//./\\.}\$" | head -n 1)
[ -n "$win" ] || { echo "no window" >&2; exit 1; }

# A drag from left to right and a little down tilts the molecule out of the screen's plane;
# held still before the release, so it does not keep spinning.
sleep 0.5
xdotool mousemove --window "$win" 120 230 mousedown 1
for step in $(seq 1 12); do
    xdotool mousemove --window "$win" $((120 + 8 * step)) $((230 - 3 * step))
    sleep 0.05
done
sleep 0.3
xdotool mouseup 1
sleep 0.5
import -window "$win" -strip -define png:exclude-chunks=date,time "$out"
# With no window manager the keyboard follows the pointer, which is still over the window.
xdotool key Escape
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || { echo "molvane ended with status $status" >&2; exit 1; }
echo "$out"
