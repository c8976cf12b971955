# Starting the real Derodazo.exe and checking how it ends; sourced by the scripts that do that.
# Needs EXE (the program) set; counts failures in $failures.
CLOSER=$(dirname "$EXE")/closer.exe
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

# Runs the program with the arguments, closes its frame from outside with WM_CLOSE, expects exit code 0.
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
