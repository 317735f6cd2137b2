#!/usr/bin/env bash
# The linters CI runs before the suite; any finding fails the script.
#   1. clang-format (the repository's .clang-format) over every tracked .cpp/.h, check mode
#   2. clang-tidy (.clang-tidy) over src/ and tools/, one file per core, with the compile commands
#      of a clang configure in ${ZOZURA_LINT_BUILD_DIR:-build-lint} (configured only, not built)
#   3. the layering check (cmake/Layers.cmake): no folder includes a higher one
#   4. the naming check (cmake/DesignNames.cmake): no sb/fn name the design does not give
# ZOZURA_LINT_FILES limits step 2 to the given files (space separated), for a quick look.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${ZOZURA_LINT_BUILD_DIR:-$root/build-lint}
jobs=${ZOZURA_LINT_JOBS:-$(nproc)}
failed=0

# the tracked sources; a checkout without git's metadata (or one git will not read as this user)
# falls back to the same folders on disk
sources() {
  if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$root" ls-files -- "$@"
  else
    local pattern
    for pattern in "$@"; do
      case $pattern in
        */*) find "${pattern%%/*}" -name "${pattern#*/}" -type f ;;
        *) find src tools tests examples bench fuzz -name "$pattern" -type f 2>/dev/null ;;
      esac
    done | sort
  fi
}

t0=$(date +%s)
echo "== clang-format"
if ! sources '*.cpp' '*.h' | tr '\n' '\0' | xargs -0 clang-format-14 --dry-run --Werror; then
  echo "clang-format: run clang-format-14 -i on the files above"
  failed=1
fi

t1=$(date +%s)
echo "== clang-tidy"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DZOZURA_BENCH=OFF >/dev/null
if [ -n "${ZOZURA_LINT_FILES:-}" ]; then
  read -r -a files <<<"$ZOZURA_LINT_FILES"
else
  mapfile -t files < <(sources 'src/*.cpp' 'tools/*.cpp')
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# each file's findings go to a file of their own, so that parallel runs do not mix their lines
printf '%s\n' "${files[@]}" | xargs -P "$jobs" -I{} sh -c \
  'f="$1"; clang-tidy-14 -p "$2" --quiet --warnings-as-errors="*" "$f" >"$3/$(echo "$f" | tr / _).log" 2>&1 || echo "$f" >>"$3/failed"' \
  _ {} "$build" "$out"
if [ -s "$out/failed" ]; then
  # a header's finding shows once for each file that includes it: print each finding once
  cat "$out"/*.log | grep -E '^/.*: (warning|error): ' | sort -u
  echo "clang-tidy: findings in $(sort -u "$out/failed" | wc -l) file(s) or the headers they include"
  failed=1
fi

t2=$(date +%s)
echo "== layering"
cmake -DROOT="$root" -P "$root/cmake/CheckLayers.cmake" || failed=1
echo "== naming"
cmake -DROOT="$root" -P "$root/cmake/CheckNames.cmake" || failed=1

t3=$(date +%s)
echo "lint: clang-format $((t1 - t0)) s, clang-tidy $((t2 - t1)) s (${#files[@]} files, $jobs at once), layering $((t3 - t2)) s"
exit $failed
