# Shared by the scripts: packages, Wine environment, display, build.
# Sourced, not run. Everything here is idempotent.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
JOBS="${JOBS:-$(nproc)}"
T0=${EPOCHREALTIME/./}
log() { local ms=$(( (${EPOCHREALTIME/./} - T0) / 1000 )); printf '[%3d.%03ds] %s\n' $((ms/1000)) $((ms%1000)) "$*" >&2; }

PKGS=(cmake ninja-build g++-mingw-w64-i686-posix wine wine32:i386 xvfb xauth
      python3 python3-pil libstb-dev nlohmann-json3-dev googletest
      fonts-wqy-microhei fonts-wine npm)

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
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_all() {
  mkdir -p "$BUILD"
  if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-i686-mingw.cmake" >/dev/null
  fi
  log "building in $BUILD"
  cmake --build "$BUILD" -j "$JOBS"
  log "build done; program folder: $BUILD/dist"
}

XVFB_PID=
wine_env() {
  export HOME="${HOME:-$BUILD/home}"; mkdir -p "$HOME"
  export WINEPREFIX="$BUILD/wineprefix" WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="mscoree,mshtml="   # never offer to install Mono/Gecko
  export LC_ALL=C.UTF-8
  if [ -z "${DISPLAY:-}" ]; then
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n+1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$BUILD/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
    [ -S "/tmp/.X11-unix/X$n" ] || { log "Xvfb :$n did not start"; cat "$BUILD/xvfb.log"; exit 1; }
    export DISPLAY=":$n"
  fi
  if [ ! -f "$WINEPREFIX/.prefix-ready" ]; then
    log "creating wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    wineboot -i >"$BUILD/wineboot.log" 2>&1 || { cat "$BUILD/wineboot.log"; exit 1; }
    wineserver -w
    touch "$WINEPREFIX/.prefix-ready"
  fi
  wineserver -p
}

wine_cleanup() {
  set +e
  wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
}
