#!/usr/bin/env bash
# Installs the package as a user would, makes a data folder with the installed
# kelvora-newdb, starts the installed kelvora headless as far as the log-in
# window, checks the desktop files, then removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"

deb=$(scripts/package.sh | tail -n 1)
tmp=$(mktemp -d)
cleanup() {
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq kelvora >/dev/null 2>&1 || true
    rm -rf "$tmp"
}
trap cleanup EXIT

DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "./build/$deb" >/dev/null
dpkg-query -W -f='${Package} ${Version} installed; depends: ${Depends}\n' kelvora

kelvora-newdb "$tmp/data" --user check --password check --admin-code check-admin-code
# The program folder /usr/bin is not ours to write: DIADROMH.DAT goes to the
# user's configuration folder.
mkdir -p "$tmp/config/Kelvora"
printf '%s\n' "$tmp/data" > "$tmp/config/Kelvora/DIADROMH.DAT"
XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp" QT_QPA_PLATFORM=offscreen \
    timeout 60 kelvora --check-startup

for f in /usr/share/applications/org.kelvora.Kelvora.desktop \
         /usr/share/icons/hicolor/scalable/apps/org.kelvora.Kelvora.svg \
         /usr/share/metainfo/org.kelvora.Kelvora.metainfo.xml \
         /usr/share/man/man1/kelvora.1.gz /usr/share/man/man1/kelvora-newdb.1.gz; do
    test -s "$f" || { echo "missing $f" >&2; exit 1; }
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate /usr/share/applications/org.kelvora.Kelvora.desktop
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --explain /usr/share/metainfo/org.kelvora.Kelvora.metainfo.xml >/dev/null \
        || appstreamcli validate --no-net /usr/share/metainfo/org.kelvora.Kelvora.metainfo.xml
fi

DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq kelvora >/dev/null
test ! -e /usr/bin/kelvora
echo "package check passed: $deb"
