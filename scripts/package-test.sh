#!/usr/bin/env bash
# The package on this machine, as an office gets it: builds and checks the .deb
# (scripts/package.sh), installs it with apt-get, runs the first-start case of the end-to-end
# tests on the installed /usr/bin/zozura as an ordinary user (nobody) with a fresh home and no
# system folder, then purges the package and checks that none of its files is left behind.
# Needs root (apt-get); run after a build of build/ (as scripts/test.sh leaves it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZOZURA_BUILD_DIR:-$root/build}
[ "$(id -u)" = 0 ] || { echo "package-test.sh installs a package: run it as root" >&2; exit 1; }
if dpkg-query -W -f='${Status}' zozura 2>/dev/null | grep -q 'install ok installed'; then
  echo "zozura is installed already: remove it first (apt-get purge zozura)" >&2
  exit 1
fi
# warnings are errors, as in every CI build
bash "$root/scripts/package.sh" -DZOZURA_WERROR=ON
deb=$(ls "$build"/zozura_*.deb)

work=$(mktemp -d /tmp/zozura-pkgtest.XXXXXX)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
# everything under the package's own names outside the users' homes, before and after
traces() {
  find /etc /usr /opt /var/lib /var/cache -xdev \( -iname '*zozura*' -o -iname '*zevaru*' \) \
    -not -path '/var/lib/dpkg/*' -not -path '/var/cache/apt/*' -not -path '/var/cache/man/*' \
    2>/dev/null | sort
}
traces >"$work/before"

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q "$deb" >"$work/apt-install.log" 2>&1 || { cat "$work/apt-install.log"; exit 1; }
dpkg -L zozura | sort >"$work/files"
for f in /usr/bin/zozura /usr/bin/zevaru-conf /usr/bin/zevaru-rates /usr/share/applications/org.zozura.zozura.desktop \
         /usr/share/metainfo/org.zozura.zozura.metainfo.xml \
         /usr/share/icons/hicolor/scalable/apps/org.zozura.zozura.svg \
         /usr/share/man/man1/zozura.1.gz /usr/share/zozura/registry.ini; do
  grep -qx "$f" "$work/files" || { echo "the package lacks $f" >&2; exit 1; }
done
grep -q '/zozura/zozura_sqlite_getdate.so$' "$work/files" || { echo "the package lacks the GETDATE() extension" >&2; exit 1; }

# the first start on the installed program, as an ordinary user with nothing but a fresh home
user=nobody
group=$(id -gn "$user")
mkdir -p "$work/home" "$work/run" "$work/tmp" "$work/build"
cp "$build/tests/e2e/tst_e2e_firstrun" "$work/"
chown -R "$user:$group" "$work/home" "$work/run" "$work/tmp" "$work/build"
chmod 700 "$work/run"
status=0
env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 HOME="$work/home" TMPDIR="$work/tmp" \
    XDG_RUNTIME_DIR="$work/run" ZOZURA_BUILD_DIR="$work/build" ZOZURA_E2E_PROGRAM=/usr/bin/zozura \
    QT_QPA_PLATFORM=offscreen \
  setpriv --reuid="$user" --regid="$group" --clear-groups -- "$work/tst_e2e_firstrun" || status=$?

apt-get purge -y -q zozura >"$work/apt-purge.log" 2>&1 || { cat "$work/apt-purge.log"; exit 1; }
left=()
# every file of the package must go, and its own folders with them
while read -r f; do
  [ -d "$f" ] || [ ! -e "$f" ] || left+=("$f")
done <"$work/files"
for d in /usr/share/zozura /usr/share/doc/zozura $(grep '/lib/.*/zozura$' "$work/files" || true); do
  if [ -e "$d" ]; then left+=("$d"); fi
done
traces >"$work/after"
if ! diff -u "$work/before" "$work/after"; then
  echo "the package left files behind (above)" >&2
  status=1
fi
if [ ${#left[@]} -gt 0 ]; then
  printf 'left after purge: %s\n' "${left[@]}" >&2
  status=1
fi
[ "$status" = 0 ] && echo "package test: installed, first start taken by $user, purged without a trace"
exit $status
