#!/usr/bin/env bash
# Runs the launcher as a user would: see usage below.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

usage() {
  cat <<EOF
Usage: scripts/run.sh [--help]

Runs the launcher Orvane.exe as a Windows user would:
  - installs what is missing (Debian packages), then builds the program folder;
  - starts the demo portal (tools/portal/portal.py) unless one already answers
    on the portal's port, and stops it again at the end;
  - keeps a user's installation in build/users/<user>/Orvane: a copy of the
    program folder made once, whose database and downloaded games survive
    rebuilds and later runs; the program files are refreshed on every run;
  - starts Orvane.exe from there under Wine (its own Wine prefix beside it),
    with the program folder as current directory, as a Windows shortcut does.

With a display (DISPLAY set) you work with the launcher until it quits.
Without one it runs on a virtual display, waits until the main window has
painted, saves a screenshot (PNG) of the screen, prints where it is, and ends
everything it started. Force that with:  DISPLAY= scripts/run.sh
EOF
}

case "${1:-}" in
  -h|--help) usage; exit 0 ;;
  "") ;;
  *) usage >&2; exit 2 ;;
esac

WAIT_SECONDS="${RUN_WAIT_SECONDS:-90}"   # for the main window to appear and settle
USER_NAME="$(id -un)"
USER_DIR="$BUILD/users/$USER_NAME"
INSTALL="$USER_DIR/Orvane"
SHOT="$USER_DIR/screenshot.png"
DATABASE=npGameData.DLL

ensure_packages
build_all x86_64 dist_ready window_shot

# The installation: program files refreshed, the user's database and the
# downloaded games (extra files in Games\ and Jpgs\) kept.
mkdir -p "$INSTALL"
for item in "$BUILD/dist"/*; do
  name="$(basename "$item")"
  if [ "$name" = "$DATABASE" ] && [ -e "$INSTALL/$DATABASE" ]; then continue; fi
  cp -r "$item" "$INSTALL/"
done
log "user's installation: $INSTALL"
exec 9>&-   # build folder free again: tests may run while the launcher does

# The portal the build points at; the demo portal serves it when it is local.
PORTAL_URL="$(sed -n 's/^PORTAL_URL:[A-Z]*=//p' "$BUILD/CMakeCache.txt")"
PORTAL_PID=
portal_answers() {
  /usr/bin/python3 - "$PORTAL_URL" <<'EOF' 2>/dev/null
import sys, urllib.request
urllib.request.urlopen(sys.argv[1] + "/", timeout=2).close()
EOF
}

ORVANE_PID=
cleanup() {
  set +e
  [ -n "$ORVANE_PID" ] && kill "$ORVANE_PID" 2>/dev/null
  wine_cleanup
  if [ -n "$PORTAL_PID" ]; then
    kill "$PORTAL_PID" 2>/dev/null && wait "$PORTAL_PID" 2>/dev/null
    log "demo portal stopped"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if portal_answers; then
  log "a portal already answers at $PORTAL_URL; using it"
elif [[ "$PORTAL_URL" =~ ^http://(127\.0\.0\.1|localhost):([0-9]+)$ ]]; then
  port="${BASH_REMATCH[2]}"
  /usr/bin/python3 "$ROOT/tools/portal/portal.py" --port "$port" >"$USER_DIR/portal.log" 2>&1 &
  PORTAL_PID=$!
  for _ in $(seq 100); do portal_answers && break; sleep 0.1; done
  portal_answers || { log "the demo portal did not start; see $USER_DIR/portal.log"; exit 1; }
  log "demo portal started at $PORTAL_URL (log: $USER_DIR/portal.log)"
else
  log "the portal $PORTAL_URL does not answer; the launcher will show its not-found pages"
fi

INTERACTIVE=1
[ -n "${DISPLAY:-}" ] || INTERACTIVE=0
ORVANE_WINEPREFIX="$USER_DIR/wineprefix" wine_env

log "starting Orvane.exe in $INSTALL"
cd "$INSTALL"
"$WINE" Orvane.exe </dev/null >"$USER_DIR/orvane.log" 2>&1 &
ORVANE_PID=$!

# The helper sees the main window by its caption, the portal's name.
SHOT_ARG=-
((INTERACTIVE)) || SHOT_ARG="Z:${SHOT//\//\\}"
"$WINE" "$BUILD/tools/window_shot.exe" Brisco "$SHOT_ARG" "$WAIT_SECONDS" </dev/null >/dev/null 2>&1 &
SHOT_PID=$!
while kill -0 "$SHOT_PID" 2>/dev/null && kill -0 "$ORVANE_PID" 2>/dev/null; do sleep 0.2; done
# A second start hands over to a running launcher and ends at once: the
# running one's window is then found within a moment.
for _ in $(seq 15); do kill -0 "$SHOT_PID" 2>/dev/null || break; sleep 0.2; done
if ! kill -0 "$SHOT_PID" 2>/dev/null; then
  shot_rc=0; wait "$SHOT_PID" || shot_rc=$?
else
  kill "$SHOT_PID" 2>/dev/null; wait "$SHOT_PID" 2>/dev/null || true
  shot_rc=5
fi

case "$shot_rc" in
  0|3) ;;
  2) log "FAILED: Orvane.exe showed no main window (caption \"Brisco\") within ${WAIT_SECONDS}s"; exit 1 ;;
  5) log "FAILED: Orvane.exe ended without showing its main window (caption \"Brisco\"): the launcher opens no main window yet, or it failed at start (log: $USER_DIR/orvane.log)"
     ORVANE_PID=; exit 1 ;;
  *) log "FAILED: the screenshot could not be saved (helper exit code $shot_rc)"; exit 1 ;;
esac

if ((INTERACTIVE)); then
  log "the launcher runs; quit it from its menu to end this command"
  wait "$ORVANE_PID" || true
  ORVANE_PID=
  exit 0
fi
[ "$shot_rc" = 3 ] && log "the main window was still changing after ${WAIT_SECONDS}s; the picture shows it as it was"
log "screenshot of the launcher: $SHOT"
echo "$SHOT"
