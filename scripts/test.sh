#!/usr/bin/env bash
# Installs what is missing, builds natively and for Windows (x86_64 and i686 with GCC, both with clang too),
# and runs every test: the native core tests, and for every Windows build the in-process Wine tests and the
# end-to-end runs of the programs and installers (i686 under 32-bit Wine, emulated where the kernel runs no
# 32-bit code); and every build's arithmetic against the native build's.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

# Every build must compute as the native one does. Each build's cross_arithmetic prints its Lines figures and
# a Bubbles run in exact values; its output must be the native build's, byte for byte.
cross_check() { # build directory under $BUILD, command...
    local want=$BUILD/cross/native.txt got=$BUILD/cross/$1.txt line started=$SECONDS
    "${@:2}" | tr -d '\r' >"$got" # a Windows console ends its lines with CR LF
    if cmp -s "$want" "$got"; then
        log "$1 computes as the native build: $(wc -l <"$got") lines alike ($((SECONDS - started)) s)"
        return
    fi
    line=$(cmp "$want" "$got" 2>&1 | grep -o '[0-9]*$' || true) # none when the output is empty
    log "FAIL: $1 computes otherwise than the native build; line ${line:-1} of each, native first:"
    sed -s -n "${line:-1}p" "$want" "$got" >&2
    return 1
}

ensure_packages
log "native build"
build native --preset native
# Every script that builds these folders (run.sh, package.sh, ...) configures them just so.
for arch in x86_64 i686; do
    log "Windows $arch build"
    build "$arch" --preset "mingw-$arch" -DDERODAZO_WINE_TESTS=ON
done
log "Windows i686 program alone, tests off: nothing may look for GoogleTest, and here any lookup fails"
build i686-program-only --preset mingw-i686 -DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    -DGOOGLETEST_SOURCE_DIR=/nonexistent -DFETCHCONTENT_FULLY_DISCONNECTED=ON
log "Windows x86_64 build with clang and lld, the second compiler"
build clang-mingw-x86_64 --preset clang-mingw-x86_64
log "Windows i686 build with clang and lld: built warning-free, and only its arithmetic is run"
build clang-mingw-i686 --preset clang-mingw-i686
# Two builds of one commit must give the same release programs: these are made again from nothing, in
# another folder with the compiler cache off, and must match the ones above byte for byte.
started=$SECONDS different=0
for arch in x86_64 i686; do
    log "Windows $arch release programs built again in build/reproducible-$arch, compiler cache off"
    rm -rf "$BUILD/reproducible-$arch"
    CCACHE_DISABLE=1 build "reproducible-$arch" --preset "mingw-$arch" -DBUILD_TESTING=OFF \
        --target Derodazo DerodazoSaver >/dev/null
    for program in Derodazo.exe Derodazo.scr; do
        cmp "$BUILD/$arch/$program" "$BUILD/reproducible-$arch/$program" || different=1
    done
done
log "release programs built again in $((SECONDS - started)) s"
[ "$different" = 0 ] || { log "FAIL: two builds of this commit give different release programs"; exit 1; }

log "native tests"
ctest --test-dir "$BUILD/native" --output-on-failure
mkdir -p "$BUILD/cross"
"$BUILD/native/cross_arithmetic" >"$BUILD/cross/native.txt"
"$ROOT/scripts/lint.sh"
log "bounded fuzzing of the core"
"$ROOT/scripts/fuzz.sh"

start_xvfb
start_wine
log "Wine tests on $DISPLAY"
ctest --test-dir "$BUILD/x86_64" --output-on-failure
log "Wine tests of the clang build"
ctest --test-dir "$BUILD/clang-mingw-x86_64" --output-on-failure -R '^(wine_tests|end_to_end|release_binary)$'
log "the arithmetic of the 64-bit Windows builds against the native build's"
for build in x86_64 clang-mingw-x86_64; do cross_check $build wine "$BUILD/$build/cross_arithmetic.exe"; done
started=$SECONDS
start_wine32
log "the arithmetic of the 32-bit Windows builds against the native build's (32-bit Wine ready in $((SECONDS - started)) s)"
for build in i686 clang-mingw-i686; do cross_check $build wine "$BUILD/$build/cross_arithmetic.exe"; done
log "i686 Wine tests on $DISPLAY"
ctest --test-dir "$BUILD/i686" --output-on-failure
