#!/usr/bin/env bash
# Runs the end-to-end scenarios (from ctest, inside the test command's Wine
# session): starts the demo portal on the programs' portal port with a data
# folder of its own, copies the program folder as a user's installation, and
# runs e2e_scenarios.exe against both. Screenshots: <bin>/shots/; its
# output also goes to <bin>/e2e.log.
#   run_e2e.sh <build folder> <this test's binary folder> [gtest arguments]
set -euo pipefail
BUILD="$1" BIN="$2"
shift 2
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
PORT=$(sed -n 's|.*"http://127\.0\.0\.1:\([0-9]*\)".*|\1|p' "$BUILD/generated/PortalConfig.h" | head -1)
winpath() { local p="${1//\//\\}"; echo "Z:$p\\"; }

rm -rf "$BIN/install" "$BIN/shots" "$BIN/portal-data"
mkdir -p "$BIN/shots"
cp -r "$BUILD/dist" "$BIN/install"
cp "$BIN/install/npGameData.DLL" "$BIN/install/npGameData.pristine"

answers() { (exec 3<>"/dev/tcp/127.0.0.1/$PORT") 2>/dev/null; }
portal_pid=
if ! answers; then
  /usr/bin/python3 "$ROOT/tools/portal/portal.py" --port "$PORT" --data "$BIN/portal-data" >"$BIN/portal.log" 2>&1 &
  portal_pid=$!
  for _ in $(seq 100); do answers && break; sleep 0.1; done
fi
trap '[ -n "$portal_pid" ] && kill "$portal_pid" 2>/dev/null; true' EXIT

"${WINELOADER:-/usr/lib/wine/wine64}" "$BIN/e2e_scenarios.exe" "$(winpath "$BIN/install")" "$(winpath "$BIN/shots")" \
    "$(winpath "$BUILD/tools")" "$@" 2>&1 | tee "$BIN/e2e.log"
