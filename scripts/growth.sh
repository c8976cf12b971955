#!/usr/bin/env bash
# What a long run does to the memory, GDI objects and handles of Derodazo and its screen saver. Each run is the
# program's own code under Wine on a private Xvfb for MINUTES minutes (10 unless set), in a measuring host of
# bench/wine/ that prints the process's figures at start-up and each minute; growth_probe.h says how each
# figure is read. At the end, one line per run: the growth from minute 2 to the last (from minute 1 in runs of
# 2 minutes or less), with each figure's range over those minutes, and the growth of the GDI objects by kind.
# gdi_beyond_pictures leaves out the bubble pictures that Derodazo keeps on purpose (at most 512, a memory DC
# and a bitmap each), whose number grows as new bubble sizes are seen until that bound.
#   heavy    the heavy scene of bench.sh (lib.sh's HEAVY_SCENE)
#   monkey   the default scene, with bench/wine/monkey.cpp's mouse monkey playing in it the whole time (seed GROWTH_SEED, 1)
#   lines    Derodazo.scr /s with the Lines show, each style in turn
#   bubbles  Derodazo.scr /s with the Bubbles show: 199 bubbles, Gravity and Yeast on
#   scripts/growth.sh                 all four runs, 10 minutes each
#   MINUTES=2 scripts/growth.sh       shorter runs
#   scripts/growth.sh lines bubbles   some runs only
#   GROWTH_LEAK=1 scripts/growth.sh   the control: each host also leaks a pen, an event and 64 KB a second,
#                                     which rss_kb, private_kb, handles, gdi and pens must all show
# A measurement run on demand, not part of the tests: nothing here passes or fails.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

MINUTES=${MINUTES:-10}
SEED=${GROWTH_SEED:-1}
FROM=$((MINUTES > 2 ? 2 : MINUTES - 1))
RUNS=("$@")
[ $# -gt 0 ] || RUNS=(heavy monkey lines bubbles)
for run in "${RUNS[@]}"; do
    [[ $run =~ ^(heavy|monkey|lines|bubbles)$ ]] || { log "no run called $run: heavy, monkey, lines, bubbles"; exit 2; }
done

ensure_packages
log "Windows x86_64 build with the measuring hosts"
build growth-x86_64 --preset mingw-x86_64 -DDERODAZO_BENCH=ON >/dev/null
EXE=$BUILD/growth-x86_64
start_xvfb
# A prefix of its own: the screen saver's settings are written to it.
WINE_PREFIX_DIR=$BUILD/wineprefix-growth start_wine
RESULTS=$(mktemp -d)

saver_settings() { # NAME=VALUE...: DWORDs as the settings dialog stores them, the rest left to its defaults
    local key='HKCU\Software\Derodazo\Screen Saver' setting
    wine reg delete "$key" /f >/dev/null 2>&1 || true
    for setting in "$@"; do wine reg add "$key" /v "${setting%=*}" /t REG_DWORD /d "${setting#*=}" /f >/dev/null; done
}

measure() { # run name, host, arguments...: the host's lines, kept and shown as they come
    local name=$1
    shift
    log "$name: $MINUTES minutes"
    timeout $((MINUTES * 60 + 120)) wine "$EXE/$1" "$MINUTES" "${@:2}" 2>/dev/null | tee "$RESULTS/$name.out" |
        sed -u "s/^/$name /" || log "$name: the host ended with an error"
}

for run in "${RUNS[@]}"; do
    case $run in
    heavy) measure heavy growth_host.exe "${HEAVY_SCENE[@]}" ;;
    monkey)
        # It finds the frame itself and plays until the host closes it (then it exits with 1).
        wine "$EXE/monkey.exe" $((MINUTES * 60)) "$SEED" >/dev/null 2>&1 &
        monkey=$!
        measure monkey growth_host.exe
        wait "$monkey" || true
        ;;
    lines) saver_settings Show=0; measure lines growth_saver.exe ;;
    bubbles) saver_settings Show=1 Bubbles=199 Gravity=1 Yeast=1; measure bubbles growth_saver.exe ;;
    esac
done

echo
echo "Growth from minute $FROM to the last, [the range over those minutes]; $(wine --version), Xvfb ${XVFB_SCREEN:-1280x1024x24}"
for run in "${RUNS[@]}"; do
    awk -v run="$run" -v from="$FROM" -v minutes="$MINUTES" '
        $1 == "minute" {
            last = $2
            for (i = 3; i < NF; i += 2) value[last, $i] = $(i + 1)
            # Each kept bubble picture is a memory DC and a bitmap, and nothing else makes memory DCs.
            value[last, "gdi_beyond_pictures"] = value[last, "gdi"] - 2 * value[last, "memdcs"]
        }
        function growth(name) { return sprintf(" %s %+d", name, value[last, name] - value[from, name]) }
        function range(name, m, low, high) {
            low = high = value[from, name]
            for (m = from; m <= last; m++) { low = value[m, name] < low ? value[m, name] : low; high = value[m, name] > high ? value[m, name] : high }
            return sprintf(" [%d]", high - low)
        }
        END {
            if (last < from) { printf "%-8s no figures after minute %d\n", run, from; exit }
            line = sprintf("%-8s", run)
            n = split("rss_kb private_kb handles gdi gdi_beyond_pictures", figures)
            for (k = 1; k <= n; k++) line = line growth(figures[k]) range(figures[k])
            n = split("windows pens brushes dcs memdcs bitmaps fonts regions other", kinds)
            for (k = 1; k <= n; k++) line = line growth(kinds[k])
            print line (last < minutes ? sprintf(" (ended at minute %d)", last) : "")
        }' "$RESULTS/$run.out"
done
rm -rf "$RESULTS"
