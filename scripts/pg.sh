#!/usr/bin/env bash
# Sourced by the test script: starts a throw-away PostgreSQL server on loopback and exports
# ZOZURA_PG_HOST/PORT/USER/DB (and ZOZURA_PG_DATA, ZOZURA_PG_BIN for tests that stop and restart it).
zz_pg_start() {
  local bin
  bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  [ -n "$bin" ] || { echo "PostgreSQL binaries not found" >&2; return 1; }
  # the first free port from 55432 on (another server may hold the usual one)
  local port=${ZOZURA_PG_PORT:-55432}
  while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do port=$((port + 1)); done
  local data
  data=$(mktemp -d /tmp/zozura-pg.XXXXXX)
  chown postgres:postgres "$data"
  runuser -u postgres -- "$bin/initdb" -D "$data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 >/dev/null
  runuser -u postgres -- "$bin/pg_ctl" -D "$data" -l "$data/server.log" -w \
      -o "-c listen_addresses=127.0.0.1 -p $port -k /tmp" start >/dev/null
  runuser -u postgres -- "$bin/createdb" -h 127.0.0.1 -p "$port" -U postgres zozura_test
  export ZOZURA_PG_HOST=127.0.0.1 ZOZURA_PG_PORT=$port ZOZURA_PG_USER=postgres ZOZURA_PG_DB=zozura_test
  export ZOZURA_PG_DATA=$data ZOZURA_PG_BIN=$bin
  echo "PostgreSQL on 127.0.0.1:$port ($data)"
}
zz_pg_stop() {
  [ -n "${ZOZURA_PG_DATA:-}" ] || return 0
  runuser -u postgres -- "$ZOZURA_PG_BIN/pg_ctl" -D "$ZOZURA_PG_DATA" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$ZOZURA_PG_DATA"
}
