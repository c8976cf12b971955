#!/usr/bin/env bash
# Records the README's opening picture, docs/derodazo.gif, from the real program on its own 640x480 Xvfb:
# a few seconds of the default start-up, then four Lines windows in four styles. Frames are grabbed with
# xwd at 10 a second, cut to the frame window, and made into a GIF that gifsicle optimises.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

ensure_packages
build x86_64 --preset mingw-x86_64 -DDERODAZO_WINE_TESTS=ON >/dev/null
start_picture_session 640x480
EXE=$BUILD/x86_64
RAW=$BUILD/recording
OUT=$ROOT/docs/derodazo.gif
FPS=10
rm -rf "$RAW"
mkdir -p "$RAW"
frames=0 crop=""

grab() { # SCENE_SECONDS of frames, cut to the frame window
    local x y width height next wait_us
    read -r x y width height <<<"$FRAME_RECT"
    crop=${width}x${height}+${x}+${y}
    # Frames on a fixed beat, so the GIF plays at the program's own speed even when a grab runs late.
    next=${EPOCHREALTIME/./}
    for ((i = 0; i < SCENE_SECONDS * FPS; i++)); do
        xwd -root -silent >"$RAW/$(printf %04d "$frames").xwd"
        frames=$((frames + 1))
        next=$((next + 1000000 / FPS))
        wait_us=$((next - ${EPOCHREALTIME/./}))
        [ "$wait_us" -le 0 ] || sleep "$(printf '0.%06d' "$wait_us")"
    done
}

scene() { # seconds, program arguments...
    SCENE_SECONDS=$1
    shift
    log "recording $SCENE_SECONDS s of: Derodazo.exe $*"
    run_and_close "$EXE/Derodazo.exe" grab "$@"
}

scene 4
scene 5 -lines /boxes -lines /ovals /erase -lines /lissajous -lines /plot
log "making $OUT from $frames frames"
# Every scene's frame has the same default place and size; the last one's rectangle cuts them all.
convert -delay $((100 / FPS)) -loop 0 "$RAW"/*.xwd -crop "$crop" +repage "$RAW/raw.gif"
gifsicle -O3 --colors 256 "$RAW/raw.gif" -o "$OUT"
du -h "$OUT"
