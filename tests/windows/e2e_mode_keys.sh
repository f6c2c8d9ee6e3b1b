#!/usr/bin/env bash
# End-to-end: the window's keys in molvane.exe under Wine on the test X server, on the bundled
# ammonia example (mode 1 answered, 6 modes). Right steps to mode 2 and Up raises the amplitude,
# each with its console line and the window's new title (SetWindowTextA, which Wine passes on to
# the X window); a draws the cyan displacement arrows; Escape ends with status 0.
# Usage: e2e_mode_keys.sh MOLVANE_EXE WIN_PROBE_EXE X_PROBE EXAMPLE_FILE
set -uo pipefail
molvane=$(realpath "$1") winprobe=$(realpath "$2") xprobe=$3 example=$(realpath "$4")

if [ -z "${DISPLAY:-}" ] || [ ! -x "$xprobe" ] || ! command -v wine >/dev/null; then
    echo "needs Wine, DISPLAY and the X probe (scripts/windows-test.sh provides them); skipped"
    exit 77
fi
source "$(dirname "${BASH_SOURCE[0]}")/../support/e2e_common.sh"

start "$example" wine "$molvane"
read -r _ _ _ _ _ _ _ _ _ _ ox oy _ < <(wine "$winprobe" window "$title" 30) ||
    fail "no window titled \"$title\""
xwin=$("$xprobe" find "$title" 5) || fail "no X window titled \"$title\""

# press KEY LINE: types KEY, then waits for the console line and the window titled after it.
press() {
    "$xprobe" key "$xwin" "$1" || fail "cannot type $1"
    local name="Molvane - $2"
    case $2 in *amplitude*) ;; *) name="$name, amplitude 0.50" ;; esac
    "$xprobe" find "$name" 10 >/dev/null || fail "no window titled \"$name\" after $1"
    grep -qF "$2"$'\r' "$work/console.txt" || fail "no console line \"$2\" after $1"
}
press Right "Mode 2 of 6: 1670.77 cm**-1"
press Up "Mode 2 of 6: 1670.77 cm**-1, amplitude 0.60"

read -r _ _ _ cyan _ < <("$xprobe" sweep "$ox" "$oy" 400 400 1.5 "$work/plain.mask")
[ "$cyan" = 0 ] || fail "arrows before a ($cyan cyan pixels)"
"$xprobe" key "$xwin" a || fail "cannot type a"
read -r _ _ _ cyan _ < <("$xprobe" sweep "$ox" "$oy" 400 400 1.5 "$work/arrows.mask")
[ "$cyan" -gt 100 ] || fail "a: no arrows drawn ($cyan cyan pixels)"

end_by escape "$xprobe" "$xwin"
no_errors
echo "PASS: Right and Up retitled the window and wrote their lines; a drew $cyan arrow pixels;" \
    "Escape -> status 0"
