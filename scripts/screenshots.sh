#!/usr/bin/env bash
# Takes the README's pictures from the real program on an X server of its own (Xvfb), driven
# with xdotool: the main window after a query of the demo data, the graph window of the dollar
# column, and the first-start question on the message screen. Writes docs/*.png.
#   ZOZURA_SCREENSHOT_DIR  where the pictures go (default: docs)
#   ZOZURA_DEMO_SKIP_BUILD=1  use the program as already built
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZOZURA_BUILD_DIR:-$root/build}
out=${ZOZURA_SCREENSHOT_DIR:-$root/docs}
mkdir -p "$out"
work=$(mktemp -d /tmp/zozura-shots.XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# the demo's system folder, made anew in the scratch folder
ZOZURA_DEMO_DIR=$work/demo ZOZURA_DEMO_SKIP_BUILD=${ZOZURA_DEMO_SKIP_BUILD:-0} \
  bash "$root/scripts/demo.sh" --prepare-only

n=$((200 + $$ % 200))
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=":$n"
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# The window of process $1 titled exactly $2 (waits up to 15 s).
window_of() {
  local id
  for _ in $(seq 150); do
    for id in $(xdotool search --all --onlyvisible --pid "$1" --name . 2>/dev/null); do
      [ "$(xdotool getwindowname "$id")" = "$2" ] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  echo "no window '$2'" >&2
  return 1
}
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.2; }
type_into() { click "$1" "$2" "$3"; xdotool key ctrl+a BackSpace; xdotool type --delay 10 -- "$4"; }
# A small PNG of window $1: 256 colours are plenty for flat controls and hinted text.
shoot() { import -window "$1" -strip -define png:compression-level=9 "PNG8:$out/$2"; echo "wrote $out/$2"; }

mkdir -m 700 "$work/run"
main_env=(ZEVARU_SYSTEM_DIR="$work/demo" ODBCSYSINI="$work/demo" XDG_RUNTIME_DIR="$work/run"
          QT_QPA_PLATFORM=xcb)
env "${main_env[@]}" "$build/zozura" 2>"$work/main.log" &
pid=$!
pids+=($pid)
w=$(window_of $pid "환율관리 프로그램")
# points of the window's controls at its start-up size (as the end-to-end driver uses them)
type_into "$w" 139 137 "2026/09/01"
type_into "$w" 241 137 "2026/12/08"
click "$w" 335 137
sleep 1.5
click "$w" 83 218 # the second day into the input panel
sleep 0.5
shoot "$w" main-window.png

# the graph button's column menu opens at the pointer; its first item charts the dollar rate
xdotool mousemove --window "$w" 777 191 click 3
sleep 0.7
xdotool mousemove_relative 60 40 click 1
g=$(window_of $pid "Graph [환율관리 프로그램]")
sleep 1
shoot "$g" graph-window.png
kill $pid
wait $pid 2>/dev/null || true

# the first start of a user on a computer without a system folder
mkdir -m 700 "$work/run2"
if [ -e /etc/zevaru ]; then
  echo "/etc/zevaru exists: the first-start question is not asked here; message-screen.png kept" >&2
  exit 0
fi
# the question only shows the folder: it is never answered here, so the home is never made
env -u ZEVARU_SYSTEM_DIR -u XDG_DATA_HOME HOME=/home/kim USER=kim \
  XDG_RUNTIME_DIR="$work/run2" ODBCSYSINI="$work/demo" QT_QPA_PLATFORM=xcb ZOZURA_LOG_MSGSCR=1 \
  "$build/zozura" 2>"$work/first.log" &
pid=$!
pids+=($pid)
for _ in $(seq 150); do grep -q '^msgscr:' "$work/first.log" && break; sleep 0.1; done
m=$(window_of $pid " MessageBox...")
sleep 0.3
shoot "$m" message-screen.png
kill $pid
