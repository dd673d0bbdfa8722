#!/usr/bin/env bash
# Builds the Debian package numik_<version>_amd64.deb in ./build-package and prints its path.
# The package installs the program into the system's folders: /usr/bin/numik, its plugins in
# /usr/lib/<multiarch>/numik, the sounds in /usr/share/numik/zvuk, with a desktop entry, icon,
# AppStream metainfo and copyright; each account keeps its own records in ~/.local/share/numik.
# The desktop entry, the metainfo and the package are checked before the path is printed.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$top/build-package"

packages=(
    cmake ninja-build g++ pkg-config file
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev
    dpkg-dev lintian desktop-file-utils appstream
)
bash "$top/scripts/install-packages.sh" "${packages[@]}" >&2

# Debian's hardening flags (fortified functions, read-only relocations, immediate binding)
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"

# the plugins' folder, relative to /usr/bin, is all the program knows of where it was installed
multiarch="$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNUMIK_WERROR=OFF -DNUMIK_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr -DNUMIK_SYSTEM_INSTALL=ON \
    -DNUMIK_PLUGIN_SUBDIR="../lib/$multiarch/numik" \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
    -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" >&2
cmake --build "$build" --parallel "$(nproc)" >&2
rm -f "$build"/numik_*.deb
(cd "$build" && cpack -G DEB >&2)
deb="$(ls "$build"/numik_*.deb)"

desktop-file-validate "$build"/packaging/*.desktop >&2
appstreamcli validate --no-net "$build"/packaging/*.metainfo.xml >&2
# errors fail the build; warnings and notes are shown
lintian --fail-on error --info "$deb" >&2 || { echo "lintian found errors in $deb" >&2; exit 1; }
echo "$deb"
