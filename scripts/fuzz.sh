#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (ASan and UBSan) and runs each for a bounded time:
# first the recorded inputs of fuzz/regressions/<target>/, then new inputs for FUZZ_SECONDS (default 10).
# The corpus grows in build/fuzz/corpus between runs; a failing input is kept in build/fuzz/artifacts.
#   scripts/fuzz.sh                        bounded run, as part of scripts/test.sh
#   FUZZ_SECONDS=600 scripts/fuzz.sh       a longer run by hand
set -euo pipefail
. "$(dirname "$0")/lib.sh"

SECONDS_EACH=${FUZZ_SECONDS:-10}
DIR="$BUILD/fuzz"
ensure_packages
log "fuzz build (clang, libFuzzer, ASan, UBSan)"
CC=clang CXX=clang++ build fuzz -S "$ROOT/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

status=0
for target in bubbles_fuzzer; do
    mkdir -p "$DIR/corpus/$target" "$DIR/artifacts"
    regressions=("$ROOT/fuzz/regressions/$target"/*)
    if [ -e "${regressions[0]}" ]; then
        if "$DIR/$target" "${regressions[@]}" >"$DIR/$target.regressions.log" 2>&1; then
            log "$target: ${#regressions[@]} recorded inputs pass"
        else
            log "$target: a recorded input fails"; tail -40 "$DIR/$target.regressions.log"; status=1
        fi
    fi
    seeds=()
    [ -d "$ROOT/fuzz/seeds/$target" ] && seeds=("$ROOT/fuzz/seeds/$target")
    if "$DIR/$target" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$DIR/artifacts/$target-" "$DIR/corpus/$target" "${seeds[@]}" >"$DIR/$target.log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$DIR/$target.log" | grep -o '[0-9]*$')
        log "$target: ${runs:-?} inputs in ${SECONDS_EACH} s, no fault"
    else
        log "$target: fault found (input kept in $DIR/artifacts)"; tail -60 "$DIR/$target.log"; status=1
    fi
done
exit $status
