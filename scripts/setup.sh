#!/usr/bin/env bash
# Installs the Debian packages Numik needs that are missing, then configures and builds it in ./build.
# Sourced by run.sh and test.sh; safe to run again, it installs and rebuilds only what is missing.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-translations-l10n
    libqt6svg6 qt6-qpa-plugins
    fonts-liberation2
    libbenchmark-dev
    poppler-utils
    xvfb xauth x11-utils
    acl
)
# The CI checks (scripts/check.sh) build a second time with clang's sanitizers and libFuzzer.
if [ "${CI:-}" = true ] || [ "${NUMIK_CHECKS:-0}" = 1 ]; then
    packages+=(clang libclang-rt-14-dev llvm util-linux)
fi
# The start-up benchmark (bench/startup.sh) runs the program under a virtual X server.
if [ "${NUMIK_BENCH:-0}" = 1 ]; then
    packages+=(libxcb1-dev libxcb-damage0-dev)
fi

bash "$top/scripts/install-packages.sh" "${packages[@]}"

# Warnings are errors in CI (or with NUMIK_WERROR=ON); elsewhere a newer compiler only warns.
werror="${NUMIK_WERROR:-}"
if [ -z "$werror" ]; then
    if [ "${CI:-}" = true ]; then werror=ON; else werror=OFF; fi
fi
cmake -S "$top" -B "$top/build" -G Ninja -DNUMIK_WERROR="$werror"
cmake --build "$top/build" --parallel "$(nproc)"
