#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when missing.
set -euo pipefail
pkgs=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libqt6printsupport6 qt6-image-formats-plugins
  libqt6sql6-sqlite libqt6sql6-odbc libqt6sql6-psql
  libsqlite3-dev sqlite3 libxlsxwriter-dev libzip-dev libfreexl-dev
  unixodbc unixodbc-dev tdsodbc odbc-postgresql libsqliteodbc
  postgresql
  openssl ca-certificates
  fonts-nanum-coding qt6-translations-l10n libc-l10n locales-all
  xvfb xauth xdotool xclip imagemagick libxcb1-dev python3 python3-openpyxl python3-xlwt
  clang libclang-rt-14-dev llvm-14 clang-format-14 clang-tidy-14
  dpkg-dev lintian appstream desktop-file-utils
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
