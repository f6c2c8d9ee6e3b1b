#!/usr/bin/env bash
# End-to-end: the key g in the real program's window under the test X server writes
# molvane-mode1.gif, a second G writes molvane-mode1-2.gif next to it, both decode into 100
# frames of 2 cs looping forever (without arrows, which are off at start), the animation runs
# on and Escape still ends with status 0.
# Then `molvane --gif` with DISPLAY unset on the same answers: its console is that of the
# window run up to its one closing line.
# Usage: e2e_gif_key.sh MOLVANE X_PROBE GIF_CHECK EXAMPLE_FILE
set -uo pipefail
molvane=$(realpath "$1") probe=$(realpath "$2") check=$(realpath "$3") example=$(realpath "$4")

source "$(dirname "${BASH_SOURCE[0]}")/../support/e2e_common.sh"
require_display

start "$example" "$molvane"
find_window "$probe"

type_key g
wait_for "Wrote molvane-mode1.gif (100 frames, 400 x 400)"
type_key G
wait_for "Wrote molvane-mode1-2.gif (100 frames, 400 x 400)"
for f in molvane-mode1.gif molvane-mode1-2.gif; do
    "$check" "$work/$f" 400 400 no-arrows || fail "$f is not the animation expected"
done
kill -0 "$pid" 2>/dev/null || fail "the program ended after writing the GIFs"
end_by escape "$probe" "$win"
no_errors

# The same dialogue with --gif and no display at all.
mkdir "$work/headless"
cp "$example" "$work/filename.dat" "$work/headless/"
(cd "$work/headless" &&
    printf '\n1\n\n' | env -u DISPLAY timeout 60 "$molvane" --gif period.gif \
        > console.txt 2> errors.txt)
status=$?
[ "$status" = 0 ] || fail "--gif ended with status $status: $(cat "$work/headless/errors.txt")"
[ ! -s "$work/headless/errors.txt" ] || fail "--gif wrote on standard error"
"$check" "$work/headless/period.gif" 400 400 || fail "period.gif is not the animation expected"
[ "$(tail -n 1 "$work/headless/console.txt")" = $'Wrote period.gif (100 frames, 400 x 400)\r' ] ||
    fail "--gif's closing line: $(tail -n 1 "$work/headless/console.txt")"
cmp <(head -n -2 "$work/console.txt") <(head -n -1 "$work/headless/console.txt") ||
    fail "the --gif console differs from the window run's before the closing line"
echo "PASS: g and G wrote two GIFs of 100 frames; Escape -> status 0; --gif transcript matches"
