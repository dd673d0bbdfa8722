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

cmake -S "$top" -B "$top/build" -G Ninja
cmake --build "$top/build" --parallel "$(nproc)"
