#!/usr/bin/env bash
# Takes the pictures of docs/USER_GUIDE.md again, from the demo book, on a
# virtual X display (Xvfb), so that they follow the windows when these change.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target kelvora-screenshots >/dev/null
OUT="${1:-docs/images}"
DISPLAY_NUMBER="${KELVORA_XVFB_DISPLAY:-:56}"
Xvfb "$DISPLAY_NUMBER" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X${DISPLAY_NUMBER#:}" ] && break
    sleep 0.1
done
# A user's own DIADROMH.DAT or settings are never read: a configuration folder of its own.
cfg=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$cfg"' EXIT
DISPLAY="$DISPLAY_NUMBER" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$cfg" LANG=el_GR.UTF-8 \
    build/bin/kelvora-screenshots "$OUT"
