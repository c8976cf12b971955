#!/usr/bin/env bash
# Builds the installer from the given build directory, installs it silently under Wine, runs the
# installed Derodazo.exe, uninstalls it silently and checks that nothing of it is left.
set -uo pipefail
BUILD_DIR=$(cd "$1" && pwd)
CLOSER=$BUILD_DIR/closer.exe
if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
    echo "needs the DISPLAY and WINEPREFIX that scripts/test.sh sets up"; exit 77
fi
# A Start-menu shortcut would otherwise also land in this machine's own desktop menus.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d"

PROGRAM_DIR="$WINEPREFIX/drive_c/Program Files/Derodazo"
SHORTCUT="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Derodazo.lnk"
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Derodazo'
WIN_PROGRAM='C:\Program Files\Derodazo\Derodazo.exe'

failures=0
expect() { # description, command...
    local what=$1; shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
registered() { wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1; }
absent() { ! "$@"; }

# Prints the target and the icon location of a shell link, one per line.
shortcut_fields() {
    python3 - "$1" <<'EOF'
import struct, sys
data = open(sys.argv[1], "rb").read()
flags = struct.unpack_from("<I", data, 0x14)[0]
offset = 0x4C
if flags & 0x01:  # an item ID list
    offset += 2 + struct.unpack_from("<H", data, offset)[0]
target = ""
if flags & 0x02:  # link info, holding the local path of the target
    base = struct.unpack_from("<I", data, offset + 16)[0]
    target = data[offset + base:data.index(b"\0", offset + base)].decode("latin-1")
    offset += struct.unpack_from("<I", data, offset)[0]
strings = {}
for bit, name in ((0x04, "name"), (0x08, "path"), (0x10, "dir"), (0x20, "args"), (0x40, "icon")):
    if flags & bit:
        count = struct.unpack_from("<H", data, offset)[0]
        size = count * 2 if flags & 0x80 else count
        raw = data[offset + 2:offset + 2 + size]
        strings[name] = raw.decode("utf-16-le" if flags & 0x80 else "latin-1")
        offset += 2 + size
print(target)
print(strings.get("icon", ""))
EOF
}

# Leftovers of an earlier run that stopped half-way would hide what this installer does.
rm -rf "$PROGRAM_DIR" "$SHORTCUT"
wine reg delete "$UNINSTALL_KEY" /f >/dev/null 2>&1

echo "making the installer"
PACKAGES=$BUILD_DIR/installer-test
rm -rf "$PACKAGES"
(cd "$BUILD_DIR" && cpack -G NSIS -B "$PACKAGES" >/dev/null) || { echo "FAIL cpack"; exit 1; }
SETUP=$(ls "$PACKAGES"/Derodazo-*-setup.exe) || { echo "FAIL no installer was made"; exit 1; }

expect "the installer exits with 0" wine "$SETUP" /S
expect "Derodazo.exe arrives" test -f "$PROGRAM_DIR/Derodazo.exe"
expect "the uninstaller arrives" test -f "$PROGRAM_DIR/Uninstall.exe"
installed=$(ls -A "$PROGRAM_DIR" 2>/dev/null | tr '\n' ' ' | sed 's/ $//')
expect "nothing else is in the program folder ($installed)" test "$installed" = "Derodazo.exe Uninstall.exe"
expect "the Start-menu shortcut arrives" test -f "$SHORTCUT"
if [ -f "$SHORTCUT" ]; then
    mapfile -t fields < <(shortcut_fields "$SHORTCUT")
    expect "the shortcut starts the program (${fields[0]:-})" test "${fields[0]:-}" = "$WIN_PROGRAM"
    expect "the shortcut shows the program's icon (${fields[1]:-})" test "${fields[1]:-}" = "$WIN_PROGRAM"
fi
expect "the uninstaller is registered" registered

wine "$PROGRAM_DIR/Derodazo.exe" -next &
app=$!
if wine "$CLOSER" >/dev/null; then
    wait "$app"
    code=$?
    expect "the installed program runs with -next and exits with 0 (exit code $code)" test "$code" = 0
else
    kill "$app" 2>/dev/null
    expect "the installed program shows its frame" false
fi

expect "the uninstaller exits with 0" wine "$PROGRAM_DIR/Uninstall.exe" /S
# The uninstaller hands over to a copy of itself and returns at once; the folder is the last thing it removes.
for _ in $(seq 300); do [ -e "$PROGRAM_DIR" ] || break; sleep 0.1; done
expect "Derodazo.exe is removed" test ! -e "$PROGRAM_DIR/Derodazo.exe"
expect "the program folder is removed" test ! -e "$PROGRAM_DIR"
expect "the shortcut is removed" test ! -e "$SHORTCUT"
expect "the uninstaller is unregistered" absent registered
exit $((failures > 0))
