#!/usr/bin/env bash
# Installs the Debian packages Kelvora needs to build, test and run.
set -euo pipefail
PKGS=(cmake ninja-build g++ pkg-config
      qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools libgl-dev
      libsqlcipher-dev sqlcipher libssl-dev libxlsxwriter-dev
      libgtest-dev libgmock-dev libbenchmark-dev
      fonts-liberation fonts-dejavu-core
      poppler-utils xvfb xauth imagemagick python3-openpyxl
      clang libclang-rt-14-dev
      dpkg-dev desktop-file-utils appstream)
missing=()
for p in "${PKGS[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
