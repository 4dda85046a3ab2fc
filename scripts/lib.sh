# Shared by the scripts: packages, Wine environment, display, build.
# Sourced, not run. Everything here is idempotent.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
JOBS="${JOBS:-$(nproc)}"
T0=${EPOCHREALTIME/./}
log() { local ms=$(( (${EPOCHREALTIME/./} - T0) / 1000 )); printf '[%3d.%03ds] %s\n' $((ms/1000)) $((ms%1000)) "$*" >&2; }

# 64-bit Wine only: this machine runs no 32-bit Linux processes, so the
# tested build is x86_64; the i686 compiler builds the 32-bit program folder.
PKGS=(cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 xvfb xauth
      python3 python3-pil libstb-dev nlohmann-json3-dev googletest
      fonts-wqy-microhei fonts-wine npm clang libclang-rt-14-dev)

ensure_packages() {
  local missing=() p
  for p in "${PKGS[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  command -v npm >/dev/null && missing=("${missing[@]/npm}")
  missing=($(printf '%s\n' "${missing[@]}" | grep -v '^$' || true))
  ((${#missing[@]})) || return 0
  log "installing: ${missing[*]}"
  local SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# build_all [arch [target...]]: configures once and builds; arch x86_64
# (default) or i686; with no target, everything.
build_all() {
  local arch="${1:-x86_64}"; shift || true
  mkdir -p "$BUILD"
  # One build at a time per build folder: a second run waits instead of
  # corrupting the first one's outputs.
  exec 9>"$BUILD/.lock"
  if ! flock -n 9; then
    log "another run is using $BUILD; waiting (set BUILD_DIR to a folder of your own to build in parallel)"
    flock 9
  fi
  # A folder configured for another target or toolchain starts afresh.
  local want="toolchain-mingw $arch"
  if [ "$(cat "$BUILD/.configured-for" 2>/dev/null)" != "$want" ]; then
    rm -rf "$BUILD/CMakeCache.txt" "$BUILD/CMakeFiles"
  fi
  if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    # PORTAL_URL (optional) gives a build its own portal port, so that two
    # checkouts can run their end-to-end scenarios at the same time.
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_ARCH="$arch" \
          ${PORTAL_URL:+-DPORTAL_URL="$PORTAL_URL"} \
          -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw.cmake" >/dev/null
    echo "$want" >"$BUILD/.configured-for"
  fi
  log "building $arch in $BUILD"
  cmake --build "$BUILD" -j "$JOBS" ${1:+--target "$@"}
  log "build done; program folder: $BUILD/dist"
}

XVFB_PID=
# start_xvfb <log>: a virtual screen on the first display number free, which
# Xvfb takes itself (so runs starting at the same moment never share one),
# once it answers; sets XVFB_NEW_PID and XVFB_NEW_DISPLAY.
start_xvfb() {
  local number=
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$1.display" >"$1" 2>&1 &
  XVFB_NEW_PID=$!
  for _ in $(seq 200); do
    read -r number <"$1.display" && break
    kill -0 "$XVFB_NEW_PID" 2>/dev/null || break
    sleep 0.05
  done
  [ -n "$number" ] || { log "Xvfb did not start"; cat "$1" >&2; return 1; }
  XVFB_NEW_DISPLAY=":$number"
}

# wine_env: the Wine environment of the scripts (variables, a virtual
# display unless DISPLAY is set, the prefix made once, its server up). Its
# steps are also called one by one, so the prefix can be made during a build.
wine_env() {
  wine_display
  wine_prefix
  # A server that is already up (a script run from another) is fine.
  "$WINESERVER" -p 2>/dev/null || true
}

wine_display() {
  export HOME="${HOME:-$BUILD/home}"; mkdir -p "$HOME"
  export WINEPREFIX="${ORVANE_WINEPREFIX:-$BUILD/wineprefix64}" WINEARCH=win64 WINEDEBUG="${WINEDEBUG:--all}"
  export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
  WINE="$ROOT/cmake/wine64.sh"   # the loader without address randomization
  export WINEDLLOVERRIDES="mscoree,mshtml="   # never offer to install Mono/Gecko
  export LC_ALL=C.UTF-8
  if [ -z "${DISPLAY:-}" ]; then
    mkdir -p "$BUILD"   # a clean clone has no build folder yet for the log
    start_xvfb "$BUILD/xvfb.log" || exit 1
    XVFB_PID=$XVFB_NEW_PID
    export DISPLAY=$XVFB_NEW_DISPLAY
  fi
}

wine_prefix() {
  local ready="prefix 3: fonts, no smoothing"
  [ "$(cat "$WINEPREFIX/.prefix-ready" 2>/dev/null)" != "$ready" ] || return 0
  log "creating wine prefix $WINEPREFIX"
  mkdir -p "$BUILD"
  rm -rf "$WINEPREFIX"
  # Now and then a new prefix fails to come up ("could not load
  # kernel32.dll"); a second try from scratch succeeds.
  if ! "$WINE" wineboot -i >"$BUILD/wineboot.log" 2>&1; then
    log "the wine prefix did not come up; trying once more"
    "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    "$WINE" wineboot -i >"$BUILD/wineboot.log" 2>&1 || { cat "$BUILD/wineboot.log"; exit 1; }
  fi
  # regedit reads Chinese value names only from a UTF-16 file.
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$ROOT/scripts/wine-fonts.reg"; } >"$BUILD/wine-fonts.reg"
  "$WINE" regedit /S "Z:$BUILD/wine-fonts.reg" >>"$BUILD/wineboot.log" 2>&1
  "$WINESERVER" -w
  echo "$ready" >"$WINEPREFIX/.prefix-ready"
}

# desktops_up <count> [spare]: desktops of their own for the window tests,
# each an Xvfb display with a copy of the Wine prefix (so its own wineserver:
# own windows, focus, cursor, clipboard, DDE and processes) and a desktop
# keeper. Writes $BUILD/desktops/<id>.env, which the tests' Wine wrapper
# reads, and the resource file that tells ctest of the first <count>; the
# spare ones after them are for other work. Needs wine_env first.
DESKTOP_XVFB=() DESKTOP_PREFIXES=()
desktops_up() {
  local listed="$1" count=$(($1 + ${2:-0})) dir="$BUILD/desktops" i prefix stamp
  stamp="$(cat "$WINEPREFIX/.prefix-ready")"
  mkdir -p "$dir"
  rm -f "$dir"/*.env "$dir"/*.ready
  for ((i = 0; i < count; i++)); do
    prefix="$dir/$i/prefix"
    if [ "$(cat "$prefix/.prefix-ready" 2>/dev/null)" != "$stamp" ] || [ "$WINEPREFIX/.prefix-ready" -nt "$prefix/.prefix-ready" ]; then
      rm -rf "$prefix"; mkdir -p "$dir/$i"
      cp -a "$WINEPREFIX" "$prefix"
    fi
    # A run that ended without cleaning up may have left the desktop's Wine
    # server; this run holds the build folder, so nobody else is using it.
    WINEPREFIX="$prefix" "$WINESERVER" -k 2>/dev/null && WINEPREFIX="$prefix" "$WINESERVER" -w 2>/dev/null || true
    start_xvfb "$dir/$i/xvfb.log" || exit 1
    DESKTOP_XVFB+=("$XVFB_NEW_PID")
    DESKTOP_PREFIXES+=("$prefix")
    printf 'export DISPLAY=%s WINEPREFIX=%q\n' "$XVFB_NEW_DISPLAY" "$prefix" >"$dir/$i.env"
    ( export DISPLAY="$XVFB_NEW_DISPLAY" WINEPREFIX="$prefix"
      "$WINESERVER" -p 2>/dev/null || true
      cd "$dir" && "$WINE" "$BUILD/tools/desktop_keeper.exe" "$i.ready" </dev/null >/dev/null 2>&1 & )
  done
  for ((i = 0; i < count; i++)); do
    for _ in $(seq 400); do [ -e "$dir/$i.ready" ] && break; sleep 0.05; done
    [ -e "$dir/$i.ready" ] || { log "desktop $i did not come up"; exit 1; }
  done
  {
    printf '{"version": {"major": 1, "minor": 0}, "local": [{"desktops": ['
    for ((i = 0; i < listed; i++)); do printf '%s{"id": "%d", "slots": 1}' "$([ $i -gt 0 ] && echo ', ')" "$i"; done
    printf ']}]}\n'
  } >"$dir/resources.json"
  log "$count desktops up"
}

# run_suite [ctest arguments]: the tests as the test command runs them, in
# the Wine environment wine_env made. Window tests each take one of
# $DESKTOPS desktops (ctest's "desktops" resource); the others share the
# first display and prefix. With no arguments (the whole suite) the
# benchmark runs once with tiny sizes beside them, on one more desktop, so
# that it keeps working (no timing is judged). Fails when ctest or the
# benchmark did.
DESKTOPS="${DESKTOPS:-6}"
run_suite() {
  local rc=0 bench_job=
  desktops_up "$DESKTOPS" 1
  rm -f "$BUILD/desktop.ready"
  ( cd "$BUILD" && exec "$WINE" "$BUILD/tools/desktop_keeper.exe" desktop.ready </dev/null >/dev/null 2>&1 ) &
  for _ in $(seq 200); do [ -e "$BUILD/desktop.ready" ] && break; sleep 0.05; done
  if [ $# -eq 0 ]; then
    log "benchmark with tiny sizes"
    ( source "$BUILD/desktops/$DESKTOPS.env"
      ORVANE_WINEPREFIX="$WINEPREFIX" ORVANE_BUILT=1 "$ROOT/scripts/bench.sh" --tiny >"$BUILD/bench-tiny.log" 2>&1 ) &
    bench_job=$!
  fi
  log "running ctest"
  # Every test runs once: a test that fails now and then is a fault to find.
  ( cd "$BUILD" && ctest --output-on-failure -j "${CTEST_JOBS:-$JOBS}" --timeout 300 \
        --resource-spec-file "$BUILD/desktops/resources.json" "$@" ) || rc=$?
  if [ -n "$bench_job" ] && ! wait "$bench_job"; then
    rc=1; log "the benchmark FAILED"; tail -20 "$BUILD/bench-tiny.log" >&2
  fi
  return $rc
}

# wine_cleanup: ends every Wine server and display the script started, so
# that wine_env can start afresh.
wine_cleanup() {
  local p x
  for p in "${DESKTOP_PREFIXES[@]}"; do WINEPREFIX="$p" "$WINESERVER" -k 2>/dev/null || true; done
  for p in "${DESKTOP_PREFIXES[@]}"; do WINEPREFIX="$p" "$WINESERVER" -w 2>/dev/null || true; done
  if [ -n "${WINESERVER:-}" ]; then "$WINESERVER" -k 2>/dev/null || true; "$WINESERVER" -w 2>/dev/null || true; fi
  for x in "${DESKTOP_XVFB[@]}" $XVFB_PID; do kill "$x" 2>/dev/null && wait "$x" 2>/dev/null || true; done
  [ -n "$XVFB_PID" ] && unset DISPLAY
  DESKTOP_XVFB=() DESKTOP_PREFIXES=() XVFB_PID=
  return 0
}
