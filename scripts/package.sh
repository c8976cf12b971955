#!/usr/bin/env bash
# Installs what is missing, makes release builds for i686 and x86_64 Windows and packs each into a ZIP
# archive and an NSIS installer: build/packages/Derodazo-<version>-<arch>.zip and ...-<arch>-setup.exe.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

ensure_packages
OUT=$BUILD/packages
mkdir -p "$OUT"
for arch in x86_64 i686; do
    log "Windows $arch build"
    # The same configuration as scripts/test.sh, so both share one build directory per architecture.
    if [ "$arch" = i686 ]; then build_windows i686 -DDERODAZO_WINE_TESTS=OFF; else build_windows x86_64; fi
    log "packing $arch"
    (cd "$BUILD/$arch" && cpack -B "$BUILD/$arch/packages" >/dev/null)
    cp "$BUILD/$arch"/packages/Derodazo-*.{zip,exe} "$OUT/"
done
log "packages in $OUT:"
ls -l "$OUT"
