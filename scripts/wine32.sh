# 32-bit Wine for the i686 build; sourced by lib.sh after its own definitions.
# Where the kernel runs 32-bit code, an installed wine32 is used as it is and nothing changes. Elsewhere
# Wine's 32-bit half runs under qemu-i386 user-mode emulation, from a private sysroot under build/wine32:
# the packages are downloaded and unpacked there, never installed. What changes on the machine, as root:
#  - dpkg gets the i386 architecture (dpkg --add-architecture i386), for good, and apt-get update then
#    fetches the i386 package lists into the system's apt lists, if apt does not yet know wine32:i386;
#  - binfmt_misc gets the entry derodazo-i386, machine-wide until reboot, which runs every i386 ELF program
#    (not only Wine) through build/wine32/qemu-i386; binfmt_misc is mounted first if it is not.
# Installed packages, apt sources and the system's own Wine stay as they are. Each step leaves a marker and
# is skipped on the next run.

WINE32_DIR=$BUILD/wine32
WINE32_SYSROOT=$WINE32_DIR/sysroot
# The X libraries Wine opens at run time rather than links against.
WINE32_X_LIBS=(libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1 libxcomposite1 libxxf86vm1)

wine32_native() { [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; }

debian_codename() { (. /etc/os-release && echo "$VERSION_CODENAME"); }

# The main archive of this system's own sources; the emulator comes from its backports suite.
debian_mirror() {
    apt-get indextargets --format '$(SITE) $(RELEASE) $(TARGET_OF)' 2>/dev/null |
        awk -v c="$(debian_codename)" '$2 == c && $3 == "deb" { print $1; exit }'
}

# A static qemu-i386 from backports: bookworm's own 7.2 ignores Wine's address hints and takes minutes
# for what 10.x does in seconds. A private apt state leaves the system's sources and packages alone.
fetch_qemu() {
    local apt=$WINE32_DIR/apt mirror codename
    [ -x "$WINE32_DIR/qemu-i386" ] && return 0
    mirror=$(debian_mirror) codename=$(debian_codename)
    [ -n "$mirror" ] || { log "no Debian mirror in this system's apt sources"; return 1; }
    rm -rf "$apt" && mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/parts"
    : >"$apt/status"
    echo "deb $mirror $codename-backports main" >"$apt/sources.list"
    local opts=(-o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts="$apt/parts"
                -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" -o Dir::State::status="$apt/status"
                -o APT::Architectures::=amd64 -o APT::Sandbox::User=root)
    apt-get "${opts[@]}" update -qq &&
        (cd "$apt" && apt-get "${opts[@]}" download -qq qemu-user) &&
        dpkg -x "$apt"/qemu-user_*.deb "$apt/x" && mv "$apt/x/usr/bin/qemu-i386" "$WINE32_DIR/" || return 1
    rm -rf "$apt"
}

# wine32:i386 at the version of the installed wine64 (they share its server), with the i386 part of what
# installing it would bring, unpacked into the sysroot.
fetch_wine32_sysroot() {
    local version debs=$WINE32_DIR/debs packages
    version=$(dpkg-query -W -f='${Version}' libwine:amd64)
    [ "$(cat "$WINE32_SYSROOT/.ready" 2>/dev/null)" = "$version" ] && return 0
    if ! dpkg --print-foreign-architectures | grep -qx i386; then dpkg --add-architecture i386; fi
    apt-cache show "wine32:i386=$version" >/dev/null 2>&1 || apt-get update -qq
    local wanted=("wine32:i386=$version") p
    for p in "${WINE32_X_LIBS[@]}"; do wanted+=("$p:i386"); done
    mapfile -t packages < <(apt-get -s install --no-install-recommends "${wanted[@]}" |
        awk '/^Inst / && /\[i386\]\)/ { sub(/:i386$/, "", $2); print $2 ":i386" }')
    [ ${#packages[@]} -gt 0 ] || { log "apt finds no wine32:i386 $version"; return 1; }
    rm -rf "$debs" "$WINE32_SYSROOT" && mkdir -p "$debs" "$WINE32_SYSROOT"
    (cd "$debs" && apt-get download -qq -o APT::Sandbox::User=root "${packages[@]}") || return 1
    for p in "$debs"/*.deb; do dpkg -x "$p" "$WINE32_SYSROOT" || return 1; done
    rm -rf "$debs"
    # What libwine's post-install does: zlib1.dll from libz-mingw-w64, marked as a Wine builtin DLL.
    local zlib=/usr/i686-w64-mingw32/lib/zlib1.dll out=$WINE32_SYSROOT/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll
    { head -c 64 "$zlib" && printf 'Wine builtin DLL' && head -c 16 /dev/zero && tail -c +97 "$zlib"; } >"$out" || return 1
    # Without its own cache the loader misses FreeType and reaches for the host's /lib32.
    echo 'include /etc/ld.so.conf.d/*.conf' >"$WINE32_SYSROOT/etc/ld.so.conf"
    ldconfig -r "$WINE32_SYSROOT" || return 1
    echo "$version" >"$WINE32_SYSROOT/.ready"
}

# Runs i386 ELF programs through the emulator. The F flag opens it now, so it serves in any mount namespace
# and outlives its file: an entry left by an earlier run, from any work tree, is kept and shared.
register_qemu_binfmt() {
    local bm=/proc/sys/fs/binfmt_misc qemu=$WINE32_DIR/qemu-i386 entry=/proc/sys/fs/binfmt_misc/derodazo-i386
    [ -e "$bm/register" ] || mount -t binfmt_misc binfmt_misc "$bm" || return 1
    if [ -e "$entry" ]; then
        grep -qx enabled "$entry" && grep -qx 'flags: F' "$entry" && return 0
        echo -1 >"$entry"
    fi
    printf '%s' ':derodazo-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu:F" >"$bm/register"
}

# Commands named as the scripts call them, for the emulated Wine.
write_wine32_commands() {
    local bin=$WINE32_DIR/bin
    mkdir -p "$bin"
    printf '#!/bin/sh\nexec "$WINELOADER" "$@"\n' >"$bin/wine"
    printf '#!/bin/sh\nexec "$WINESERVER" "$@"\n' >"$bin/wineserver"
    printf '#!/bin/sh\nexec "$WINELOADER" wineboot.exe "$@"\n' >"$bin/wineboot"
    chmod +x "$bin"/wine*
}

# Sets up 32-bit Wine and its own win32 prefix, as start_wine does for the 64-bit one.
start_wine32() {
    # Done with a 64-bit prefix: end its programs now, as the exit trap only asks the last prefix's server.
    [ -z "${WINEPREFIX:-}" ] || wineserver -k 2>/dev/null || true
    unset WINELOADER WINESERVER QEMU_LD_PREFIX
    if ! wine32_native; then
        if ! { fetch_qemu && fetch_wine32_sysroot && register_qemu_binfmt &&
               "$WINE32_SYSROOT/usr/lib/wine/wine" --version >/dev/null; } >&2; then
            log "FAIL: this machine runs no 32-bit Windows program (no wine32, and qemu-i386 could not be set up)"
            return 1
        fi
        write_wine32_commands
        export QEMU_LD_PREFIX=$WINE32_SYSROOT WINELOADER=$WINE32_SYSROOT/usr/lib/wine/wine
        export WINESERVER
        WINESERVER=$(readlink -f /usr/lib/wine/wineserver64)
        export PATH=$WINE32_DIR/bin:$PATH
    fi
    WINE_PREFIX_DIR=$BUILD/wineprefix32 WINE_ARCH=win32 start_wine
    # Wine looks for its fonts beside its loader, which in the sysroot has none: the prefix carries them.
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    wine cmd /c exit </dev/null >/dev/null 2>&1 || { log "FAIL: 32-bit Wine does not run a program"; return 1; }
}
