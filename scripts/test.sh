#!/usr/bin/env bash
# Installs what is missing, builds everything, assembles the program folder
# and runs every test under Wine on virtual displays. Extra arguments go to ctest.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

ensure_packages
trap wine_cleanup EXIT
trap 'exit 130' INT TERM
# The Wine prefix is made while the programs build: it needs nothing of them.
wine_display
wine_prefix &
prefix_job=$!
# The 32-bit program folder must keep building from the same sources; a
# failure there fails the run, after the tests have still been run.
rc=0
( BUILD="$BUILD/i686"; build_all i686 dist_ready ) || { rc=1; log "the i686 build FAILED"; }
build_all
# Every fuzz target for a short while; a finding fails the run.
"$ROOT/scripts/fuzz.sh" "${FUZZ_SECONDS:-20}" || { rc=1; log "fuzzing FOUND A FAULT"; }
wait "$prefix_job" || { log "the wine prefix could not be made"; exit 1; }
wine_env
# Window tests each take one of several desktops (ctest's "desktops"
# resource); the others share the first display and prefix. One more
# desktop is the benchmark's.
DESKTOPS="${DESKTOPS:-6}"
desktops_up "$DESKTOPS" 1

cd "$BUILD"
rm -f desktop.ready
"$WINE" "$BUILD/tools/desktop_keeper.exe" desktop.ready </dev/null >/dev/null 2>&1 &
for _ in $(seq 200); do [ -e desktop.ready ] && break; sleep 0.05; done
# The benchmark once with tiny sizes, beside the tests, so that it keeps
# working (no timing is judged); only when the whole suite runs.
bench_job=
if [ $# -eq 0 ]; then
  log "benchmark with tiny sizes"
  ( source "$BUILD/desktops/$DESKTOPS.env"
    ORVANE_WINEPREFIX="$WINEPREFIX" ORVANE_BUILT=1 "$ROOT/scripts/bench.sh" --tiny >"$BUILD/bench-tiny.log" 2>&1 ) &
  bench_job=$!
fi
log "running ctest"
# Every test runs once: a test that fails now and then is a fault to find.
ctest --output-on-failure -j "${CTEST_JOBS:-$JOBS}" --timeout 300 \
      --resource-spec-file "$BUILD/desktops/resources.json" "$@" || rc=$?
if [ -n "$bench_job" ] && ! wait "$bench_job"; then
  rc=1; log "the benchmark FAILED"; tail -20 "$BUILD/bench-tiny.log" >&2
fi
log "done"
exit $rc
