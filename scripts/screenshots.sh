#!/usr/bin/env bash
# Regenerates the README's screenshots (docs/*.png) from the real program, on its own 800x600 Xvfb.
# Each is the frame window after a few seconds of animation, reduced to a small palette.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

ensure_packages
build_windows x86_64 >/dev/null
XVFB_SCREEN=800x600x24 start_xvfb
start_wine
DOCS=$ROOT/docs
RAW=$BUILD/screenshots
mkdir -p "$DOCS" "$RAW"

shot() { # name, seconds, [--about], [-- program arguments...]
    local name=$1
    shift
    log "docs/$name.png"
    "$ROOT/scripts/shoot.sh" "$BUILD/x86_64" "$RAW/$name.png" "$@"
    # An 8-bit palette keeps the files small; the screen rarely shows more than 256 colours, and then
    # every pixel stays exact (scripts/check-screenshot.py counts exact colours in docs/startup.png).
    local colours
    colours=$(identify -format %k "$RAW/$name.png")
    if [ "$colours" -le 256 ]; then
        convert "$RAW/$name.png" -strip "PNG8:$DOCS/$name.png"
    else
        convert "$RAW/$name.png" +dither -colors 256 -strip "PNG8:$DOCS/$name.png"
    fi
}

bubbles=(/make /make /make /make /make /make /make /make /make /make /make /make)
shot startup 2.5
for style in lines boxes ovals lissajous plot; do
    shot "lines-$style" 6 -- -lines "/$style"
done
# Designer starts on; /design turns it off, leaving grey rings.
shot bubbles-designer 4 -- -bubbles "${bubbles[@]}"
shot bubbles-rings 4 -- -bubbles /design "${bubbles[@]}"
shot bubbles-gravity 6 -- -bubbles /gravity "${bubbles[@]}"
shot about 3 --about
du -ch "$DOCS"/*.png | tail -1
