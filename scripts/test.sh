#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite headless.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bash "$top/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$top/build" --output-on-failure --timeout 600
