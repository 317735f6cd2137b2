#!/usr/bin/env bash
# Builds the Debian package into the build folder (installed under /usr) and checks it:
# lintian must report no error, the AppStream metainfo and the desktop entry must validate.
# Prints the package's file name, size and dependencies. Extra cmake arguments may follow.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZOZURA_BUILD_DIR:-$root/build}
bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_INSTALL_PREFIX=/usr "$@" >/dev/null
cmake --build "$build"
rm -f "$build"/zozura_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/zozura_*.deb)

appstreamcli validate --no-net "$root/dist/org.zozura.zozura.metainfo.xml"
desktop-file-validate "$root/dist/org.zozura.zozura.desktop"
# errors fail the build; warnings and notes are shown
lintian --fail-on error --tag-display-limit 0 --display-info "$deb" || { echo "lintian found errors in $deb" >&2; exit 1; }

echo "package: $deb ($(du -k "$deb" | cut -f1) KiB, installed $(dpkg-deb -f "$deb" Installed-Size) KiB)"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
echo "Recommends: $(dpkg-deb -f "$deb" Recommends)"
