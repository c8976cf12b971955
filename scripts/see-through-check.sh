#!/usr/bin/env bash
# Opens the About box over an empty frame with a compositing manager on the display: its commonest colour, its
# face, must be the face colour blended at 192/255 over the frame's grey. With --no-compositor the same check fails.
set -uo pipefail
build=$(cd "$1" && pwd) composite=$([ "${2:-}" = --no-compositor ] || echo --composite)
[ -n "${DISPLAY:-}" ] && [ -n "${WINEPREFIX:-}" ] || { echo "needs the DISPLAY and WINEPREFIX of lib.sh"; exit 77; }
shot=$build/see-through-check.png
"$(dirname "$0")/shoot.sh" "$build" "$shot" 0 $composite --about --dialog -- -next ||
    { echo "FAIL the About box over an empty frame did not run and exit with 0"; exit 1; }
face=$(wine "$build/poke.exe" syscolor 15) behind=$(wine "$build/poke.exe" syscolor 12) # BTNFACE, APPWORKSPACE
seen=$(convert "$shot" -format %c histogram:info:- | sort -rn | head -1 | sed 's/^[^(]*(\([0-9,]*\)).*/\1/' | tr , ' ')
awk -v shot="$shot" -v face="$face" -v behind="$behind" -v seen="$seen" 'BEGIN {
    split(face, f); split(behind, b); split(seen, s)
    for (i = 1; i <= 3; i++) {
        blend[i] = (192 * f[i] + 63 * b[i]) / 255
        off += (s[i] - blend[i]) ^ 2 > 4; apart += (f[i] - b[i]) ^ 2 > 256 # more than 2, more than 16 apart
    }
    printf "%s: face %s over %s makes %.1f %.1f %.1f, seen %s\n", shot, face, behind, blend[1], blend[2], blend[3], seen
    if (!apart) { print "FAIL the face and the grey behind it are too alike to tell a blend"; exit 1 }
    if (off) { print "FAIL the About box is not a 192/255 blend of its face and what lies behind"; exit 1 }
    print "PASS"
}'
