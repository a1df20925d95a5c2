#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh -DKELVORA_WERROR=ON
cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
