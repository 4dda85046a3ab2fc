#!/usr/bin/env bash
# Measures the launcher and the player as a user meets them, each measure
# beside a baseline taken in the same run on this machine, for libraries of
# 0 to 50,000 games, and writes the tables of medians with the steps of the
# launcher's start to build/bench/latest.md (and prints them).
#   scripts/bench.sh [--tiny]     --tiny: small sizes, one run, only proves it works
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

if [ "${1:-}" = "--help" ]; then sed -n '2,6p' "$0" | sed 's/^# \{0,1\}//'; exit 0; fi
ensure_packages
# The test command has built everything already (and holds the build lock).
[ -n "${ORVANE_BUILT:-}" ] || build_all x86_64 orvane_bench
OUT="$BUILD/bench"
PORTAL_PID=
cleanup() {
  [ -n "$PORTAL_PID" ] && kill "$PORTAL_PID" 2>/dev/null && wait "$PORTAL_PID" 2>/dev/null
  wine_cleanup
}
trap cleanup EXIT
wine_env

mkdir -p "$OUT"
# Photographic thumbnails, all different: 100 pages' worth (a few for
# --tiny), and the installations with their libraries' pictures.
photos=2000 libraries="0 2000 10000 50000"
[ "${1:-}" = "--tiny" ] && photos=60 libraries="0 40"
if [ "$(cat "$OUT/photos/.count" 2>/dev/null)" != "$photos" ]; then
  rm -rf "$OUT/photos"
  /usr/bin/python3 "$ROOT/tests/bench/make_photos.py" "$OUT/photos" "$photos"
  echo "$photos" >"$OUT/photos/.count"
fi
/usr/bin/python3 "$ROOT/tests/bench/make_libraries.py" "$BUILD/dist" "$OUT/photos" "$OUT/libraries" $libraries
# A full run meets the portal as a user does: the demo portal serves the
# build's portal address unless something already answers there. (The
# tiny run beside the tests leaves the port to their portal.)
port=$(sed -n 's|.*"http://127\.0\.0\.1:\([0-9]*\)".*|\1|p' "$BUILD/generated/PortalConfig.h" | head -1)
if [ "${1:-}" != "--tiny" ] && [ -n "$port" ] && ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
  /usr/bin/python3 "$ROOT/tools/portal/portal.py" --port "$port" --data "$OUT/portal-data" </dev/null >"$OUT/portal.log" 2>&1 &
  PORTAL_PID=$!
  for _ in $(seq 200); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break; sleep 0.05; done
fi
winpath() { echo "Z:${1//\//\\}"; }
log "running the benchmark${1:+ ($1)}"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
"$WINE" "$BUILD/tests/bench/orvane_bench.exe" "$(winpath "$BUILD/dist")" "$(winpath "$OUT/libraries")" ${1:-} \
    >"$OUT/table.md" 2>"$OUT/bench.log" || { cat "$OUT/bench.log" >&2; log "the benchmark FAILED"; exit 1; }
{
  echo "Benchmark of $(date -u +%Y-%m-%d) on $(nproc) cores, $(free -g | awk '/Mem:/{print $2}') GiB,"
  echo "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), Wine $("$WINE" --version 2>/dev/null)${1:+, $1};"
  echo "load average (1, 5, 15 min) $load_before before the run, $(cut -d' ' -f1-3 /proc/loadavg) after it:"
  echo
  cat "$OUT/table.md"
} >"$OUT/latest.md"
cat "$OUT/latest.md"
