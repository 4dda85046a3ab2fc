#!/usr/bin/env bash
# Runs the window tests and the end-to-end scenarios (ctest label "desktop")
# again and again on the test command's desktops and prints every test that
# failed, with how often; fails when any did. A hunt for tests that fail
# now and then.
#   scripts/soak.sh [rounds]      (default 10; extra ctest arguments after it)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

ROUNDS="${1:-10}"
shift || true
ensure_packages
build_all
trap wine_cleanup EXIT
trap 'exit 130' INT TERM
wine_env
DESKTOPS="${DESKTOPS:-6}"
desktops_up "$DESKTOPS"
cd "$BUILD"
rm -f desktop.ready
"$WINE" "$BUILD/tools/desktop_keeper.exe" desktop.ready </dev/null >/dev/null 2>&1 &
for _ in $(seq 200); do [ -e desktop.ready ] && break; sleep 0.05; done

mkdir -p "$BUILD/soak"
: >"$BUILD/soak/failures"
for ((round = 1; round <= ROUNDS; round++)); do
  start=$SECONDS
  ctest -L desktop --output-on-failure -j "${CTEST_JOBS:-$JOBS}" --timeout 300 --resource-spec-file "$BUILD/desktops/resources.json" "$@" \
      >"$BUILD/soak/round-$round.log" 2>&1 || true
  total=$(sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' "$BUILD/soak/round-$round.log")
  failed=$(sed -n '/tests FAILED:$/,/^$/s/^[ \t]*[0-9]* - \(.*\) (.*)$/\1/p' "$BUILD/soak/round-$round.log")
  [ -z "$failed" ] || printf '%s\n' $failed >>"$BUILD/soak/failures"
  log "round $round of $ROUNDS: ${total:-?} tests, $(printf '%s\n' $failed | grep -c . || true) failed ($((SECONDS - start)) s)"
done
if [ -s "$BUILD/soak/failures" ]; then
  echo "Tests that failed in $ROUNDS rounds (how often, name; logs in $BUILD/soak/):"
  sort "$BUILD/soak/failures" | uniq -c | sort -rn
  exit 1
fi
echo "No test failed in $ROUNDS rounds."
