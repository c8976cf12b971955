#!/usr/bin/env bash
# Usage: program-checks.sh MODE BUILD_DIR. Runs the build's real Derodazo.exe under Wine and checks it from outside:
#   end-to-end   command lines, none among them, exit with 0 after WM_CLOSE
#   reliability  hostile command lines exit with 0 and write nothing to the prefix
#   installer    the NSIS installer installs silently, the installed program runs, the uninstaller removes all
# Exits 77 without Wine and a display.
set -uo pipefail
mode=$1 build=$(cd "$2" && pwd) scripts=$(cd "$(dirname "$0")" && pwd)
exe=$build/Derodazo.exe POKE=$build/poke.exe failures=0
[ -n "${DISPLAY:-}" ] && [ -n "${WINEPREFIX:-}" ] || { echo "needs the DISPLAY and WINEPREFIX of lib.sh"; exit 77; }
. "$scripts/lib.sh" # run_and_close PROGRAM ACTION ARGS...: a run that ends with 0 after WM_CLOSE
expect() { if "${@:2}"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi; } # what, command...
quiet() { "$@" >/dev/null 2>&1; }

case $mode in
end-to-end)
    for a in "" -next "-bubbles /make -lines" "-LINES /boxes -b -n /gravity"; do expect "${a:-no arguments}" run_and_close "$exe" : $a; done ;;
reliability)
    snapshot() { # but for the keys Wine's display driver makes and drops again with the desktop
        find "$WINEPREFIX/drive_c" -printf '%p %s %T@\n' 2>/dev/null | sort
        for hive in HKCU HKLM; do quiet wine reg export $hive "$build/$hive.reg" /y && iconv -f utf-16 "$build/$hive.reg"; done |
            awk '/^\[/ { wine = /Wine\\Temporary System Parameters|Control\\Video\\/ } !wine'; }
    before=$(snapshot)
    expect "1000 arguments" run_and_close "$exe" : -bubbles $(printf '/make /x%d ' {1..499}) -lines
    # A whole command line holds at most 32 767 characters.
    expect "a 30 000-character argument" run_and_close "$exe" : -bubbles "/$(head -c 30000 /dev/zero | tr '\0' m)" /make
    expect "non-ASCII arguments" run_and_close "$exe" : -bubbles $'/m\xe1ke' $'-l\xcdnes' $'\xc3\xa9' $'\xff\xfe' /make
    expect "nothing written under drive_c or to the registry" diff <(echo "$before") <(snapshot) ;;
installer)
    export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d" # keeps the shortcut out of this machine's menus
    c=$WINEPREFIX/drive_c key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Derodazo'
    dir="$c/Program Files/Derodazo" lnk="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Derodazo.lnk"
    scr=$c/windows/system32/Derodazo.scr win='C:\Program Files\Derodazo\Derodazo.exe'
    rm -rf "$dir" "$lnk" "$scr" "$build/installer-test"; quiet wine reg delete "$key" /f # left by a stopped run
    expect "cpack makes the installer" quiet cpack --config "$build/CPackConfig.cmake" -G NSIS -B "$build/installer-test"
    expect "the installer exits with 0" wine "$build"/installer-test/Derodazo-*-setup.exe /S
    expect "the program folder holds Derodazo.exe and Uninstall.exe" test "$(cd "$dir" && echo *)" = "Derodazo.exe Uninstall.exe"
    expect "the Start-menu shortcut starts the program" grep -qxF "$win" <(strings "$lnk")
    expect "the shortcut shows the program's icon" grep -qF "$win" <(strings -el "$lnk") # after its length
    expect "the uninstaller is registered" quiet wine reg query "$key"
    expect "the screen saver is in the system folder" test -f "$scr"
    expect "the installed program runs with -next and exits with 0" run_and_close "$dir/Derodazo.exe" : -next
    expect "the uninstaller exits with 0" wine "$dir/Uninstall.exe" /S
    # It hands over to a copy of itself and returns at once; the folder is the last thing it removes.
    for _ in $(seq 300); do [ -e "$dir" ] && sleep 0.1; done
    expect "the program folder, the shortcut and the screen saver are removed" test ! -e "$dir" -a ! -e "$lnk" -a ! -e "$scr"
    expect "the uninstaller is unregistered" test "$(quiet wine reg query "$key"; echo $?)" != 0 ;;
esac
exit $((failures > 0))
