#!/usr/bin/env bash
# Installs what is missing, builds everything, assembles the program folder
# and runs every test under Wine on virtual displays. Extra arguments go to ctest.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

ensure_packages
# The whole 32-bit tree, tests included, must keep building from the same
# sources (calling conventions, pointer width). It builds beside the rest
# of the run at the lowest priority, in the time the rest leaves the
# processors idle (mostly while the tests run); a failure there fails the
# run, after the tests have still been run. In a group of its own, so that
# a run that stops early stops it too.
mkdir -p "$BUILD"
BUILD_DIR="$BUILD/i686" setsid nice -n 19 bash -c 'set -euo pipefail; source "$1"; build_all i686' - "$ROOT/scripts/lib.sh" \
    </dev/null >"$BUILD/i686-build.log" 2>&1 &
i686_job=$!
trap '[ -z "$i686_job" ] || kill -- -"$i686_job" 2>/dev/null; wine_cleanup' EXIT
trap 'exit 130' INT TERM
# The Wine prefix is made while the programs build: it needs nothing of them.
wine_display
wine_prefix &
prefix_job=$!
rc=0
build_all
# Every fuzz target for a short while; a finding fails the run.
"$ROOT/scripts/fuzz.sh" "${FUZZ_SECONDS:-20}" || { rc=1; log "fuzzing FOUND A FAULT"; }
wait "$prefix_job" || { log "the wine prefix could not be made"; exit 1; }
wine_env
run_suite "$@" || rc=$?
i686_rc=0
wait "$i686_job" || i686_rc=$?
i686_job=
if [ "$i686_rc" = 0 ]; then
  tail -1 "$BUILD/i686-build.log" >&2   # when it was done
else
  rc=1; log "the i686 build FAILED (its log: $BUILD/i686-build.log)"
  grep -E -A3 "error|FAILED" "$BUILD/i686-build.log" | head -40 >&2 || true
fi
log "done"
exit $rc
