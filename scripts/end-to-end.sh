#!/usr/bin/env bash
# Runs the real Derodazo.exe for a few command lines, closes it from outside with WM_CLOSE
# and checks that each run ends with exit code 0.
set -uo pipefail
EXE=$1
CLOSER=$(dirname "$EXE")/closer.exe
if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
    echo "needs the DISPLAY and WINEPREFIX that scripts/test.sh sets up"; exit 77
fi

failures=0
# Waits for a started program, at most $2 seconds: a run that never ends must fail, not hang the suite.
wait_bounded() { # pid, seconds
    local i
    for ((i = 0; i < $2 * 10; i++)); do
        kill -0 "$1" 2>/dev/null || { wait "$1"; return; }
        sleep 0.1
    done
    echo "still running after $2 s: stopped"; kill "$1" 2>/dev/null; wait "$1" 2>/dev/null; return 124
}
run_case() { # description, arguments...
    local name=$1; shift
    wine "$EXE" "$@" &
    local app=$!
    if ! wine "$CLOSER" >/dev/null; then
        echo "FAIL $name: the frame window never appeared"; kill "$app" 2>/dev/null; failures=$((failures + 1)); return
    fi
    wait_bounded "$app" 60
    local code=$?
    if [ "$code" = 0 ]; then echo "ok   $name"; else echo "FAIL $name: exit code $code"; failures=$((failures + 1)); fi
}

run_case "no arguments"
run_case "-next alone" -next
run_case "-bubbles /make -lines" -bubbles /make -lines
run_case "-LINES /boxes -b -n /gravity" -LINES /boxes -b -n /gravity
exit $((failures > 0))
