# Sourced: gives the caller an X display. When DISPLAY is unset, starts a
# private Xvfb with a small window manager (openbox) on it, and stops both
# when the calling shell exits. A display the caller brings is used as it is.
#
# The window manager matters for speed as well as looks: without one, Wine
# waits about 2 s to destroy each activated top-level window, and windows have
# no frame or title bar. WAVA_NO_WM=1 leaves it out (the tests pass without
# it, only slower).
wava_ensure_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local n pid
    for n in $(seq 91 150); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        pid=$!
        # Another run on this machine may have picked the same number at the
        # same moment. Only one server gets the display (the other ends); its
        # lock file names it, and the loser goes on to the next number rather
        # than run its tests on, and later lose, the winner's display.
        wava_wait_for 50 wava_display_settled "$n" "$pid" || true
        if ! wava_owns_display "$n" "$pid"; then
            kill -0 "$pid" 2>/dev/null || continue
            kill "$pid" 2>/dev/null || true
            echo "Xvfb did not start on :$n" >&2
            return 1
        fi
        WAVA_XVFB_PID=$pid
        WAVA_WM_PID=
        export DISPLAY=":$n"
        trap 'wava_stop_display' EXIT
        [ "${WAVA_NO_WM:-0}" = 1 ] || wava_start_wm
        return 0
    done
    echo "no free X display number" >&2
    return 1
}

# wava_owns_display N PID: the server PID serves display :N (its socket is
# there, and the display's lock file names PID).
wava_owns_display() {
    [ -e "/tmp/.X11-unix/X$1" ] && [ "$(tr -d ' ' <"/tmp/.X$1-lock" 2>/dev/null)" = "$2" ]
}

# The server PID either serves display :N or has ended.
wava_display_settled() {
    wava_owns_display "$1" "$2" || ! kill -0 "$2" 2>/dev/null
}

# Starts openbox on DISPLAY and waits until it manages the screen (it then
# names itself on the root window). A window manager that does not come up is
# only reported: everything still works without one.
wava_start_wm() {
    command -v openbox >/dev/null 2>&1 || { echo "openbox not installed: no window manager" >&2; return 0; }
    openbox --sm-disable >/dev/null 2>&1 &
    WAVA_WM_PID=$!
    wava_wait_for 100 wava_wm_running || echo "openbox did not start: no window manager" >&2
    return 0
}

wava_wm_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

wava_stop_display() {
    [ -n "${WAVA_WM_PID:-}" ] && kill "$WAVA_WM_PID" 2>/dev/null
    [ -n "${WAVA_XVFB_PID:-}" ] && kill "$WAVA_XVFB_PID" 2>/dev/null
    return 0
}

# wava_wait_for TENTHS COMMAND...: runs COMMAND every 0.1 s until it succeeds,
# at most TENTHS times.
wava_wait_for() {
    local tries=$1 i
    shift
    for i in $(seq 1 "$tries"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
