#!/usr/bin/env bash
# Installs the Debian packages Kelvora needs to build, test and run.
set -euo pipefail
PKGS=(cmake ninja-build g++ pkg-config
      qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev qt6-charts-dev
      libsqlcipher-dev sqlcipher libssl-dev libxlsxwriter-dev
      postgresql libpq-dev
      libgtest-dev libgmock-dev libbenchmark-dev
      fonts-liberation fonts-dejavu-core
      poppler-utils xvfb xauth imagemagick python3-openpyxl
      clang libclang-rt-14-dev
      dpkg-dev desktop-file-utils appstream)
# The package check (scripts/check-package.sh): lintian, and hardening-check of
# devscripts, whose long list of recommended tools is not needed.
LEAN_PKGS=(lintian devscripts file man-db)
missing() {
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
    done
}
mapfile -t missing_pkgs < <(missing "${PKGS[@]}")
mapfile -t missing_lean < <(missing "${LEAN_PKGS[@]}")
if [ ${#missing_pkgs[@]} -gt 0 ] || [ ${#missing_lean[@]} -gt 0 ]; then
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    [ ${#missing_pkgs[@]} -eq 0 ] || DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing_pkgs[@]}"
    [ ${#missing_lean[@]} -eq 0 ] || DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing_lean[@]}"
fi
