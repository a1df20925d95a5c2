#!/usr/bin/env bash
# Builds the Debian package build/kelvora_<version>_<arch>.deb with CPack.
# Extra CMake options are passed on to the build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh -DCMAKE_INSTALL_PREFIX=/usr "$@"
cd build
rm -f kelvora_*.deb
cpack -G DEB >/dev/null
ls kelvora_*.deb
