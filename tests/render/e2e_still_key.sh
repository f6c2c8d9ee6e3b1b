#!/usr/bin/env bash
# End-to-end: the key p in the real program's window under the test X server, started with
# --bonds --labels, writes molvane-mode1.png at twice the window's size, a second P writes
# molvane-mode1-2.png beside it; b and l switch the style back and forth without a word, h
# lists the new keys, and Escape still ends with status 0.
# Usage: e2e_still_key.sh MOLVANE X_PROBE EXAMPLE_FILE
set -uo pipefail
molvane=$(realpath "$1") probe=$(realpath "$2") example=$(realpath "$3")

source "$(dirname "${BASH_SOURCE[0]}")/../support/e2e_common.sh"
require_display

start "$example" "$molvane" --bonds --labels
find_window "$probe"

# png_size FILE: "width height" from the PNG's header.
png_size() {
    [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || return 1
    od -An -tu1 -j16 -N8 "$1" |
        awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }'
}

type_key p
wait_for "Wrote molvane-mode1.png (800 x 800)"
type_key b
type_key l
type_key P
wait_for "Wrote molvane-mode1-2.png (800 x 800)"
for f in molvane-mode1.png molvane-mode1-2.png; do
    [ "$(png_size "$work/$f")" = "800 800" ] || fail "$f is not an 800 x 800 PNG"
done
# The second, without bonds and labels, is another picture.
cmp -s "$work/molvane-mode1.png" "$work/molvane-mode1-2.png" && fail "b and l changed nothing"
type_key h
wait_for "molvane-mode<N>.png"
kill -0 "$pid" 2>/dev/null || fail "the program ended after writing the stills"
end_by escape "$probe" "$win"
no_errors
echo "PASS: p and P wrote two stills of 800 x 800; b and l switched the style; Escape -> status 0"
