#!/usr/bin/env bash
# Installs what is missing, makes release builds for i686 and x86_64 Windows and packs each into a ZIP
# archive and an NSIS installer: build/packages/Derodazo-<version>-<arch>.zip and ...-<arch>-setup.exe, with
# their SHA-256 in build/packages/SHA256SUMS. Two builds of one commit make the same bytes.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

ensure_packages
OUT=$BUILD/packages
rm -rf "$OUT"
mkdir -p "$OUT"
for arch in x86_64 i686; do
    log "Windows $arch build"
    # Configured as scripts/test.sh does, so that both share the folder without reconfiguring it.
    build "$arch" --preset "mingw-$arch" -DDERODAZO_WINE_TESTS=ON
    log "packing $arch"
    (cd "$BUILD/$arch" && cpack -B "$BUILD/$arch/packages" >/dev/null)
    cp "$BUILD/$arch"/packages/Derodazo-*.{zip,exe} "$OUT/"
    # What was packed, stripped, must still pass the release checks, with the version in its name; the ZIP
    # carries the screen saver next to the program.
    zip=$(ls "$BUILD/$arch"/packages/Derodazo-*-"$arch".zip)
    version=${zip##*/Derodazo-}
    version=${version%-"$arch".zip}
    rm -rf "$BUILD/$arch/packages/unpacked"
    mkdir -p "$BUILD/$arch/packages/unpacked"
    (cd "$BUILD/$arch/packages/unpacked" && cmake -E tar xf "$zip")
    unpacked=("$BUILD/$arch"/packages/unpacked/*)
    "$ROOT/scripts/check-release.sh" "$arch" "$version" "${unpacked[0]}/Derodazo.exe" >/dev/null
    # The screen saver keeps its settings in the registry.
    "$ROOT/scripts/check-release.sh" "$arch" "$version" "${unpacked[0]}/Derodazo.scr" ADVAPI32.dll >/dev/null
done
(cd "$OUT" && sha256sum Derodazo-* >SHA256SUMS)
log "packages in $OUT:"
cat "$OUT/SHA256SUMS"
