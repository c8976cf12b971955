#!/usr/bin/env bash
# Checks a built program before it ships: a GUI program of ARCH's word size that imports only the system
# DLLs it needs, the C runtime and any EXTRA ones, with a version record that reads VERSION and a manifest.
# Usage: check-release.sh i686|x86_64 VERSION EXE [EXTRA.dll...]. Prints one line a check, exits 1 on a failure.
set -uo pipefail
arch=$1 v=${2//./, } exe=$3 failures=0 allowed=(user32.dll gdi32.dll kernel32.dll shell32.dll msvcrt.dll "${@:4}")
expect() { if [[ $2 =~ $3 ]]; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi; }
pe=$("$arch-w64-mingw32-objdump" -p "$exe") || { echo "FAIL a PE file for $arch"; exit 1; }
rc=$("$arch-w64-mingw32-windres" -i "$exe" -O rc 2>/dev/null)
format=$([ "$arch" = i686 ] && echo "pei-i386.*Magic.*010b.*PE32)" || echo "pei-x86-64.*Magic.*020b.*PE32\\+")
expect "a PE32 file for i686 or PE32+ for x86_64, as $arch needs" "$pe" "file format $format"
expect "subsystem is Windows GUI" "$pe" $'\nSubsystem\t+00000002'
dlls=$(grep -oP 'DLL Name: \K\S+' <<<"$pe" | tr "[:upper:]" "[:lower:]" | sort)
others=$(comm -23 <(echo "$dlls") <(printf '%s\n' "${allowed[@],,}" | sort))
expect "imports only allowed DLLs (imports ${dlls//$'\n'/ })" "$others" '^$'
expect "imports USER32, GDI32 and KERNEL32" "$dlls" 'gdi32.dll.*kernel32.dll.*user32.dll'
expect "file and product version $v, an application" "$rc" "FILEVERSION ${v}[[:space:]]+PRODUCTVERSION ${v}[[:space:]].*FILETYPE 0x1[[:space:]]"
expect "FileVersion and ProductVersion read \"$v\"" "$rc" "\"FileVersion\", \"$v\".*\"ProductVersion\", \"$v\""
dpi=$([[ $exe == *.scr ]] && echo 'true<.*>PerMonitorV2' || echo 'false<.*>unaware') # the screen saver's, the program's
expect "a manifest: common controls 6, Windows 7 to 11, asInvoker, DPI ${dpi/<.*>//}" "$(sed -n '/^1 24 /,/^END/p' <<<"$rc" | tr -d '\n')" \
    'Common-Controls"" version=""6\.0\.0\.0.*35138b9a.*4a2f28e3.*1f676c76.*8e0f7a12.*level=""asInvoker"".*>'"$dpi<"
exit $((failures > 0))
