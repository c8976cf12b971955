#!/usr/bin/env bash
# Installs what is missing, builds natively and for Windows (x86_64 and i686), and runs every test:
# the native core tests, and for both Windows builds the in-process Wine tests, the end-to-end runs of
# Derodazo.exe and its installer (i686 under 32-bit Wine, emulated where the kernel runs no 32-bit code).
set -euo pipefail
. "$(dirname "$0")/lib.sh"

ensure_packages
log "native build"
configure_and_build native
log "Windows x86_64 build"
build_windows x86_64
log "Windows i686 build"
build_windows i686 -DDERODAZO_WINE_TESTS=ON

log "native tests"
ctest --test-dir "$BUILD/native" --output-on-failure
"$ROOT/scripts/lint.sh"
log "bounded fuzzing of the core"
"$ROOT/scripts/fuzz.sh"

start_xvfb
start_wine
log "Wine tests on $DISPLAY"
ctest --test-dir "$BUILD/x86_64" --output-on-failure
started=$SECONDS
start_wine32
log "i686 Wine tests on $DISPLAY (32-bit Wine ready in $((SECONDS - started)) s)"
ctest --test-dir "$BUILD/i686" --output-on-failure
