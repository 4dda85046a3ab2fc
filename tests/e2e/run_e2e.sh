#!/usr/bin/env bash
# Runs one end-to-end scenario (from ctest, on the desktop it allotted):
# copies the program folder as the scenario's own user's installation and
# runs the scenario's case of e2e_scenarios.exe against it and the demo
# portal (e2e_portal.sh starts it; run alone, this starts one for itself).
# Screenshots: <bin>/shots/; the output also goes to <bin>/<case>.log.
#   run_e2e.sh <build folder> <this test's binary folder> <Suite.Case> [gtest arguments]
set -euo pipefail
BUILD="$1" BIN="$2" CASE="$3"
shift 3
HERE="$(dirname "${BASH_SOURCE[0]}")"
winpath() { local p="${1//\//\\}"; echo "Z:$p\\"; }

# Two folders of the scenario's own around the installation, so that what a
# scenario finds beside it is its own doing, not that of one running beside.
INSTALL="$BIN/cases/$CASE/user/Orvane"
rm -rf "$BIN/cases/$CASE"
mkdir -p "$BIN/shots" "$(dirname "$INSTALL")"
cp -r "$BUILD/dist" "$INSTALL"
cp "$INSTALL/npGameData.DLL" "$INSTALL/npGameData.pristine"

# Under ctest the portal is a fixture; run by hand, the scenario starts one.
if [ -z "${CTEST_RESOURCE_GROUP_COUNT:-}" ]; then
  bash "$HERE/e2e_portal.sh" "$BUILD" "$BIN" start >/dev/null
  trap 'bash "$HERE/e2e_portal.sh" "$BUILD" "$BIN" stop' EXIT
fi

"$BUILD/wine-on-desktop.sh" "$BIN/e2e_scenarios.exe" "$(winpath "$INSTALL")" "$(winpath "$BIN/shots")" \
    "$(winpath "$BUILD/tools")" --gtest_filter="$CASE" "$@" 2>&1 | tee "$BIN/$CASE.log"
