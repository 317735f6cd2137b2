#!/usr/bin/env bash
# The sanitizer pass: builds everything with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# into its own build directory, runs the test suite there, then runs each fuzz target for a
# bounded time. Any sanitizer report, test failure or fuzzer finding fails the script.
#   ZOZURA_SANITIZE_BUILD_DIR  build directory (default: build-sanitize)
#   ZOZURA_FUZZ_SECONDS        time per fuzz target (default: 60; 0 replays the seed corpora only)
#   ZOZURA_SANITIZE_TESTS      ctest -R pattern to run a part of the suite (default: all)
# Starts its own PostgreSQL server unless ZOZURA_PG_HOST is already set.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
build=${ZOZURA_SANITIZE_BUILD_DIR:-$root/build-sanitize}
fuzz_seconds=${ZOZURA_FUZZ_SECONDS:-60}

t0=$(date +%s)
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
  -DZOZURA_SANITIZE=ON -DZOZURA_FUZZ=ON -DZOZURA_BENCH=OFF -DZOZURA_WERROR=ON >/dev/null
cmake --build "$build"
t1=$(date +%s)

# UB is fatal (the build also says -fno-sanitize-recover); leak checking stays on. The only
# suppression is the system D-Bus library's own buffer (scripts/lsan.supp says why): our code,
# Qt and the database drivers run clean.
export ASAN_OPTIONS=halt_on_error=1:check_initialization_order=1:detect_leaks=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if command -v llvm-symbolizer-14 >/dev/null; then
  ASAN_SYMBOLIZER_PATH=$(command -v llvm-symbolizer-14)
  export ASAN_SYMBOLIZER_PATH
fi

if [ -z "${ZOZURA_PG_HOST:-}" ]; then
  # shellcheck source=pg.sh
  source "$root/scripts/pg.sh"
  zz_pg_start
  trap zz_pg_stop EXIT
fi
export ZOZURA_REQUIRE_PG=1
filter=()
[ -n "${ZOZURA_SANITIZE_TESTS:-}" ] && filter=(-R "$ZOZURA_SANITIZE_TESTS")
ctest --test-dir "$build" --output-on-failure -j2 "${filter[@]}"
t2=$(date +%s)

# Both fuzz targets at once (one core each). A scratch corpus keeps the seed folders unchanged;
# a finding is kept under $build/fuzz-findings/ to replay with: TARGET FILE
findings=$build/fuzz-findings
mkdir -p "$findings"
limit=(-max_total_time="$fuzz_seconds")
[ "$fuzz_seconds" = 0 ] && limit=(-runs=0)
pids=()
for target in fuzz_confrecord fuzz_datechecks; do
  work=$build/fuzz-work/$target
  rm -rf "$work"
  mkdir -p "$work"
  "$build/fuzz/$target" "${limit[@]}" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/$target-" "$work" "$root/fuzz/corpus/$target" \
    >"$build/fuzz-work/$target.log" 2>&1 &
  pids+=($!)
done
failed=0
i=0
for target in fuzz_confrecord fuzz_datechecks; do
  if ! wait "${pids[$i]}"; then
    echo "== $target found a fault:"
    tail -n 60 "$build/fuzz-work/$target.log"
    failed=1
  else
    echo "== $target: $(grep -m1 'stat::number_of_executed_units' "$build/fuzz-work/$target.log" | awk '{print $2}') inputs, no finding"
  fi
  i=$((i + 1))
done
t3=$(date +%s)
echo "sanitizer pass: build $((t1 - t0)) s, tests $((t2 - t1)) s, fuzzing $((t3 - t2)) s"
exit $failed
