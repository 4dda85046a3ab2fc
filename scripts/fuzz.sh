#!/usr/bin/env bash
# Builds the fuzz targets natively (clang, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs every target for the given seconds
# (default 300), several at once; fails when any target finds a crash, a
# leak, undefined behaviour or a broken check. Seeds come from
# tests/fuzz/corpus/<target>/; a target's longest seed (at least 4 KiB) sets
# the longest input it is given, unless the target bounds its inputs itself
# (the HTML reader and the page layout do); what a run finds besides them
# stays in build/fuzz/ (findings in build/fuzz/findings/).
#   scripts/fuzz.sh [seconds]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

SECONDS_EACH="${1:-300}"
FUZZ_BUILD="$BUILD/fuzz"
ensure_packages
cmake -S "$ROOT/tests/fuzz" -B "$FUZZ_BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$FUZZ_BUILD" -j "$JOBS" >/dev/null
log "fuzzing each target for ${SECONDS_EACH}s"

mkdir -p "$FUZZ_BUILD/findings"
run_target() {
  local name="$1" seeds="$ROOT/tests/fuzz/corpus/$1" work="$FUZZ_BUILD/corpus/$1" rc=0
  mkdir -p "$work"
  "$FUZZ_BUILD/fuzz_$name" "$work" "$seeds" -max_total_time="$SECONDS_EACH" -timeout=20 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$FUZZ_BUILD/findings/$name-" \
      >"$FUZZ_BUILD/$name.log" 2>&1 || rc=$?
  echo "$rc" >"$FUZZ_BUILD/$name.rc"
}
export -f run_target
export ROOT FUZZ_BUILD SECONDS_EACH

targets=()
for dir in "$ROOT"/tests/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
rm -f "$FUZZ_BUILD"/*.rc
# All at once: each is one process, and the run is bounded by time.
printf '%s\n' "${targets[@]}" | xargs -P "${#targets[@]}" -I{} bash -c 'run_target {}'
failed=0
for name in "${targets[@]}"; do
  if [ "$(cat "$FUZZ_BUILD/$name.rc" 2>/dev/null)" = 0 ]; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$FUZZ_BUILD/$name.log" | grep -o '[0-9]*$' || echo '?')
    rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$FUZZ_BUILD/$name.log" | grep -o '[0-9]*$' || echo '?')
    log "fuzz_$name: $runs runs ($rate a second), no finding"
  else
    failed=1
    log "fuzz_$name FOUND A FAULT (log: $FUZZ_BUILD/$name.log)"
    grep -E 'ERROR|runtime error|check failed|SUMMARY' "$FUZZ_BUILD/$name.log" | head -5 >&2 || true
  fi
done
exit $failed
