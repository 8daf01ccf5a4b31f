# Helpers for scripts that run Windows programs; sourced, not run.
# Starts a virtual X display when none is given and a wineserver for the
# private prefix, and stops both on exit.

start_virtual_display() {
    if [ -n "${DISPLAY:-}" ] && [ -z "${TARNWICK_FORCE_XVFB:-}" ]; then
        return
    fi
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$xvfb_pid" 2>/dev/null; then
            export DISPLAY=":$n"
            return
        fi
    done
    echo "cannot start a virtual display" >&2
    exit 1
}

stop_session() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${xvfb_pid:-}" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}

start_wine_session() {
    start_virtual_display
    trap stop_session EXIT
    # A wineserver left from another display would put windows there.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -p5 >/dev/null 2>&1 || true
}
