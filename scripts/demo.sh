#!/usr/bin/env bash
# Installs what is missing, builds the program, prepares a demo system directory
# (ZEVARU.DAT, registry.ini, a SQLite database of about three years of daily rates) and starts
# the program on it.
#   --prepare-only            stop before starting the program
#   --reset                   make the demo database anew (it is kept between runs otherwise)
#   ZOZURA_DEMO_DIR           the demo system directory (default: build/demo)
#   ZOZURA_DEMO_SKIP_BUILD=1  use the program as already built
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prepare_only=0
reset=0
for a in "$@"; do
  case $a in
    --prepare-only) prepare_only=1 ;;
    --reset) reset=1 ;;
    *) echo "usage: bash scripts/demo.sh [--prepare-only] [--reset]" >&2; exit 64 ;;
  esac
done

build=${ZOZURA_BUILD_DIR:-$root/build}
if [ "${ZOZURA_DEMO_SKIP_BUILD:-0}" != 1 ]; then
  bash "$root/scripts/deps.sh"
  cmake -S "$root" -B "$build" -G Ninja >/dev/null
  cmake --build "$build" --target zozura zevaru-conf
fi

demo=${ZOZURA_DEMO_DIR:-$build/demo}
mkdir -p "$demo"
"$build/tools/zevaru-conf" write --file "$demo/ZEVARU.DAT" \
  --server sqlite --user demo --password demo --database zozura-demo.db >/dev/null
cat > "$demo/registry.ini" <<'INI'
[SOFTWARE\ZEVARU]
REG_USERID=DEMO01
REG_USERNAME=데모 사용자
INI
if [ "$reset" = 1 ]; then
  rm -f "$demo/zozura-demo.db"
fi
if [ ! -s "$demo/zozura-demo.db" ]; then
  rm -f "$demo/zozura-demo.db"
  python3 "$root/scripts/seed_demo.py" "$demo/zozura-demo.db" "$root/sql/sqlite.sql" DEMO01
fi

# the program registers its report data source at start; keep the demo's inside the demo folder
export ZEVARU_SYSTEM_DIR=$demo
export ODBCSYSINI=$demo
[ "$prepare_only" = 1 ] && exit 0

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to show the window on; run it under Xvfb: xvfb-run -a -s \"-screen 0 1280x1024x24 -dpi 96\" bash scripts/demo.sh"
  exit 1
fi
exec "$build/zozura"
