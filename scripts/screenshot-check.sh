#!/usr/bin/env bash
# Takes a screenshot of Derodazo's default start-up from the given build and checks by colour counts
# that it shows the active frame, two child windows and bubbles.
set -uo pipefail
BUILD_DIR=$(cd "$1" && pwd)
ROOT=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
    echo "needs the DISPLAY and WINEPREFIX that scripts/test.sh sets up"; exit 77
fi
SHOT=$BUILD_DIR/startup-check.png
"$ROOT/scripts/shoot.sh" "$BUILD_DIR" "$SHOT" 2 || { echo "FAIL the default start-up did not run and exit with 0"; exit 1; }
active=$(wine "$BUILD_DIR/poke.exe" syscolor 2) # COLOR_ACTIVECAPTION
echo "screenshot: $SHOT"
python3 "$ROOT/scripts/check-screenshot.py" "$SHOT" "${active// /,}"
