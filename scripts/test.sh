#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite headless (with CI=true or NUMIK_CHECKS=1 also
# the checks of scripts/check.sh). The window tests run twice: on Qt's offscreen platform, and
# on a private X server (the tests labelled "xcb"), where windows become active as on a desktop.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bash "$top/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen

# CI also runs the sanitizer build and the bounded fuzz runs; a developer asks for them with
# NUMIK_CHECKS=1 (they take several minutes). They come first, so that the suite's own summary
# is the last thing printed.
if [ "${CI:-}" = true ] || [ "${NUMIK_CHECKS:-0}" = 1 ]; then
    bash "$top/scripts/check.sh"
fi

# The X server is this run's own: a free display number, a fresh cookie that only the tests
# get, no TCP, and it goes when the script ends, however it ends.
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
    return 1
}

if ! start_xvfb; then
    echo "The X server for the window tests (Xvfb) could not be started:" >&2
    cat "$xdir/xvfb.log" >&2 2>/dev/null || true
    exit 1
fi

ctest --test-dir "$top/build" --output-on-failure --timeout 600
