#!/usr/bin/env bash
# Builds Molvane as Debian would: Release, with dpkg-buildflags and every hardening feature, the
# tests and benchmarks included so that they are known to build at -O3 too. Then checks the
# tree `cmake --install` makes (files in place, desktop entry and manual page valid, the binary
# hardened and working), builds the .deb with cpack, and installs and removes it with dpkg (as
# root, or with sudo). Builds into build-package/.
# Usage: scripts/package-check.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/install-deps.sh" dpkg-dev file desktop-file-utils man-db
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo

fail() { echo "package-check: $*" >&2; exit 1; }
version=$(bash "$root/scripts/version.sh")

dir="$root/build-package"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DMOLVANE_WERROR=ON -DMOLVANE_TESTS=ON -DMOLVANE_BENCH=ON \
      -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags" \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$dir" -j2 >/dev/null

# The install tree.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
stage="$scratch/stage"
DESTDIR="$stage" cmake --install "$dir" >/dev/null
expected="usr/bin/molvane
usr/share/applications/molvane.desktop
usr/share/doc/molvane/README.md
usr/share/doc/molvane/copyright
usr/share/doc/molvane/docs/formaldehyde-ir.png
usr/share/doc/molvane/docs/formaldehyde-mode1.gif
usr/share/doc/molvane/docs/molvane-window.png
usr/share/doc/molvane/examples/README.md
usr/share/doc/molvane/examples/ammonia-ts-freq.out
usr/share/doc/molvane/examples/formaldehyde-freq.out
usr/share/doc/molvane/examples/water-optfreq.out
usr/share/man/man1/molvane.1.gz"
installed=$(cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ] || fail "install tree differs:
$(diff <(echo "$expected") <(echo "$installed") || true)"
[ -x "$stage/usr/bin/molvane" ] || fail "usr/bin/molvane is not executable"

desktop-file-validate "$stage/usr/share/applications/molvane.desktop" ||
    fail "desktop-file-validate complains"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l \
           "$stage/usr/share/man/man1/molvane.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man --warnings:
$warnings"

# Hardened as dpkg-buildflags asks: position independent, read-only relocations bound at once.
elf="$stage/usr/bin/molvane"
# (Outputs are read whole before grep -q, which may stop reading early: a pipe would fail.)
grep -q 'Type:.*DYN' <<<"$(readelf -h "$elf")" || fail "molvane is not position independent"
grep -q GNU_RELRO <<<"$(readelf -l "$elf")" || fail "molvane lacks RELRO"
grep -Eq 'BIND_NOW|FLAGS.*NOW' <<<"$(readelf -d "$elf")" || fail "molvane is not linked with -z now"
grep -q '__stack_chk_fail' <<<"$(readelf -s --wide "$elf")" || fail "molvane has no stack protector"

# The installed program answers its options and runs the dialogue on an installed example.
check_program() { # $1: the molvane to run, $2: the examples directory
    local out status run="$scratch/run"
    rm -rf "$run" && mkdir -p "$run"
    cd "$run" # whatever it does, the program works here, in a scratch directory
    out=$("$1" --version </dev/null) || fail "$1 --version failed"
    [ "$out" = "molvane $version" ] || fail "$1 --version printed '$out'"
    out=$("$1" --help </dev/null) || fail "$1 --help failed"
    grep -q 'molvane' <<<"$out" || fail "$1 --help does not name the program"
    status=0
    "$1" --no-such-option </dev/null >/dev/null 2>&1 || status=$?
    [ "$status" -eq 2 ] || fail "an unknown option ended with status $status, not 2"
    rm -f filename.dat
    cp "$2/ammonia-ts-freq.out" .
    printf 'Filename:ammonia-ts-freq.out\r\n' >filename.dat
    status=0
    out=$(printf '\n1\n\n' | env -u DISPLAY "$1" 2>&1) || status=$?
    # No display: the dialogue runs through, writes its file, and the program ends with 1.
    [ "$status" -eq 1 ] || fail "the dialogue without a display ended with $status, not 1"
    grep -q 'You Will See Normal Mode =           1' <<<"$out" || fail "no summary: $out"
    [ -s newcoordinates.xyz ] || fail "newcoordinates.xyz was not written"
    # With no display at all, --gif draws offscreen (EGL) and writes the animation.
    out=$(printf '\n1\n\n' | env -u DISPLAY "$1" --gif mode1.gif 2>&1) || fail "--gif failed: $out"
    [ "$(head -c 6 mode1.gif)" = GIF89a ] || fail "--gif wrote no GIF"
    # --png draws the still offscreen too, with bonds and the labels' font.
    out=$(printf '\n1\n\n' | env -u DISPLAY "$1" --png still.png --size 320x240 --bonds --labels 2>&1) ||
        fail "--png failed: $out"
    [ "$(head -c 4 still.png | tail -c 3)" = PNG ] || fail "--png wrote no PNG"
    # --spectrum asks nothing: the picture of the installed example, through cairo.
    out=$("$1" --spectrum ir.png ammonia-ts-freq.out </dev/null 2>&1) || fail "--spectrum failed: $out"
    [ "$(head -c 4 ir.png | tail -c 3)" = PNG ] || fail "--spectrum wrote no PNG"
    cd "$root"
}
check_program "$elf" "$stage/usr/share/doc/molvane/examples"
echo "install tree: $(wc -l <<<"$installed") files, desktop entry and manual page clean"

# The package: dependencies from the binary, installed and removed with dpkg.
(cd "$dir" && cpack -G DEB >"$scratch/cpack.log" 2>&1) ||
    { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$dir"/molvane_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "$(basename "$deb"): Depends: $depends"
for lib in libc6 libglu1-mesa libopengl0 libx11-6 libegl1 libgif7 libcairo2 libpng16-16 \
           libfreetype6 libfontconfig1; do
    grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib"
done
[ "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print substr($6, 2) }' | LC_ALL=C sort)" = \
  "$(sed 's|^|/|' <<<"$expected")" ] || fail "the package's files differ from the install tree"

if dpkg-query -W -f='${Status}' molvane 2>/dev/null | grep -q 'install ok installed'; then
    fail "molvane is installed already; remove it (dpkg -r molvane) before this check"
fi
dpkg_retry() { # dpkg allows one caller at a time; another build may hold its lock briefly
    local i
    for i in $(seq 30); do
        $SUDO dpkg "$@" >/dev/null 2>"$scratch/dpkg.err" && return 0
        grep -q 'lock' "$scratch/dpkg.err" || { cat "$scratch/dpkg.err" >&2; return 1; }
        sleep 2
    done
    cat "$scratch/dpkg.err" >&2
    return 1
}
dpkg_retry -i "$deb" || fail "dpkg -i failed"
trap '$SUDO dpkg -P molvane >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
files=$(dpkg -L molvane)
check_program /usr/bin/molvane /usr/share/doc/molvane/examples
man -w molvane >/dev/null || fail "man does not find the installed page"
dpkg_retry -P molvane || fail "dpkg -P failed"
trap 'rm -rf "$scratch"' EXIT
for f in $files; do
    [ -d "$f" ] || [ ! -e "$f" ] || fail "$f is left after removing the package"
done
dpkg-query -W -f='${Status}' molvane 2>/dev/null | grep -q 'install ok installed' &&
    fail "molvane is still registered after dpkg -P"
echo "package: installs and removes cleanly with dpkg"
