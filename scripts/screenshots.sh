#!/usr/bin/env bash
# Regenerates the README's screenshots (docs/*.png) from the real program, on its own 800x600 Xvfb.
# Each is the frame window after a few seconds of animation; docs/saver.png is the whole screen under
# Derodazo.scr.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

ensure_packages
build x86_64 --preset mingw-x86_64 -DDERODAZO_WINE_TESTS=ON >/dev/null
start_picture_session 800x600
DOCS=$ROOT/docs
RAW=$BUILD/screenshots
mkdir -p "$DOCS" "$RAW"

shot() { # name, seconds, [--about], [-- program arguments...]
    local name=$1
    shift
    log "docs/$name.png"
    "$ROOT/scripts/shoot.sh" "$BUILD/x86_64" "$RAW/$name.png" "$@"
    # Lossless, so the colours stay exact; an 8-bit palette, where the screen shows no more than 256 colours, keeps the files smaller.
    local colours format=PNG24
    colours=$(identify -format %k "$RAW/$name.png")
    [ "$colours" -le 256 ] && format=PNG8
    convert "$RAW/$name.png" -strip "$format:$DOCS/$name.png"
}

bubbles=(/make /make /make /make /make /make /make /make /make /make /make /make)
SHOOT_TRIES=4 shot startup 2
for style in lines boxes ovals lissajous plot; do
    SHOOT_TRIES=4 shot "lines-$style" 3 -- -lines "/$style"
done
# Designer starts on; /design turns it off, leaving grey rings.
shot bubbles-designer 4 -- -bubbles "${bubbles[@]}"
shot bubbles-rings 4 -- -bubbles /design "${bubbles[@]}"
shot bubbles-gravity 6 -- -bubbles /gravity "${bubbles[@]}"
# A compositing manager, so that the see-through About box shows as such.
shot about 3 --composite --about
# The screen saver with its default settings (Lines, each style in turn) over the whole screen. It has no
# frame for run_and_close, and any key or move would end it, so it is stopped by its process.
log "docs/saver.png"
wine reg delete 'HKCU\Software\Derodazo\Screen Saver' /f >/dev/null 2>&1 || true
wine "$BUILD/x86_64/Derodazo.scr" /s &
saver=$!
sleep 5
import -window root "$RAW/saver.png"
kill "$saver"
wait "$saver" || true
convert "$RAW/saver.png" -strip "PNG24:$DOCS/saver.png"
du -ch "$DOCS"/*.png | tail -1
