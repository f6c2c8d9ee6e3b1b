# Set-up shared by the end-to-end window tests, sourced by them: the window's title, a scratch
# directory removed at the end (the program too, if it still runs), fail(), the start and end of
# a run of the program on a bundled example, and keys typed in its window.
title="Molvane Version $(bash "$(dirname "${BASH_SOURCE[0]}")/../../scripts/version.sh")"

# require_display: the Linux window tests need the test X server; without one they are
# skipped (status 77).
require_display() {
    if [ -z "${DISPLAY:-}" ]; then
        echo "DISPLAY is not set (scripts/test.sh starts an Xvfb server); skipped"
        exit 77
    fi
}
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
    tail -20 "$work/console.txt" 2>/dev/null
    if [ -s "$work/errors.txt" ]; then
        echo "--- standard error:"
        tail -20 "$work/errors.txt"
    fi
    exit 1
}

# start EXAMPLE COMMAND...: copies EXAMPLE into the scratch directory with a settings file
# naming it, then runs COMMAND there in the background ($pid), with a time limit, answering no
# licence, mode 1, the default amplitude; standard output goes to console.txt, standard error
# to errors.txt.
start() {
    local example=$1
    shift
    cp "$example" "$work/"
    printf 'Filename:%s\r\n' "$(basename "$example")" > "$work/filename.dat"
    printf '\n1\n\n' | (cd "$work" && exec timeout 60 "$@" > console.txt 2> errors.txt) &
    pid=$!
}

# Waits for the program started by start; its exit status in $status.
finish() {
    wait "$pid"
    status=$?
    pid=""
}

# end_by escape|close X_PROBE WIN: ends the run by typing Escape in the window or by asking it
# to close, as a window manager would; fails unless the program then ends with status 0.
end_by() {
    local ending=$1 probe=$2 win=$3
    case $ending in
        escape) "$probe" key "$win" Escape || fail "cannot type Escape" ;;
        close) "$probe" close "$win" || fail "cannot ask the window to close" ;;
        *) fail "no ending called \"$ending\"" ;;
    esac
    finish
    [ "$status" = 0 ] || fail "program ended with status $status after $ending"
}

# Fails unless the program wrote nothing on standard error.
no_errors() {
    [ ! -s "$work/errors.txt" ] || fail "standard error: $(head -c 300 "$work/errors.txt")"
}

# find_window PROBE: waits (at most 20 s) for the program's window and sets $win to it; fails
# when the program ends first or no window comes.
find_window() {
    win=""
    for _ in $(seq 40); do
        kill -0 "$pid" 2>/dev/null || fail "the program ended before its window was found"
        win=$("$1" find "$title" 0.5 2>/dev/null) && break
    done
    [ -n "$win" ] || fail "no window titled \"$title\""
}

# wait_for TEXT: until the console holds TEXT (at most 30 s); fails when the program ends first.
wait_for() {
    for _ in $(seq 300); do
        grep -qF "$1" "$work/console.txt" && return 0
        kill -0 "$pid" 2>/dev/null || fail "the program ended while waiting for \"$1\""
        sleep 0.1
    done
    fail "no console line \"$1\""
}

# The keys below are typed in the window $win through the X probe $probe (find_window).
# type_key KEY: types KEY.
type_key() { "$probe" key "$win" "$1" || fail "cannot type $1"; }

# press KEY LINE [TITLE]: types KEY, waits for the console line LINE it writes and checks the
# window's title, "Molvane - TITLE" (TITLE: LINE unless given).
press() {
    type_key "$1"
    wait_for "$2"$'\r'
    local shown
    shown=$("$probe" title "$win")
    [ "$shown" = "Molvane - ${3:-$2}" ] || fail "title after $1: \"$shown\""
}
