#!/usr/bin/env bash
# Installs what is missing, builds and runs Derodazo under Wine with the given arguments.
# With no DISPLAY it runs headless on its own Xvfb for a few seconds, saves a screenshot and closes the program.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

ensure_packages
build_windows x86_64 >/dev/null
EXE="$BUILD/x86_64/Derodazo.exe"

if [ -n "${DISPLAY:-}" ]; then
    start_wine
    wine "$EXE" "$@"
    exit $?
fi

start_xvfb
start_wine
SHOT=${DERODAZO_SCREENSHOT:-$BUILD/screenshot.png}
wine "$EXE" "$@" &
app=$!
wine "$BUILD/x86_64/poke.exe" wait
sleep "${DERODAZO_SECONDS:-5}"
import -window root "$SHOT"
log "screenshot saved to $SHOT"
wine "$BUILD/x86_64/poke.exe" close
set +e
wait "$app"
code=$?
set -e
log "Derodazo exited with code $code"
exit "$code"
