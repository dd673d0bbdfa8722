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
)
# The CI checks (scripts/check.sh) build a second time with clang's sanitizers and libFuzzer.
if [ "${CI:-}" = true ] || [ "${NUMIK_CHECKS:-0}" = 1 ]; then
    packages+=(clang libclang-rt-14-dev llvm util-linux)
fi
# The start-up benchmark (bench/startup.sh) runs the program under a virtual X server.
if [ "${NUMIK_BENCH:-0}" = 1 ]; then
    packages+=(xvfb libxcb1-dev libxcb-damage0-dev)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Warnings are errors in CI (or with NUMIK_WERROR=ON); elsewhere a newer compiler only warns.
werror="${NUMIK_WERROR:-}"
if [ -z "$werror" ]; then
    if [ "${CI:-}" = true ]; then werror=ON; else werror=OFF; fi
fi
cmake -S "$top" -B "$top/build" -G Ninja -DNUMIK_WERROR="$werror"
cmake --build "$top/build" --parallel "$(nproc)"
