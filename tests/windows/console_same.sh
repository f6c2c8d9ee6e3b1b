#!/usr/bin/env bash
# The console half of the Windows build is the Linux build's: molvane.exe under Wine and the
# Linux molvane, given the same files and the same answers through a pipe, write the same
# bytes on standard output and standard error, end with the same status and leave the same
# files behind ("filename.dat", "newcoordinates.xyz"). The run that reaches the window is
# ended by closing it.
# Usage: console_same.sh LINUX_MOLVANE MOLVANE_EXE X_PROBE EXAMPLES_DIR
set -uo pipefail
linux=$1 windows=$2 xprobe=$3 examples=$4
title="Molvane Version $(bash "$(dirname "$0")/../../scripts/version.sh")"

if [ -z "${DISPLAY:-}" ] || [ ! -x "$linux" ] || [ ! -x "$xprobe" ] || ! command -v wine >/dev/null; then
    echo "needs Wine, DISPLAY, the Linux molvane and the X probe (scripts/windows-test.sh); skipped"
    exit 77
fi
linux=$(realpath "$linux") windows=$(realpath "$windows") examples=$(realpath "$examples")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# One run in DIR: the answers through a pipe (the options in $options before them); with
# "window", the window is closed once shown.
options=()
run() {
    local dir=$1 answers=$2 window=$3
    shift 3
    printf '%b' "$answers" |
        (cd "$dir" && exec timeout 60 "$@" "${options[@]}" > stdout.txt 2> stderr.txt) &
    local pid=$!
    if [ "$window" = window ]; then
        local xwin
        xwin=$("$xprobe" find "$title" 30) && "$xprobe" close "$xwin"
    fi
    wait "$pid"
    echo $? > "$dir/status.txt"
}

# check NAME ANSWERS WINDOW STATUS SETUP...: both programs in fresh directories prepared by
# the SETUP command; then the same bytes in every file, and the expected status.
check() {
    local name=$1 answers=$2 window=$3 status=$4
    shift 4
    mkdir -p "$work/$name/linux" "$work/$name/windows"
    (cd "$work/$name/linux" && eval "$*")
    (cd "$work/$name/windows" && eval "$*")
    run "$work/$name/linux" "$answers" "$window" "$linux"
    run "$work/$name/windows" "$answers" "$window" wine "$windows"
    local got
    got=$(cat "$work/$name/linux/status.txt")
    if [ "$got" != "$status" ]; then
        echo "FAIL $name: the Linux build ended with status $got, not $status"
        failures=$((failures + 1))
    elif ! diff -r --text "$work/$name/linux" "$work/$name/windows" > "$work/$name.diff"; then
        echo "FAIL $name: the Windows build differs:"
        head -40 "$work/$name.diff"
        failures=$((failures + 1))
    else
        echo "same: $name (status $status; $(cd "$work/$name/windows" && echo *))"
    fi
}

settings() { printf 'Filename:%s\r\n' "$1" > filename.dat; }
ammonia() { cp "$examples/ammonia-ts-freq.out" . && settings ammonia-ts-freq.out; }

# The licence and its second page, a wrong mode, an amplitude out of range, the corrected mode;
# the first frequency is negative, so newcoordinates.xyz is written; then the window.
check whole-run 'yes\n\n9\nn\n3\n0.4\n1\n' window 0 ammonia
# No settings file: it is made with Output.dat, which is missing; Enter ends the run.
check no-settings '\n\n' none 1 true
# A wrong mode, then 0 to leave.
check wrong-mode-then-0 '\n7\n\n0\n' none 0 ammonia
# A mode that is not a number: the text layer's diagnostic and status -1.
check mode-not-a-number '\nseven\n' none 255 ammonia
# A listing cut inside its normal-mode block.
check cut-listing '\n1\n\n' none 255 \
    'head -c 5100 "$examples/ammonia-ts-freq.out" > cut.out && settings cut.out'
# The command line: the modes listed; a mode the file lacks and an amplitude out of range
# refused; the file, mode and amplitude given, nothing asked, then the window.
options=(--list ammonia-ts-freq.out)
check list '' none 0 ammonia
options=(--mode 7 ammonia-ts-freq.out)
check mode-refused '' none 2 ammonia
options=(--amplitude 2.5)
check amplitude-refused '' none 2 ammonia
options=(--mode 2 --amplitude 2 ammonia-ts-freq.out)
check answered '' window 0 'cp "$examples/ammonia-ts-freq.out" .'
options=()

[ "$failures" = 0 ] || exit 1
