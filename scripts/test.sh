#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite headless (with CI=true or NUMIK_CHECKS=1 also
# the checks of scripts/check.sh). The window tests run twice: on Qt's offscreen platform, and
# on a private X server (the tests labelled "xcb"), where windows become active as on a desktop.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bash "$top/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen

# The X server is this run's own (scripts/xserver.sh); the checks use it too.
source "$top/scripts/xserver.sh"
start_xvfb

# CI also runs the sanitizer build and the bounded fuzz runs; a developer asks for them with
# NUMIK_CHECKS=1 (they take several minutes). They come first, so that the suite's own summary
# is the last thing printed.
if [ "${CI:-}" = true ] || [ "${NUMIK_CHECKS:-0}" = 1 ]; then
    bash "$top/scripts/check.sh"
fi

ctest --test-dir "$top/build" --output-on-failure --timeout 600
