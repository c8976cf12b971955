#!/usr/bin/env bash
# Installs what is missing, builds and runs Derodazo under Wine with the given arguments.
# With no DISPLAY it runs headless on its own Xvfb for a few seconds, saves a screenshot and closes the program.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

ensure_packages
build x86_64 --preset mingw-x86_64 -DDERODAZO_WINE_TESTS=ON >/dev/null
EXE="$BUILD/x86_64/Derodazo.exe"

if [ -n "${DISPLAY:-}" ]; then
    start_wine
    wine "$EXE" "$@" # on the user's own display, the user closes it
    exit $?
fi

start_xvfb
start_wine
SHOT=${DERODAZO_SCREENSHOT:-$BUILD/screenshot.png}
screenshot() {
    sleep "${DERODAZO_SECONDS:-5}"
    import -window root "$SHOT"
    log "screenshot saved to $SHOT"
}
code=0
run_and_close "$EXE" screenshot "$@" || code=$?
log "Derodazo exited with code $code"
exit "$code"
