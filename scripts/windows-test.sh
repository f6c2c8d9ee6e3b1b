#!/usr/bin/env bash
# Builds the Windows executable molvane.exe with mingw-w64 and tests it under Wine: the shared
# code's unit tests and the Win32 binding's tests run as Windows programs; molvane.exe's
# console is compared byte for byte with the Linux build's; its window is driven on a private
# Xvfb with a 24-bit screen, and an 8-bit screen on which no pixel format matches.
# Builds into build-win/ (Windows) and build-win-host/ (the Linux molvane it is compared with),
# and packs molvane.exe with the examples into build-win/molvane-<version>-win64.zip.
# Usage: scripts/windows-test.sh
set -euo pipefail
began=$(date +%s)
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"

bash "$root/scripts/install-deps.sh" g++-mingw-w64-x86-64 wine wine64 unzip

# A fresh Wine prefix, made while the programs build (no Mono or Gecko: nothing here needs
# them), and a private X server.
wine_home=$(mktemp -d)
export WINEPREFIX="$wine_home/prefix" WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml=" \
       WINEDEBUG=-all
xvfb_pid=""
cleanup() {
    wineserver -k 2>/dev/null || true # before its X server goes
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$wine_home"
}
trap cleanup EXIT

n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x1024x24 -screen 1 1024x768x8 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do xdpyinfo -display ":$n" >/dev/null 2>&1 && break; sleep 0.1; done
export DISPLAY=":$n.0" MOLVANE_DEPTH8_DISPLAY=":$n.1"

# The Wine server stays up for the whole run, so no test waits for it to start. Windows are
# unmanaged: with no window manager running, Wine would wait for one at every window's end.
mkdir -p "$WINEPREFIX"
wineserver -p
(wineboot -i && wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f) \
    </dev/null >/dev/null 2>&1 &
boot_pid=$!

host="$root/build-win-host"
cross="$root/build-win"
cmake -S "$root" -B "$host" -DMOLVANE_WERROR=ON -DMOLVANE_TESTS=OFF -DMOLVANE_BENCH=OFF >/dev/null
cmake --build "$host" --target molvane -j2 >/dev/null
mkdir -p "$cross"
g++ -std=c++20 -O1 -Wall -Wextra -Werror -I"$root" -o "$cross/x_probe" \
    "$root/tests/support/x_probe.cpp" "$root/tests/support/x_helpers.cpp" -lX11 -lXtst
cmake -S "$root" -B "$cross" -DMOLVANE_WERROR=ON -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DMOLVANE_BENCH=OFF -DMOLVANE_LINUX_MOLVANE="$host/program/molvane" \
      -DMOLVANE_X_PROBE="$cross/x_probe" >/dev/null
cmake --build "$cross" -j2 >/dev/null

# molvane.exe needs Windows' own DLLs and nothing else.
allowed=" advapi32.dll gdi32.dll glu32.dll kernel32.dll msvcrt.dll opengl32.dll user32.dll "
for dll in $(x86_64-w64-mingw32-objdump -p "$cross/program/molvane.exe" |
             awk '/DLL Name:/ { print tolower($3) }'); do
    case $allowed in
        *" $dll "*) ;;
        *) echo "molvane.exe needs $dll, which Windows does not bring"; exit 1 ;;
    esac
done

wait "$boot_pid"

status=0
ctest --test-dir "$cross" --output-on-failure -j2 </dev/null || status=$?

# The .zip for Windows users: molvane.exe with the licence and the examples.
(cd "$cross" && cpack -G ZIP >/dev/null)
version=$(bash "$root/scripts/version.sh")
zip="$cross/molvane-$version-win64.zip"
listing=$(unzip -Z1 "$zip")
for f in molvane.exe README.md LICENSE examples/formaldehyde-freq.out examples/ammonia-ts-freq.out \
         examples/water-optfreq.out; do
    grep -qx "molvane-$version-win64/$f" <<<"$listing" || { echo "$zip lacks $f"; status=1; }
done
echo "Windows build and tests: $(($(date +%s) - began)) s"
exit "$status"
