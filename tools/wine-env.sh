# Sourced by the scripts that run Windows programs. Sets up the environment for
# the build's own 32-bit Wine prefix and offers wava_prefix_ready, which makes
# the prefix on first use: crash debugger off, and the test drive letters
# mapped to folders of the build, E: to L: removable, M: fixed and N: a
# network drive.
# WAVA_WINEPREFIX names another prefix; WAVA_LOGPIXELS sets the display's DPI
# of a prefix made anew (96 when unset).
: "${WAVA_BUILD_DIR:?WAVA_BUILD_DIR must name the build folder}"
export WINEPREFIX="${WAVA_WINEPREFIX:-$WAVA_BUILD_DIR/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# No runtime installers, no menu entries, no file associations in the prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}"
export WAVA_DRIVES_DIR="$WAVA_BUILD_DIR/drives"

WAVA_REMOVABLE_LETTERS="e f g h i j k l"
WAVA_FIXED_LETTERS="m"
WAVA_NETWORK_LETTERS="n"

wava_map_drive() { # letter folder
    mkdir -p "$2"
    ln -sfn "$2" "$WINEPREFIX/dosdevices/$1:"
}

wava_prefix_init() {
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || return 1
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
        /v Debugger /d '' /f >/dev/null 2>&1 || return 1
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
        /v Auto /d 1 /f >/dev/null 2>&1
    if [ -n "${WAVA_LOGPIXELS:-}" ]; then
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
            /d "$WAVA_LOGPIXELS" /f >/dev/null 2>&1 || return 1
    fi
    local l
    for l in $WAVA_REMOVABLE_LETTERS; do
        wine reg add 'HKLM\Software\Wine\Drives' /v "$l:" /d floppy /f >/dev/null 2>&1 || return 1
        wava_map_drive "$l" "$WAVA_DRIVES_DIR/$l"
    done
    for l in $WAVA_FIXED_LETTERS; do
        wine reg add 'HKLM\Software\Wine\Drives' /v "$l:" /d hd /f >/dev/null 2>&1 || return 1
        wava_map_drive "$l" "$WAVA_DRIVES_DIR/$l"
    done
    for l in $WAVA_NETWORK_LETTERS; do
        wine reg add 'HKLM\Software\Wine\Drives' /v "$l:" /d network /f >/dev/null 2>&1 || return 1
        wava_map_drive "$l" "$WAVA_DRIVES_DIR/$l"
    done
    wineserver -w
    touch "$WINEPREFIX/.wava-ready"
}

# Makes the prefix once; concurrent callers wait for the first one. A prefix
# made before the network letter came is made again over itself.
wava_prefix_is_ready() {
    [ -f "$WINEPREFIX/.wava-ready" ] && [ -L "$WINEPREFIX/dosdevices/n:" ]
}

wava_prefix_ready() {
    wava_prefix_is_ready && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        wava_prefix_is_ready || wava_prefix_init
    ) 9>"$WINEPREFIX.lock"
}
