# Sourced: gives the caller an X display. When DISPLAY is unset, starts a
# private Xvfb and stops it when the calling shell exits.
wava_ensure_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local n
    for n in $(seq 91 150); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        WAVA_XVFB_PID=$!
        export DISPLAY=":$n"
        trap 'kill "$WAVA_XVFB_PID" 2>/dev/null || true' EXIT
        local i
        for i in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && return 0
            sleep 0.1
        done
        echo "Xvfb did not start on :$n" >&2
        return 1
    done
    echo "no free X display number" >&2
    return 1
}
