#!/usr/bin/env bash
# End-to-end run of the real program on a bundled example under the test X server: the
# console dialogue, the window found by its title, its placement and size, a left-button
# drag that turns the picture, and the two ends (Escape; closing the window), status 0 each.
# Usage: e2e_window.sh MOLVANE WINDOW_PROBE EXAMPLE_FILE escape|close
set -uo pipefail
molvane=$(realpath "$1") probe=$(realpath "$2") example=$(realpath "$3") ending=$4
title="Molvane Version 1.14"

if [ -z "${DISPLAY:-}" ]; then
    echo "DISPLAY is not set (scripts/test.sh starts an Xvfb server); skipped"
    exit 77
fi

work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    echo "--- console output:"
    cat "$work/console.txt" 2>/dev/null | tail -20
    exit 1
}

cp "$example" "$work/"
printf 'Filename:%s\r\n' "$(basename "$example")" > "$work/filename.dat"
# Answers: no licence, mode 1, the default amplitude.
(cd "$work" && printf '\n1\n\n' | exec timeout 60 "$molvane" > console.txt 2>&1) &
pid=$!

win=""
for _ in $(seq 40); do
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its window was found"
    win=$("$probe" find "$title" 0.5 2>/dev/null) && break
done
[ -n "$win" ] || fail "no window titled \"$title\""
grep -q "You Will See Normal Mode =           1" "$work/console.txt" ||
    fail "the dialogue's summary is missing"

read -r x y width height < <("$probe" geometry "$win")
[ "$width" = 400 ] && [ "$height" = 400 ] || fail "drawing area ${width}x${height}, not 400x400"
[ "$x" = 50 ] && [ "$y" = 10 ] || fail "window at ($x, $y), not (50, 10)"

# The x axis (pure blue) stands still while the molecule vibrates.
sleep 0.5
read -r _ grey _ blue bx by < <("$probe" picture "$win")
[ "$grey" -gt 100000 ] || fail "background is not grey 191 ($grey pixels)"
[ "$blue" -gt 20 ] || fail "no x axis in the picture ($blue blue pixels)"
sleep 0.3
read -r _ _ _ blue2 bx2 by2 < <("$probe" picture "$win")
moved() { awk -v a="$1" -v b="$2" -v c="$3" -v d="$4" 'BEGIN { print sqrt((a-c)^2 + (b-d)^2) }'; }
still=$(moved "$bx" "$by" "$bx2" "$by2")
awk -v d="$still" 'BEGIN { exit !(d < 3) }' || fail "x axis moved by $still px without a drag"

"$probe" drag "$win" 150 200 300 170 || fail "drag failed"
sleep 0.3
read -r _ _ _ blue3 bx3 by3 < <("$probe" picture "$win")
turned=$(moved "$bx2" "$by2" "$bx3" "$by3")
awk -v d="$turned" 'BEGIN { exit !(d > 15) }' ||
    fail "x axis moved by only $turned px after the drag ($blue2 -> $blue3 pixels)"
# Held still before the release, so the scene has stopped turning.
sleep 0.3
read -r _ _ _ _ bx4 by4 < <("$probe" picture "$win")
after=$(moved "$bx3" "$by3" "$bx4" "$by4")
awk -v d="$after" 'BEGIN { exit !(d < 3) }' ||
    fail "scene still turning after the release ($after px)"

case $ending in
    escape) "$probe" key "$win" Escape || fail "cannot type Escape" ;;
    close) "$probe" close "$win" || fail "cannot send WM_DELETE_WINDOW" ;;
esac
wait "$pid"
status=$?
pid=""
[ "$status" = 0 ] || fail "program ended with status $status after $ending"
echo "PASS: window $win at ($x, $y) ${width}x${height}; x axis turned $turned px;" \
    "$ending -> status 0"
