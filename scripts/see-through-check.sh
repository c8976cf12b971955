#!/usr/bin/env bash
# Opens the About box over an empty frame with a compositing manager on the display, and checks that its
# commonest colour, its face, is the face colour blended at 192/255 over the frame's grey behind it.
# With --no-compositor it runs without one, where the same check must fail.
set -uo pipefail
BUILD_DIR=$(cd "$1" && pwd)
ROOT=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
    echo "needs the DISPLAY and WINEPREFIX that scripts/test.sh sets up"; exit 77
fi
composite=--composite
[ "${2:-}" = --no-compositor ] && composite=""
SHOT=$BUILD_DIR/see-through-check.png
"$ROOT/scripts/shoot.sh" "$BUILD_DIR" "$SHOT" 0 $composite --about --dialog -- -next ||
    { echo "FAIL the About box over an empty frame did not run and exit with 0"; exit 1; }
face=$(wine "$BUILD_DIR/poke.exe" syscolor 15) # COLOR_BTNFACE
behind=$(wine "$BUILD_DIR/poke.exe" syscolor 12) # COLOR_APPWORKSPACE, the empty frame's grey
seen=$(convert "$SHOT" -format %c histogram:info:- | sort -rn | head -1 | sed 's/^[^(]*(\([0-9,]*\)).*/\1/' | tr , ' ')
echo "screenshot: $SHOT"
awk -v face="$face" -v behind="$behind" -v seen="$seen" 'BEGIN {
    split(face, f); split(behind, b); split(seen, s); alpha = 192 / 255
    printf "face %s over %s should blend to", face, behind
    for (i = 1; i <= 3; i++) {
        blend = alpha * f[i] + (1 - alpha) * b[i]; printf " %.1f", blend
        if (s[i] < blend - 2 || s[i] > blend + 2) off = 1
        if (f[i] - b[i] > 16 || b[i] - f[i] > 16) apart = 1
    }
    print "; the dialog shows " seen
    if (!apart) { print "FAIL the face and the grey behind it are too alike to tell a blend"; exit 1 }
    if (off) { print "FAIL the About box is not a 192/255 blend of its face and what lies behind"; exit 1 }
    print "PASS"
}'
