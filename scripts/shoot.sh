#!/usr/bin/env bash
# Takes one screenshot of the real program: runs BUILD_DIR/Derodazo.exe with the arguments, lets it
# animate for SECONDS, optionally opens Help/About, saves the frame's rectangle of the screen to OUT.png,
# then closes the About box and the program with WM_CLOSE. Exits with the program's exit code (0), or 1 if it
# never showed; one that does not end a minute after WM_CLOSE is stopped.
# Needs a DISPLAY and WINEPREFIX (scripts/lib.sh's start_xvfb and start_wine). SHOOT_TRIES: see below.
# Usage: shoot.sh BUILD_DIR OUT.png SECONDS [--composite] [--about [--dialog]] [-- program arguments...]
# --composite runs xcompmgr on the display meanwhile: without a compositing manager X shows every window
# opaque, the see-through About box too. --dialog saves the About dialog's rectangle instead of the frame's.
set -uo pipefail
. "$(dirname "$0")/lib.sh"
BUILD_DIR=$1 OUT=$2 SECONDS_TO_RUN=$3
shift 3
about=false dialog=false
while [ $# -gt 0 ]; do
    case $1 in
    --about) about=true ;;
    --dialog) dialog=true ;;
    --composite)
        xcompmgr & # its plain mode: translucency and no shadows, which would darken what lies around
        STARTED_PIDS+=($!)
        # It shows it is running with a window of its own name.
        for _ in $(seq 50); do xwininfo -name xcompmgr >/dev/null 2>&1 && break; sleep 0.1; done
        ;;
    *) break ;;
    esac
    shift
done
[ "${1:-}" = -- ] && shift

capture() { import -window root -crop "${width}x${height}+${x}+${y}" +repage "$1"; }
white_share() { convert "$1" -fill black +opaque white -format '%[fx:mean]' info:; }
picture() {
    read -r x y width height <<<"$FRAME_RECT"
    sleep "$SECONDS_TO_RUN"
    if $about; then
        wine "$BUILD_DIR/poke.exe" command 40017 # IDM_ABOUT
        sleep 1 # let it paint
    fi
    if $dialog; then
        # The dialog's title is the one thing that tells it from the frame's other windows on the X side.
        read -r x y width height <<<"$(xwininfo -name "About Derodazo" |
            awk '/Absolute upper-left [XY]:|Width:|Height:/ { printf "%s ", $NF }')"
    fi
    capture "$OUT"
    # With SHOOT_TRIES=n, n pictures a second apart, keeping the busiest: a Lines figure may just have begun.
    for ((try = 2; try <= ${SHOOT_TRIES:-1}; try++)); do
        sleep 1
        capture "$OUT.try.png"
        if awk -v new="$(white_share "$OUT.try.png")" -v old="$(white_share "$OUT")" 'BEGIN { exit !(new < old) }'; then
            mv "$OUT.try.png" "$OUT"
        fi
    done
    rm -f "$OUT.try.png"
}
run_and_close "$BUILD_DIR/Derodazo.exe" picture "$@"
