#!/usr/bin/env bash
# Runs the whole suite (every label) round after round, each round as the
# test command runs it: Wine servers, displays and desktops started afresh,
# the benchmark's tiny run beside the tests. Prints every test that failed
# with how often, then its output from each round it failed in; fails when
# any did. A hunt for tests that fail now and then.
#   scripts/soak.sh [rounds]      (default 10; extra ctest arguments after it)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

ROUNDS="${1:-10}"
shift || true
ensure_packages
build_all
trap wine_cleanup EXIT
trap 'exit 130' INT TERM

out="$BUILD/soak"
rm -rf "$out"
mkdir -p "$out"
: >"$out/failures"
: >"$out/outputs"
for ((round = 1; round <= ROUNDS; round++)); do
  start=$SECONDS
  wine_env
  run_suite "$@" >"$out/round-$round.log" 2>&1 || true
  wine_cleanup
  cp "$BUILD/Testing/Temporary/LastTest.log" "$out/round-$round.tests.log"
  total=$(sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' "$out/round-$round.log")
  failed=$(sed -n '/tests FAILED:$/,/^$/s/^[ \t]*[0-9]* - \(.*\) (.*)$/\1/p' "$out/round-$round.log")
  for name in $failed; do
    echo "$name" >>"$out/failures"
    { echo "=== $name, round $round"
      # Its record in ctest's log: command, output, time and why it failed.
      awk -v name="$name" '$0 ~ "^[0-9]+/[0-9]+ Testing: " && $NF == name { on = 1 }
                           on { print }
                           on && index($0, "\"" name "\" time elapsed:") == 1 { exit }' "$out/round-$round.tests.log"
    } >>"$out/outputs"
  done
  if grep -q "the benchmark FAILED" "$out/round-$round.log"; then
    echo "benchmark" >>"$out/failures"
    { echo "=== benchmark, round $round"; cat "$BUILD/bench-tiny.log"; } >>"$out/outputs"
  fi
  log "round $round of $ROUNDS: ${total:-?} tests, $(printf '%s\n' $failed | grep -c . || true) failed ($((SECONDS - start)) s)"
done
if [ -s "$out/failures" ]; then
  echo "What failed in $ROUNDS rounds (how often, name; logs in $out/):"
  sort "$out/failures" | uniq -c | sort -rn
  echo
  cat "$out/outputs"
  exit 1
fi
echo "No test failed in $ROUNDS rounds."
