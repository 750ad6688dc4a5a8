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
    local n
    for n in $(seq 91 150); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        WAVA_XVFB_PID=$!
        WAVA_WM_PID=
        export DISPLAY=":$n"
        trap 'wava_stop_display' EXIT
        if ! wava_wait_for 50 test -e "/tmp/.X11-unix/X$n"; then
            echo "Xvfb did not start on :$n" >&2
            return 1
        fi
        [ "${WAVA_NO_WM:-0}" = 1 ] || wava_start_wm
        return 0
    done
    echo "no free X display number" >&2
    return 1
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
