#!/usr/bin/env bash
# Installs what is missing, builds, starts PostgreSQL on loopback and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
export ZOZURA_BUILD_DIR=${ZOZURA_BUILD_DIR:-$root/build}
# warnings are errors here, as in every CI build
bash "$root/scripts/build.sh" -DZOZURA_WERROR=ON "$@"
# shellcheck source=pg.sh
source "$root/scripts/pg.sh"
zz_pg_start
trap zz_pg_stop EXIT
export ZOZURA_REQUIRE_PG=1
ctest --test-dir "$ZOZURA_BUILD_DIR" --output-on-failure -j2
