#!/usr/bin/env bash
# Configures and builds into ${ZOZURA_BUILD_DIR:-build}. Extra cmake arguments may follow.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZOZURA_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build"
