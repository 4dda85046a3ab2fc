#!/usr/bin/env bash
# Installs what is missing, builds everything, assembles the program folder
# and runs every test under Wine with a virtual display. Extra arguments go to ctest.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

ensure_packages
# The 32-bit program folder must keep building from the same sources; a
# failure there fails the run, after the tests have still been run.
rc=0
( BUILD="$BUILD/i686"; build_all i686 dist_ready ) || { rc=1; log "the i686 build FAILED"; }
build_all
# Every fuzz target for a short while; a finding fails the run.
"$ROOT/scripts/fuzz.sh" "${FUZZ_SECONDS:-20}" || { rc=1; log "fuzzing FOUND A FAULT"; }
trap wine_cleanup EXIT
trap 'exit 130' INT TERM
wine_env

cd "$BUILD"
rm -f desktop.ready
"$WINE" "$BUILD/tools/desktop_keeper.exe" desktop.ready </dev/null >/dev/null 2>&1 &
for _ in $(seq 200); do [ -e desktop.ready ] && break; sleep 0.05; done
log "running ctest"
# Under heavy parallel load Wine now and then fails to start a test process
# at all (it ends at once, printing nothing); such a test gets one more run.
# A test that fails twice fails the run.
ctest --output-on-failure -j "${CTEST_JOBS:-$JOBS}" --timeout 300 --repeat until-pass:2 "$@" || rc=$?
# The benchmark once with tiny sizes, so that it keeps working (no timing is
# judged); only when the whole suite runs.
if [ $# -eq 0 ]; then
  log "benchmark with tiny sizes"
  ORVANE_BUILT=1 "$ROOT/scripts/bench.sh" --tiny >"$BUILD/bench-tiny.log" 2>&1 || { rc=1; log "the benchmark FAILED"; tail -20 "$BUILD/bench-tiny.log" >&2; }
fi
exit $rc
