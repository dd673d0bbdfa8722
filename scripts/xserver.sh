# Sourced by test.sh and check.sh: start_xvfb starts this run's own X server for the window tests
# and exports NUMIK_TEST_DISPLAY and XAUTHORITY; it goes when the script ends, however it ends.
# A free display number, a fresh cookie that only the tests get, no TCP.
xdir="$(mktemp -d)"
xvfb_pid=""
stop_xvfb() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$xdir"
}
trap stop_xvfb EXIT

start_xvfb() {
    local auth="$xdir/Xauthority" cookie n i
    cookie="$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')"
    for n in $(seq 90 199); do
        if [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; then continue; fi
        xauth -q -f "$auth" add ":$n" . "$cookie"
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -auth "$auth" >"$xdir/xvfb.log" 2>&1 &
        xvfb_pid=$!
        # Qt aborts on a display that does not answer yet; another run may have taken n meanwhile
        for i in $(seq 200); do
            if XAUTHORITY="$auth" xdpyinfo -display ":$n" >/dev/null 2>&1; then
                export NUMIK_TEST_DISPLAY=":$n" XAUTHORITY="$auth"
                return 0
            fi
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.05
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    done
    echo "The X server for the window tests (Xvfb) could not be started:" >&2
    cat "$xdir/xvfb.log" >&2 2>/dev/null || true
    return 1
}
