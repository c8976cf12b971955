#!/usr/bin/env bash
# Runs the real Derodazo.exe under hostile use and checks that it ends with exit code 0 every time:
# command lines no user types (1000 arguments, a 30 000-character argument, non-ASCII bytes), then a
# monkey (tests/wine/tool_monkey.cpp) clicking, dragging, pressing accelerators and choosing menu commands
# for MONKEY_SECONDS (default 20). Around it all, checks that the program wrote nothing: no file under the
# prefix's drive_c and no registry key differs afterwards.
set -uo pipefail
EXE=$1
DIR=$(dirname "$EXE")
if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
    echo "needs the DISPLAY and WINEPREFIX that scripts/test.sh sets up"; exit 77
fi
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
. "$(dirname "$0")/program-runs.sh"

snapshot() { # name
    find "$WINEPREFIX/drive_c" -printf '%p %s %T@\n' 2>/dev/null | sort >"$WORK/$1.files"
    wine reg export HKCU "$WORK/$1.hkcu" /y >/dev/null 2>&1
    wine reg export HKLM "$WORK/$1.hklm" /y >/dev/null 2>&1
}

snapshot before

thousand=(-bubbles)
for i in $(seq 499); do thousand+=(/make "/x$i"); done
thousand+=(-lines)
run_case "1000 arguments" "${thousand[@]}"
# A whole command line holds at most 32 767 characters, so one argument can be a little shorter than that.
run_case "a 30 000-character argument" -bubbles "/$(head -c 30000 /dev/zero | tr '\0' m)" /make
run_case "non-ASCII arguments" -bubbles $'/m\xe1ke' $'-l\xcdnes' $'\xc3\xa9' $'\xff\xfe' /make

wine "$EXE" -lines /boxes -bubbles /make /make /make /make -lines /plot /erase -bubbles /gravity /make /make &
app=$!
seconds=${MONKEY_SECONDS:-20}
if wine "$DIR/monkey.exe" "$seconds" "${MONKEY_SEED:-$RANDOM}"; then
    echo "ok   monkey for $seconds s: the program stayed up"
else
    echo "FAIL monkey: the program went away during the run"; failures=$((failures + 1))
fi
wine "$CLOSER" >/dev/null
wait_bounded "$app" 60
code=$?
if [ "$code" = 0 ]; then echo "ok   closed after the monkey with exit code 0"; else
    echo "FAIL closed after the monkey with exit code $code"; failures=$((failures + 1)); fi

snapshot after
# Wine's own housekeeping: the time stamps it keeps in the registry for itself.
filter() { grep -v -e '^"TimeZoneKeyName"' -e 'Dynamic DST' -e '^\[Software\\\\Wine\\\\' "$1" 2>/dev/null; }
if ! diff <(cat "$WORK/before.files") <(cat "$WORK/after.files") >"$WORK/files.diff"; then
    echo "FAIL files under drive_c changed:"; head -20 "$WORK/files.diff"; failures=$((failures + 1))
else
    echo "ok   no file under drive_c changed"
fi
for hive in hkcu hklm; do
    if ! diff <(filter "$WORK/before.$hive") <(filter "$WORK/after.$hive") >"$WORK/$hive.diff"; then
        echo "FAIL registry $hive changed:"; head -20 "$WORK/$hive.diff"; failures=$((failures + 1))
    else
        echo "ok   registry $hive unchanged"
    fi
done
exit $((failures > 0))
