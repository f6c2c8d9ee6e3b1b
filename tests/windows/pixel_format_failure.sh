#!/usr/bin/env bash
# A toolkit failure under Wine: on an X screen of depth 8 no pixel format matches the
# program's mode, so after the dialogue molvane.exe shows a box captioned "Error" with the
# text "Selecting a pixel format failed\n", owned by its window; Return dismisses it, the
# window goes and the program ends with status 1, with nothing on the console beyond the
# dialogue.
# Usage: pixel_format_failure.sh MOLVANE_EXE WIN_PROBE_EXE X_PROBE EXAMPLE_FILE
# The depth-8 screen is named by MOLVANE_DEPTH8_DISPLAY (scripts/windows-test.sh sets it).
set -uo pipefail
molvane=$(realpath "$1") winprobe=$(realpath "$2") xprobe=$3 example=$(realpath "$4")

if [ -z "${MOLVANE_DEPTH8_DISPLAY:-}" ] || [ ! -x "$xprobe" ] || ! command -v wine >/dev/null; then
    echo "needs Wine, a depth-8 X screen and the X probe (scripts/windows-test.sh); skipped"
    exit 77
fi
export DISPLAY=$MOLVANE_DEPTH8_DISPLAY
source "$(dirname "${BASH_SOURCE[0]}")/../support/e2e_common.sh"

start "$example" wine "$molvane"
box=$(wine "$winprobe" box Error 30) || fail "no box captioned \"Error\""
[ "$box" = $'text Selecting a pixel format failed\\n\nowner '"$title" ] ||
    fail "box reads: $box"
grep -q "You Will See Normal Mode =           1" "$work/console.txt" ||
    fail "the dialogue did not finish before the box"
kill -0 "$pid" 2>/dev/null || fail "the program ended before the box was dismissed"

xbox=$("$xprobe" find Error 5) || fail "no X window for the box"
"$xprobe" key "$xbox" Return || fail "cannot type Return"
finish
[ "$status" != 124 ] || fail "the program did not end after the box was dismissed"
[ "$status" = 1 ] || fail "ended with status $status, not 1"
no_errors
"$xprobe" gone "$title" 2 || fail "the window is still shown"
echo "PASS: \"Error\" box with \"Selecting a pixel format failed\\n\", Return, ended with status $status"
