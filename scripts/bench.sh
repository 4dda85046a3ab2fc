#!/usr/bin/env bash
# Measures the launcher and the player as a user meets them, each measure
# beside a baseline taken in the same run on this machine, and writes the
# table of medians to build/bench/latest.md (and prints it).
#   scripts/bench.sh [--tiny]     --tiny: small sizes, one run, only proves it works
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

if [ "${1:-}" = "--help" ]; then sed -n '2,5p' "$0" | sed 's/^# \{0,1\}//'; exit 0; fi
ensure_packages
# The test command has built everything already (and holds the build lock).
[ -n "${ORVANE_BUILT:-}" ] || build_all x86_64 orvane_bench
trap wine_cleanup EXIT
wine_env

OUT="$BUILD/bench"
mkdir -p "$OUT/thumbs"
/usr/bin/python3 - "$OUT/thumbs" <<'PY'
import sys
from PIL import Image
for name, colour in {"red": (220, 30, 30), "green": (30, 200, 30), "yellow": (240, 220, 20), "blue": (40, 60, 220)}.items():
    Image.new("RGB", (72, 72), colour).save(f"{sys.argv[1]}/{name}.jpg", quality=90)
PY
winpath() { echo "Z:${1//\//\\}"; }
log "running the benchmark${1:+ ($1)}"
"$WINE" "$BUILD/tests/bench/orvane_bench.exe" "$(winpath "$BUILD/dist")" "$(winpath "$OUT/thumbs")" ${1:-} \
    >"$OUT/table.md" 2>"$OUT/bench.log" || { cat "$OUT/bench.log" >&2; log "the benchmark FAILED"; exit 1; }
{
  echo "Benchmark of $(date -u +%Y-%m-%d) on $(nproc) cores, $(free -g | awk '/Mem:/{print $2}') GiB,"
  echo "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), Wine $("$WINE" --version 2>/dev/null)${1:+, $1}:"
  echo
  cat "$OUT/table.md"
} >"$OUT/latest.md"
cat "$OUT/latest.md"
