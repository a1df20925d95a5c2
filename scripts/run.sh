#!/usr/bin/env bash
# Installs what is missing, builds, prepares a demo data folder (once) and
# starts Kelvora on it. Log in as "demo" with the password "demo".
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
DATA="${KELVORA_DATA:-$PWD/demo-data}"
if [ ! -f "$DATA/kelvora.mdb" ]; then
    build/bin/kelvora-demo "$DATA"
fi
# The program finds its data folder through DIADROMH.DAT beside it.
printf '%s\n' "$DATA" > build/bin/DIADROMH.DAT
exec build/bin/kelvora "$@"
