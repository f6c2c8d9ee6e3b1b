#!/usr/bin/env bash
# End-to-end run of the real program on a bundled example under the test X server: the
# console dialogue, the window found by its title, its placement and size, a left-button
# drag that turns the picture, and the two ends (Escape; closing the window), status 0 each.
# Usage: e2e_window.sh MOLVANE X_PROBE EXAMPLE_FILE escape|close
set -uo pipefail
molvane=$(realpath "$1") probe=$(realpath "$2") example=$(realpath "$3") ending=$4

source "$(dirname "${BASH_SOURCE[0]}")/../support/e2e_common.sh"
require_display

start "$example" "$molvane"
find_window "$probe"
grep -q "You Will See Normal Mode =           1" "$work/console.txt" ||
    fail "the dialogue's summary is missing"

read -r x y width height < <("$probe" geometry "$win")
[ "$width" = 400 ] && [ "$height" = 400 ] || fail "drawing area ${width}x${height}, not 400x400"
[ "$x" = 50 ] && [ "$y" = 10 ] || fail "window at ($x, $y), not (50, 10)"

# The x axis (pure blue) stands still while the molecule vibrates.
picture() { "$probe" picture "$x" "$y" "$width" "$height"; }
sleep 0.5
read -r _ grey _ blue bx by _ < <(picture)
[ "$grey" -gt 100000 ] || fail "background is not grey 191 ($grey pixels)"
[ "$blue" -gt 20 ] || fail "no x axis in the picture ($blue blue pixels)"
sleep 0.3
read -r _ _ _ blue2 bx2 by2 _ < <(picture)
moved() { awk -v a="$1" -v b="$2" -v c="$3" -v d="$4" 'BEGIN { print sqrt((a-c)^2 + (b-d)^2) }'; }
still=$(moved "$bx" "$by" "$bx2" "$by2")
awk -v d="$still" 'BEGIN { exit !(d < 3) }' || fail "x axis moved by $still px without a drag"

"$probe" drag $((x + 80)) $((y + 200)) $((x + 320)) $((y + 170)) || fail "drag failed"
sleep 0.3
read -r _ _ _ blue3 bx3 by3 _ < <(picture)
turned=$(moved "$bx2" "$by2" "$bx3" "$by3")
awk -v d="$turned" 'BEGIN { exit !(d > 15) }' ||
    fail "x axis moved by only $turned px after the drag ($blue2 -> $blue3 pixels)"
# Held still before the release, so the scene has stopped turning.
sleep 0.3
read -r _ _ _ _ bx4 by4 _ < <(picture)
after=$(moved "$bx3" "$by3" "$bx4" "$by4")
awk -v d="$after" 'BEGIN { exit !(d < 3) }' ||
    fail "scene still turning after the release ($after px)"

end_by "$ending" "$probe" "$win"
echo "PASS: window $win at ($x, $y) ${width}x${height}; x axis turned $turned px;" \
    "$ending -> status 0"
