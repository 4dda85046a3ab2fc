#!/usr/bin/env bash
# Starts (start) or stops (stop) the demo portal that every end-to-end
# scenario uses, on the programs' portal port, with a data folder of its own.
# A portal that already answers on that port is used as it is and left alone.
#   e2e_portal.sh <build folder> <this test's binary folder> start|stop
set -euo pipefail
BUILD="$1" BIN="$2" ACTION="$3"
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
PORT=$(sed -n 's|.*"http://127\.0\.0\.1:\([0-9]*\)".*|\1|p' "$BUILD/generated/PortalConfig.h" | head -1)
PIDFILE="$BIN/portal.pid"
answers() { (exec 3<>"/dev/tcp/127.0.0.1/$PORT") 2>/dev/null; }

case "$ACTION" in
start)
  rm -f "$PIDFILE"
  if answers; then
    echo "a portal already answers on port $PORT; using it"
    exit 0
  fi
  rm -rf "$BIN/portal-data"
  setsid /usr/bin/python3 "$ROOT/tools/portal/portal.py" --port "$PORT" --data "$BIN/portal-data" \
      </dev/null >"$BIN/portal.log" 2>&1 &
  echo $! >"$PIDFILE"
  for _ in $(seq 200); do answers && exit 0; sleep 0.05; done
  echo "the demo portal did not answer on port $PORT"; cat "$BIN/portal.log"
  exit 1 ;;
stop)
  [ -f "$PIDFILE" ] && kill "$(cat "$PIDFILE")" 2>/dev/null
  rm -f "$PIDFILE"
  exit 0 ;;
esac
exit 2
