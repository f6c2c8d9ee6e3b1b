#!/usr/bin/env bash
# End-to-end: a relaxed scan's path in the real program's window under the test X server. Right,
# Left, Home and End show another step (one console line and the title each; the picture
# changes as the vinyl group turns), Left at the first step does nothing, Space plays the path
# and pauses it, g writes the whole path as a GIF, h lists the keys; Escape ends with status 0.
# Usage: e2e_path_keys.sh MOLVANE X_PROBE SCAN_LOG
set -uo pipefail
molvane=$(realpath "$1") probe=$(realpath "$2") scan=$(realpath "$3")

source "$(dirname "${BASH_SOURCE[0]}")/../support/e2e_common.sh"
require_display

start "$scan" "$molvane" --path "$(basename "$scan")"
find_window "$probe"
read -r x y width height < <("$probe" geometry "$win")

sweep() { "$probe" sweep "$x" "$y" "$width" "$height" 0.5 "$work/$1.mask" >/dev/null; }
differ() { "$probe" differ "$work/$1.mask" "$work/$2.mask"; }

step1="Step 1 of 13: -382.308266559 Eh, +0.00 kcal/mol, scanned value 180.0000"
wait_for "$step1"$'\r'
sleep 0.3
sweep first
lines=$(wc -l < "$work/console.txt")
type_key Left
sleep 0.3
[ "$(wc -l < "$work/console.txt")" = "$lines" ] || fail "Left at the first step wrote a line"

press Right "Step 2 of 13: -382.306950767 Eh, +0.83 kcal/mol, scanned value -150.0001"
type_key Right
press Right "Step 4 of 13: -382.299551677 Eh, +5.47 kcal/mol, scanned value -90.0000"
sweep fourth
d=$(differ first fourth)
[ "$d" -gt 60 ] || fail "step 4 looks like step 1 ($d pixels differ)"
press End "Step 13 of 13: -382.308266289 Eh, +0.00 kcal/mol, scanned value 180.0000"
press Home "$step1"
sweep again
d=$(differ first again)
[ "$d" -lt 40 ] || fail "Home: step 1 not as at the start ($d pixels differ)"

type_key space
wait_for "Step 3 of 13:"
type_key space
sleep 0.3
lines=$(wc -l < "$work/console.txt")
sleep 0.5
[ "$(wc -l < "$work/console.txt")" = "$lines" ] || fail "Space again did not pause the path"

type_key g
wait_for "Wrote molvane-path.gif (13 steps, 400 x 400)"
[ -s "$work/molvane-path.gif" ] || fail "no molvane-path.gif"
type_key h
wait_for "Home, End    the first, the last step"
end_by escape "$probe" "$win"
no_errors
echo "PASS: Right, Left, Home, End, Space, g and h on a relaxed scan; Escape -> status 0"
