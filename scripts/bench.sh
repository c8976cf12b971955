#!/usr/bin/env bash
# Prints every performance figure of Derodazo (docs/performance.md explains them and keeps a record):
#  1. the core's Google Benchmark timings (native, optimised, no sanitizers);
#  2. the whole program under Wine on a private Xvfb: CPU use (% of one core, from /proc utime+stime,
#     apart for the program's process, wineserver and Xvfb) and each window's ticks per second, for a
#     floor fixture (a bare MDI program whose 16 ms timers only take and release a DC), the default scene,
#     xscreensaver's qix as a peer, a lone idle window and a heavy scene;
#  3. settle times: 199 bubbles made at random in a 640x480 client of the real program (seeds 1 to 5), against
#     the core's BM_SettlePile on the same piles;
#  4. the heavy scene's relaxation steps per second, today and in BENCH_BASELINE (57293c4), the program
#     before its Bubbles drawing was made cheap, built from the repository's history.
#   scripts/bench.sh                   everything, 30 s per measured run
#   BENCH_SECONDS=10 scripts/bench.sh  shorter runs
#   scripts/bench.sh --core | --wine   one half only
# Nothing here passes or fails on a time: it prints figures and the ratios the targets are stated in.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

SECS=${BENCH_SECONDS:-30}
WARMUP=${BENCH_WARMUP:-3}
PART=${1:-all}
PACKAGES+=(libbenchmark-dev xscreensaver-data-extra)
ensure_packages

# The program before its Bubbles drawing was made cheap (it already counts relaxation steps): the heavy scene
# runs in it too, so that its steps per second are measured in the same run as today's.
BASELINE=${BENCH_BASELINE:-57293c4}

log "core benchmarks (native)" # built for --wine too: the settle figures are set against the core's
build bench --preset native -DDERODAZO_BENCH=ON -DDERODAZO_SANITIZE=OFF -DBUILD_TESTING=OFF \
    --target core_bench >/dev/null
[ "$PART" != --wine ] && "$BUILD/bench/core_bench" --benchmark_counters_tabular=true
[ "$PART" = --core ] && exit 0

log "Windows x86_64 build with the measuring tools"
EXE_DIR="$BUILD/bench-x86_64"
build bench-x86_64 --preset mingw-x86_64 -DDERODAZO_BENCH=ON -DBUILD_TESTING=OFF \
    --target Derodazo bench_host floor >/dev/null
# poke.exe, which waits for Derodazo.exe's frame and closes it, comes with the tests of the usual build.
build x86_64 --preset mingw-x86_64 -DDERODAZO_WINE_TESTS=ON --target poke >/dev/null
BASE_DIR="$BUILD/bench-baseline"
if git -C "$ROOT" cat-file -e "$BASELINE^{commit}" 2>/dev/null; then
    log "Windows x86_64 build of $BASELINE, the drawing before it was made cheap"
    rm -rf "$BASE_DIR/src" && mkdir -p "$BASE_DIR/src"
    git -C "$ROOT" archive "$BASELINE" | tar -x -C "$BASE_DIR/src"
    build bench-baseline -S "$BASE_DIR/src" -DCMAKE_BUILD_TYPE=Release -DDERODAZO_BENCH=ON -DDERODAZO_WINE_TESTS=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$BASE_DIR/src/cmake/toolchain-x86_64-w64-mingw32.cmake" --target bench_host >/dev/null
else
    log "$BASELINE is not in this checkout (a shallow clone?): the heavy scene runs in today's program only"
fi
start_xvfb
start_wine
CLK=$(getconf CLK_TCK)

cpu_ticks() { # pid: utime+stime in clock ticks
    awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0
}
snapshot() { # pids...: one sum per pid
    local p out=()
    for p in "$@"; do out+=("$(cpu_ticks "$p")"); done
    echo "${out[@]}"
}
percent() { # before after seconds
    awk -v a="$1" -v b="$2" -v s="$3" -v c="$CLK" 'BEGIN { printf "%.2f", (b - a) / c / s * 100 }'
}

RESULTS=$(mktemp -d)
# Runs a measuring tool that prints "begin" when it starts counting ticks; CPU is read from then for SECS.
# bench_host.exe and floor.exe end by themselves once counted, so nothing closes them from outside.
measure() { # name, command...
    local name=$1; shift
    local out="$RESULTS/$name.out"
    "$@" >"$out" 2>/dev/null &
    local pid=$!
    while ! grep -q '^begin' "$out" 2>/dev/null; do
        kill -0 "$pid" 2>/dev/null || { log "$name ended early"; return 1; }
        sleep 0.01
    done
    local before; before=$(snapshot "$pid" "$WINESERVER_PID" "$XVFB_PID")
    local t0; t0=$(date +%s.%N)
    # The tool measures its ticks over the same SECS and stays up a moment after its "end".
    sleep "$SECS"
    local after; after=$(snapshot "$pid" "$WINESERVER_PID" "$XVFB_PID")
    local t1; t1=$(date +%s.%N)
    wait "$pid" || log "$name exited with code $?"
    local s; s=$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')
    read -r p0 w0 x0 <<<"$before"
    read -r p1 w1 x1 <<<"$after"
    echo "$(percent "$p0" "$p1" "$s") $(percent "$w0" "$w1" "$s") $(percent "$x0" "$x1" "$s")" >"$RESULTS/$name.cpu"
}

# The real Derodazo.exe and qix have no "begin" line: measure them over a fixed window after a warm-up.
measure_plain() { # name, pid
    local name=$1 pid=$2
    sleep "$WARMUP"
    local before; before=$(snapshot "$pid" "$WINESERVER_PID" "$XVFB_PID")
    local t0; t0=$(date +%s.%N)
    sleep "$SECS"
    local after; after=$(snapshot "$pid" "$WINESERVER_PID" "$XVFB_PID")
    local t1; t1=$(date +%s.%N)
    local s; s=$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')
    read -r p0 w0 x0 <<<"$before"
    read -r p1 w1 x1 <<<"$after"
    echo "$(percent "$p0" "$p1" "$s") $(percent "$w0" "$w1" "$s") $(percent "$x0" "$x1" "$s")" >"$RESULTS/$name.cpu"
}
derodazo_cpu() { measure_plain derodazo "$APP_PID"; }


log "floor fixture, 2 children (${SECS} s)"
measure floor2 wine "$EXE_DIR/floor.exe" "$WARMUP" "$SECS" 2
log "default scene (${SECS} s)"
measure default wine "$EXE_DIR/bench_host.exe" "$WARMUP" "$SECS"
log "Derodazo.exe itself, default scene (${SECS} s)"
POKE=$BUILD/x86_64/poke.exe run_and_close "$EXE_DIR/Derodazo.exe" derodazo_cpu || true
log "qix, the peer (${SECS} s)"
/usr/libexec/xscreensaver/qix >/dev/null 2>&1 & # no Windows program, so stopped by its process
qix=$!
measure_plain qix "$qix"
kill "$qix" 2>/dev/null; wait "$qix" 2>/dev/null || true
log "a lone idle Bubbles window (${SECS} s)"
measure lone wine "$EXE_DIR/bench_host.exe" "$WARMUP" "$SECS" -b
log "floor fixture, 8 children (${SECS} s)"
measure floor8 wine "$EXE_DIR/floor.exe" "$WARMUP" "$SECS" 8
log "heavy scene (${SECS} s)"
measure heavy wine "$EXE_DIR/bench_host.exe" "$WARMUP" "$SECS" "${HEAVY_SCENE[@]}"
if [ -f "$BASE_DIR/bench_host.exe" ]; then
    log "heavy scene in $BASELINE (${SECS} s)"
    measure heavy_before wine "$BASE_DIR/bench_host.exe" "$WARMUP" "$SECS" "${HEAVY_SCENE[@]}"
fi

echo
echo "CPU use, % of one core over ${SECS} s (machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs); $(wine --version))"
printf '%-28s %9s %11s %7s %7s\n' run process wineserver Xvfb total
for run in floor2 default derodazo qix lone floor8 heavy heavy_before; do
    [ -f "$RESULTS/$run.cpu" ] || continue
    read -r p w x <"$RESULTS/$run.cpu"
    printf '%-28s %9s %11s %7s %7s\n' "$run" "$p" "$w" "$x" "$(awk -v a="$p" -v b="$w" -v c="$x" 'BEGIN { printf "%.2f", a + b + c }')"
done
total() { read -r p w x <"$RESULTS/$1.cpu"; awk -v a="$p" -v b="$w" -v c="$x" 'BEGIN { print a + b + c }'; }
echo
awk -v d="$(total default)" -v f="$(total floor2)" -v q="$(total qix)" -v r="$(total derodazo)" 'BEGIN {
    printf "default scene / floor (target <= 1.25): %.2f\n", d / f
    printf "Derodazo.exe default scene / floor:      %.2f\n", r / f
    printf "default scene / qix:                     %.2f\n", d / q
}'
echo
echo "Ticks per second of each window"
lone=$(awk '/^window/ { print $8 }' "$RESULTS/lone.out" | head -1)
for run in floor2 default lone floor8 heavy heavy_before; do
    [ -f "$RESULTS/$run.out" ] || continue
    echo "-- $run"
    awk -v lone="$lone" '/^window/ {
        rate = $0; sub(/.* rate /, "", rate); sub(/ .*/, "", rate)
        printf "   %s  (%.0f %% of the lone idle window)\n", $0, rate / lone * 100 }' "$RESULTS/$run.out"
done

log "settling 199 bubbles in 640x480, seeds 1 to 5"
wine "$EXE_DIR/bench_host.exe" settle 640 480 5 2>/dev/null | tee "$RESULTS/settle.out"
core=$("$BUILD/bench/core_bench" --benchmark_filter='BM_SettlePile/w:640/h:480' 2>/dev/null |
    grep -o 'cpu_ms=[0-9.]*' | cut -d= -f2)
awk -v core="$core" '/^settle/ { wall += $7; cpu += $9; ticks += $11; n++ } END {
    printf "settle 640x480: real program %.1f ms CPU (%.0f ms wall, %.1f ticks), core %.1f ms CPU: %.2f x (target <= 3)\n",
           cpu / n, wall / n, ticks / n, core, cpu / n / core }' "$RESULTS/settle.out"
echo
echo "Heavy scene, per Bubbles window"
bubbles() { # the mean of each Bubbles window's steps/s, draws/s and drawn/s in a run's output
    awk '/^window BubblesWind/ { for (i = 1; i < NF; i++) if ($i ~ /^(steps|draws|drawn)\/s$/) sum[$i] += $(i + 1); n++ }
        END { if (n) printf "%.0f %.0f %.0f\n", sum["steps/s"] / n, sum["draws/s"] / n, sum["drawn/s"] / n }' "$1"
}
read -r steps draws drawn <<<"$(bubbles "$RESULTS/heavy.out")"
echo "today: relaxation steps/s $steps, draws asked/s $draws, pictures drawn/s $drawn"
if [ -f "$RESULTS/heavy_before.out" ]; then
    read -r before_steps before_draws _ <<<"$(bubbles "$RESULTS/heavy_before.out")"
    echo "$BASELINE: relaxation steps/s $before_steps, draws asked/s $before_draws, every draw an Ellipse"
    awk -v a="$steps" -v b="$before_steps" 'BEGIN { printf "steps/s against %s: %.1f x (target >= 20)\n", "'"$BASELINE"'", a / b }'
fi
rm -rf "$RESULTS"
