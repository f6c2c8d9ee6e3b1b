#!/usr/bin/env bash
# Installs what building, running and testing Molvane needs on Debian (run as root, or with
# sudo). Packages already present are left alone, so a second run costs only the check.
# Usage: scripts/install-deps.sh [PACKAGE...]   (no names: the packages of the Linux build)
set -euo pipefail
packages=(cmake g++ make pkg-config libgl1-mesa-dev libglu1-mesa-dev libx11-dev libxtst-dev
          libgif-dev libpng-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
          libegl-dev libegl-mesa0 libgl1-mesa-dri libcairo2-dev libexpat1-dev
          libgtest-dev libgmock-dev libbenchmark-dev xvfb xdotool x11-utils
          nlohmann-json3-dev libcsv-dev
          clang libclang-rt-14-dev)
[ $# -gt 0 ] && packages=("$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO=sudo
    install() {
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
            "${missing[@]}" >/dev/null
    }
    # The package lists of an earlier install usually serve; fetch them only when they do not.
    install 2>/dev/null || { $SUDO apt-get update -qq && install; }
fi
