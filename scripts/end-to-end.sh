#!/usr/bin/env bash
# Runs the real Derodazo.exe for a few command lines, closes it from outside with WM_CLOSE
# and checks that each run ends with exit code 0.
set -uo pipefail
EXE=$1
if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
    echo "needs the DISPLAY and WINEPREFIX that scripts/test.sh sets up"; exit 77
fi

. "$(dirname "$0")/program-runs.sh"

run_case "no arguments"
run_case "-next alone" -next
run_case "-bubbles /make -lines" -bubbles /make -lines
run_case "-LINES /boxes -b -n /gravity" -LINES /boxes -b -n /gravity
exit $((failures > 0))
