#!/usr/bin/env bash
# The Windows build draws no spectrum (Debian's mingw-w64 has no cairo): molvane.exe --spectrum
# says so in one line on standard error, ends with status 1 and leaves the directory as it was.
# Usage: no_spectrum.sh MOLVANE_EXE EXAMPLE_FILE
set -uo pipefail
molvane=$(realpath "$1") example=$(realpath "$2")
command -v wine >/dev/null || { echo "needs Wine (scripts/windows-test.sh); skipped"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" && cp "$example" in.out
wine "$molvane" --spectrum ir.png in.out </dev/null >stdout.txt 2>stderr.txt
status=$?
err=$(tr -d '\r' <stderr.txt)
fail() { echo "FAIL: $*"; exit 1; }
[ "$status" = 1 ] || fail "status $status, not 1"
[ "$err" = 'molvane: cannot write "ir.png": this build writes no spectrum' ] ||
    fail "standard error: $err"
[ ! -s stdout.txt ] || fail "standard output: $(cat stdout.txt)"
[ "$(ls)" = "$(printf 'in.out\nstderr.txt\nstdout.txt')" ] || fail "files left: $(ls)"
echo "one line, status 1, nothing written"
