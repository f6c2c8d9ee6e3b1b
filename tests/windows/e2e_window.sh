#!/usr/bin/env bash
# End-to-end run of molvane.exe under Wine on the test X server: the console dialogue on a
# bundled example, the window "Molvane Version <version>" of the toolkit's class with a 400 x 400
# drawing area whose outer corner is at about (50, 10), the grey background and the molecule
# drawn, a left-button drag that turns it, and the end by Escape or by closing the window,
# with status 0 either way.
# Usage: e2e_window.sh MOLVANE_EXE WIN_PROBE_EXE X_PROBE EXAMPLE_FILE escape|close
set -uo pipefail
molvane=$(realpath "$1") winprobe=$(realpath "$2") xprobe=$3 example=$(realpath "$4") ending=$5

if [ -z "${DISPLAY:-}" ] || [ ! -x "$xprobe" ] || ! command -v wine >/dev/null; then
    echo "needs Wine, DISPLAY and the X probe (scripts/windows-test.sh provides them); skipped"
    exit 77
fi
source "$(dirname "${BASH_SOURCE[0]}")/../support/e2e_common.sh"

start "$example" wine "$molvane"
read -r _ class _ _ _ _ _ width height _ ox oy _ left top < <(wine "$winprobe" window "$title" 30) ||
    fail "no window titled \"$title\""
[ "$class" = tkLibWClass ] || fail "window class $class"
[ "$width" = 400 ] && [ "$height" = 400 ] || fail "drawing area ${width}x${height}, not 400x400"
awk -v l="$left" -v t="$top" 'BEGIN { exit !((l-50)^2 <= 4 && (t-10)^2 <= 4) }' ||
    fail "window's outer corner at ($left, $top), not about (50, 10)"
grep -q "You Will See Normal Mode =           1" "$work/console.txt" ||
    fail "the dialogue's summary is missing"

# The axes stand still while the molecule vibrates; a drag turns them. Each picture gives the
# centres of the x axis (pure blue) and the z axis (pure green); "moved" is the larger shift.
picture() { "$xprobe" picture "$ox" "$oy" 400 400; }
moved() { # blue x, y and green x, y before, then after
    awk -v a="$1" -v b="$2" -v c="$3" -v d="$4" -v e="$5" -v f="$6" -v g="$7" -v h="$8" \
        'BEGIN { p = sqrt((a-e)^2 + (b-f)^2); q = sqrt((c-g)^2 + (d-h)^2); print (p > q ? p : q) }'
}
sleep 0.5
read -r _ grey _ blue bx by _ green gx gy _ atoms < <(picture)
[ "$grey" -gt 100000 ] || fail "background is not grey 191 ($grey pixels)"
[ "$blue" -gt 20 ] && [ "$green" -gt 20 ] || fail "axes missing ($blue blue, $green green pixels)"
[ "$atoms" -gt 200 ] || fail "no molecule in the picture ($atoms pixels)"
sleep 0.3
read -r _ _ _ _ bx2 by2 _ _ gx2 gy2 _ < <(picture)
still=$(moved "$bx" "$by" "$gx" "$gy" "$bx2" "$by2" "$gx2" "$gy2")
awk -v d="$still" 'BEGIN { exit !(d < 3) }' || fail "axes moved by $still px without a drag"

"$xprobe" drag $((ox + 150)) $((oy + 200)) $((ox + 300)) $((oy + 170)) || fail "drag failed"
sleep 0.3
read -r _ _ _ _ bx3 by3 _ _ gx3 gy3 _ < <(picture)
turned=$(moved "$bx2" "$by2" "$gx2" "$gy2" "$bx3" "$by3" "$gx3" "$gy3")
awk -v d="$turned" 'BEGIN { exit !(d > 15) }' || fail "axes moved by only $turned px after the drag"
sleep 0.3 # held still before the release: the scene has stopped turning
read -r _ _ _ _ bx4 by4 _ _ gx4 gy4 _ < <(picture)
after=$(moved "$bx3" "$by3" "$gx3" "$gy3" "$bx4" "$by4" "$gx4" "$gy4")
awk -v d="$after" 'BEGIN { exit !(d < 3) }' || fail "scene still turning after the release ($after px)"

xwin=$("$xprobe" find "$title" 5) || fail "no X window titled \"$title\""
end_by "$ending" "$xprobe" "$xwin"
no_errors
"$xprobe" gone "$title" 2 || fail "the window is still shown"
echo "PASS: drawing area 400x400 at ($ox, $oy), outer corner ($left, $top); axes turned by $turned px; $ending -> status 0"
