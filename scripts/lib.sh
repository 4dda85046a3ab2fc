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
# free_display: the number of an X display nobody uses yet.
free_display() {
  local n="${1:-90}"
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n+1)); done
  echo "$n"
}
# start_xvfb <n> <log>: a virtual screen on display :n; prints its pid.
start_xvfb() {
  Xvfb ":$1" -screen 0 1280x1024x24 -nolisten tcp >"$2" 2>&1 &
  local pid=$!
  for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X$1" ] && break; sleep 0.05; done
  [ -S "/tmp/.X11-unix/X$1" ] || { log "Xvfb :$1 did not start"; cat "$2" >&2; return 1; }
  echo "$pid"
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
    local n; n=$(free_display)
    mkdir -p "$BUILD"   # a clean clone has no build folder yet for the log
    XVFB_PID=$(start_xvfb "$n" "$BUILD/xvfb.log") || exit 1
    export DISPLAY=":$n"
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
  local listed="$1" count=$(($1 + ${2:-0})) dir="$BUILD/desktops" i n prefix stamp
  stamp="$(cat "$WINEPREFIX/.prefix-ready")"
  mkdir -p "$dir"
  rm -f "$dir"/*.env "$dir"/*.ready
  n=90
  for ((i = 0; i < count; i++)); do
    prefix="$dir/$i/prefix"
    if [ "$(cat "$prefix/.prefix-ready" 2>/dev/null)" != "$stamp" ] || [ "$WINEPREFIX/.prefix-ready" -nt "$prefix/.prefix-ready" ]; then
      rm -rf "$prefix"; mkdir -p "$dir/$i"
      cp -a "$WINEPREFIX" "$prefix"
    fi
    # A run that ended without cleaning up may have left the desktop's Wine
    # server; this run holds the build folder, so nobody else is using it.
    WINEPREFIX="$prefix" "$WINESERVER" -k 2>/dev/null && WINEPREFIX="$prefix" "$WINESERVER" -w 2>/dev/null || true
    n=$(free_display "$n")
    DESKTOP_XVFB+=("$(start_xvfb "$n" "$dir/$i/xvfb.log")") || exit 1
    DESKTOP_PREFIXES+=("$prefix")
    printf 'export DISPLAY=:%s WINEPREFIX=%q\n' "$n" "$prefix" >"$dir/$i.env"
    ( export DISPLAY=":$n" WINEPREFIX="$prefix"
      "$WINESERVER" -p 2>/dev/null || true
      cd "$dir" && "$WINE" "$BUILD/tools/desktop_keeper.exe" "$i.ready" </dev/null >/dev/null 2>&1 & )
    n=$((n + 1))
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

wine_cleanup() {
  set +e
  local p x
  for p in "${DESKTOP_PREFIXES[@]}"; do WINEPREFIX="$p" "$WINESERVER" -k 2>/dev/null; done
  for p in "${DESKTOP_PREFIXES[@]}"; do WINEPREFIX="$p" "$WINESERVER" -w 2>/dev/null; done
  for x in "${DESKTOP_XVFB[@]}"; do kill "$x" 2>/dev/null; done
  [ -n "${WINESERVER:-}" ] && { "$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w 2>/dev/null; }
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
}
