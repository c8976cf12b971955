# Shared set-up for the run and test scripts: packages, builds, a private Xvfb and Wine prefix, and runs of
# the program. Sourced, not run. On exit it stops, by PID, only what this shell started: a script sourced
# inside a test run leaves that run's Xvfb and wineserver alone.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${DERODAZO_BUILD:-$ROOT/build}
JOBS=${JOBS:-$(nproc)}
STARTED_PIDS=()
# Set by start_xvfb and start_wine for the scripts that watch them; never taken from a caller.
XVFB_PID="" WINESERVER_PID=""

PACKAGES=(cmake make g++ python3 googletest clang clang-format libclang-rt-dev clang-tidy cppcheck mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          lld llvm-14 ccache wine64 wine xvfb xauth x11-apps imagemagick nsis fonts-wine)
# For the pictures and their check: xwininfo, a compositing manager, and a GIF optimiser.
PACKAGES+=(x11-utils xcompmgr gifsicle)
# For the check of the Windows CI workflow, which reads it as YAML.
PACKAGES+=(python3-yaml)

# Rebuilds, and builds of another checkout on this machine, reuse what was compiled before.
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=$ROOT CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
    export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
fi

log() { printf '== %s\n' "$*" >&2; }

ensure_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing ${missing[*]}"
    local sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures a folder under $BUILD and builds it, or only the TARGETs; --target alone only configures (for a
# compile database). The cmake arguments name a preset of CMakePresets.json, which holds the compilers and
# options, or another source tree (-S). Each script gives a shared folder the same arguments as test.sh, so
# that none reconfigures another's build.
build() { # folder, cmake arguments... [--target [TARGET...]]
    local dir=$BUILD/$1 source=(-S "$ROOT") args=()
    shift
    while [ $# -gt 0 ] && [ "$1" != --target ]; do
        [ "$1" = -S ] && source=()
        args+=("$1")
        shift
    done
    cmake --no-warn-unused-cli "${source[@]}" "${args[@]}" -B "$dir" >/dev/null
    [ "${1:-}" = --target ] && [ $# -eq 1 ] && return 0
    cmake --build "$dir" -j "$JOBS" "$@"
}

# Runs a program with a frame (Derodazo.exe) under Wine, waits for the frame with poke.exe (beside it, or
# POKE), runs ACTION meanwhile with FRAME_RECT ("x y width height") and APP_PID set, and closes the frame
# with WM_CLOSE from outside. Returns the program's exit code, or 1 if the frame never showed or ACTION
# failed. A program still running RUN_LIMIT (60) s after the close is stopped, and so fails.
run_and_close() { # program, action, arguments...
    local exe=$1 action=$2 poke=${POKE:-$(dirname "$1")/poke.exe} failed=0 code=0
    shift 2
    wine "$exe" "$@" &
    APP_PID=$!
    if FRAME_RECT=$(wine "$poke" rect); then
        "$action" || failed=1
        wine "$poke" close >/dev/null 2>&1 || failed=1
    else
        log "the frame of $exe never appeared"
        failed=1
        kill "$APP_PID" 2>/dev/null || true
    fi
    if ! timeout "${RUN_LIMIT:-60}" tail --pid="$APP_PID" -s 0.1 -f /dev/null; then
        log "$exe did not end after WM_CLOSE: stopped"
        kill "$APP_PID" 2>/dev/null || true
    fi
    wait "$APP_PID" || code=$?
    [ "$code" = 0 ] || log "$exe exited with code $code"
    [ "$failed" = 0 ] || return 1
    return "$code"
}

stop_started() {
    local status=$? pid
    # Wine's services end with their server; ask the one we started politely before stopping the rest.
    [ -n "$WINESERVER_PID" ] && wineserver -k 2>/dev/null
    for pid in "${STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${STARTED_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
    STARTED_PIDS=()
    return "$status"
}
trap stop_started EXIT

# For the picture scripts: Wine ready on a private screen of the given size.
start_picture_session() { # WIDTHxHEIGHT
    XVFB_SCREEN=${1}x24 start_xvfb
    start_wine
}

start_xvfb() {
    local n=91
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    STARTED_PIDS+=("$XVFB_PID")
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
    log "Xvfb did not start"; return 1
}

start_wine() { # WINE_PREFIX_DIR and WINE_ARCH choose another prefix
    export WINEPREFIX="${WINE_PREFIX_DIR:-$BUILD/wineprefix}" WINEARCH=${WINE_ARCH:-win64} WINEDEBUG=-all
    # No Mono or Gecko: the program needs neither, and their installers would ask.
    export WINEDLLOVERRIDES="mscoree=;mshtml="
    if [ ! -f "$WINEPREFIX/.derodazo-ready" ]; then
        log "making the Wine prefix $WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        # Unmanaged windows: with no window manager on Xvfb, Wine would otherwise wait 2 s on every
        # top-level window it hides, for a withdrawn state that nobody sets.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.derodazo-ready"
    fi
    # Wine draws caption buttons with Marlett, which this Wine only finds in the prefix's Fonts folder;
    # without it they show as the letters 0, 1 and r.
    local marlett=/usr/share/wine/fonts/marlett.ttf fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -f "$fonts/marlett.ttf" ] || [ ! -f "$marlett" ] || cp "$marlett" "$fonts/"
    # One server for the whole run keeps each Wine start quick.
    wineserver -f -p >/dev/null 2>&1 &
    WINESERVER_PID=$!
    STARTED_PIDS+=("$WINESERVER_PID")
    # Start Wine's background services now, detached from our output: started later by a test they
    # would inherit CTest's pipes and keep it waiting after the test has ended.
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

# The heavy scene of bench.sh and growth.sh, 8 children: four Bubbles windows of 199 bubbles with Gravity on
# (Yeast is on by default), and four Lines windows in boxes with Erase Behind, ovals, lissajous with Erase
# Behind and plot (lines, the cheapest style, runs in the default scene).
MAKE199=$(printf '/m %.0s' $(seq 199))
HEAVY_SCENE=(-b $MAKE199 /g -b $MAKE199 /g -b $MAKE199 /g -b $MAKE199 /g -l /b /e -l /o -l /lis /e -l /p)

. "$ROOT/scripts/wine32.sh"
