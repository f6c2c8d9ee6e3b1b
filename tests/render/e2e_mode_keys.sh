#!/usr/bin/env bash
# End-to-end: the window's keys in the real program on the bundled formaldehyde example (mode 1
# asked and answered, 6 modes) under the test X server. Right, Left, Up, Down and a change what
# is drawn and (but a) the title and write one console line each; Left and Down back to the
# start give the start's picture again (the view neither moved nor zoomed); past the last mode
# nothing changes; g after a writes a GIF that shows the arrows; h lists the keys; Escape ends
# with status 0.
# What is drawn is compared phase-free: the pixels that show an atom or an arrow in any
# picture over more than one period (x_probe sweep).
# Usage: e2e_mode_keys.sh MOLVANE X_PROBE GIF_CHECK EXAMPLE_FILE
set -uo pipefail
molvane=$(realpath "$1") probe=$(realpath "$2") check=$(realpath "$3") example=$(realpath "$4")

source "$(dirname "${BASH_SOURCE[0]}")/../support/e2e_common.sh"
require_display

start "$example" "$molvane"
find_window "$probe"
read -r x y width height < <("$probe" geometry "$win")

# press_mode KEY LINE: press, the title holding the amplitude when LINE does not.
press_mode() {
    case $2 in
        *amplitude*) press "$1" "$2" ;;
        *) press "$1" "$2" "$2, amplitude $amplitude" ;;
    esac
}
# sweep NAME: the phase-free picture into $work/NAME.mask; prints "swept N cyan N pictures N".
sweep() { "$probe" sweep "$x" "$y" "$width" "$height" 2.5 "$work/$1.mask"; }
differ() { "$probe" differ "$work/$1.mask" "$work/$2.mask"; }
# A key's change moves 330 to 1,900 pixels of what is drawn; the same picture swept again differs
# by a few, by some tens when a loaded machine draws fewer frames during the sweep.
changed() { # NAME1 NAME2 WHAT
    local d
    d=$(differ "$1" "$2")
    [ "$d" -gt 200 ] || fail "$3 changed only $d pixels of what is drawn"
}
same() { # NAME1 NAME2 WHAT
    local d
    d=$(differ "$1" "$2")
    [ "$d" -lt 120 ] || fail "$3: $d pixels differ"
}

[ "$("$probe" title "$win")" = "$title" ] || fail "title at start: $("$probe" title "$win")"
sleep 0.3
sweep start >/dev/null
amplitude=0.50
press_mode Right "Mode 2 of 6: 1243.80 cm**-1"
sweep mode2 >/dev/null
changed start mode2 "Right"
press_mode Left "Mode 1 of 6: 1209.56 cm**-1"
sweep mode1 >/dev/null
changed mode2 mode1 "Left"
same start mode1 "mode 1 again, not the start's picture"
press_mode Up "Mode 1 of 6: 1209.56 cm**-1, amplitude 0.60"
sweep up >/dev/null
changed mode1 up "Up"
press_mode Down "Mode 1 of 6: 1209.56 cm**-1, amplitude 0.50"
sweep down >/dev/null
changed up down "Down"
same start down "amplitude 0.50 again, not the start's picture"

lines=$(wc -l < "$work/console.txt")
type_key a
read -r _ _ _ cyan _ < <(sweep arrows)
[ "$cyan" -gt 100 ] || fail "a: no arrows drawn ($cyan cyan pixels)"
changed down arrows "a"
type_key g
wait_for "Wrote molvane-mode1.gif (100 frames, 400 x 400)"
"$check" "$work/molvane-mode1.gif" 400 400 arrows || fail "the GIF after a shows no arrows"
type_key a
read -r _ _ _ cyan _ < <(sweep plain)
[ "$cyan" = 0 ] || fail "a again: arrows still drawn ($cyan cyan pixels)"
same start plain "arrows off again, not the start's picture"
[ "$(wc -l < "$work/console.txt")" = $((lines + 1)) ] || fail "a wrote on the console"

for mode in 2 3 4 5; do type_key Right; done
press_mode Right "Mode 6 of 6: 2954.51 cm**-1"
sweep last >/dev/null
lines=$(wc -l < "$work/console.txt")
type_key Right
sweep past >/dev/null
same last past "Right past the last mode"
[ "$(wc -l < "$work/console.txt")" = "$lines" ] || fail "Right past the last mode wrote a line"
[ "$("$probe" title "$win")" = "Molvane - Mode 6 of 6: 2954.51 cm**-1, amplitude 0.50" ] ||
    fail "title past the last mode: $("$probe" title "$win")"

type_key h
wait_for "Keys in the window:"
wait_for "Drag with the left mouse button to turn the molecule."
end_by escape "$probe" "$win"
no_errors
echo "PASS: Right, Left, Up, Down and a changed the picture and the title; the start's picture" \
    "came back; the last mode held; the GIF after a shows arrows; Escape -> status 0"
