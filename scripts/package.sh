#!/usr/bin/env bash
# Builds the Debian package numik_<version>_amd64.deb in ./build-package and prints its path.
# The package installs the program into the system's folders: /usr/bin/numik, its plugins in
# /usr/lib/<multiarch>/numik, the sounds in /usr/share/numik/zvuk, with a desktop entry, icon,
# AppStream metainfo and copyright; each account keeps its own records in ~/.local/share/numik.
# The package is built twice from scratch and must come out byte for byte the same. The desktop
# entry, the metainfo, the binaries' hardening, a classroom's override of the desktop entry and
# the package itself (lintian) are checked before the path is printed.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$top/build-package"

packages=(
    cmake ninja-build g++ pkg-config file
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev
    dpkg-dev lintian desktop-file-utils appstream binutils
)
bash "$top/scripts/install-packages.sh" "${packages[@]}" >&2

# Debian's hardening flags (fortified functions, read-only relocations, immediate binding, which
# Debian 12 leaves out unless asked for); the source folder's path is mapped out of the binaries
# relative to the folder dpkg-buildflags runs in
cd "$top"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
# every time stamp in the package is the change log's
SOURCE_DATE_EPOCH="$(date -d "$(dpkg-parsechangelog -l "$top/packaging/changelog" -S Date)" +%s)"
export SOURCE_DATE_EPOCH

# the plugins' folder, relative to /usr/bin, is all the program knows of where it was installed
multiarch="$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
build_package() {
    rm -rf "$build"
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNUMIK_WERROR=OFF -DNUMIK_TESTS=OFF \
        -DCMAKE_INSTALL_PREFIX=/usr -DNUMIK_SYSTEM_INSTALL=ON \
        -DNUMIK_PLUGIN_SUBDIR="../lib/$multiarch/numik" \
        -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
        -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" >&2
    cmake --build "$build" --parallel "$(nproc)" >&2
    (cd "$build" && cpack -G DEB >&2)
}

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
build_package
first="$(ls "$build"/numik_*.deb)"
cp "$first" "$scratch/first.deb"
build_package
deb="$(ls "$build"/numik_*.deb)"
if ! cmp -s "$scratch/first.deb" "$deb"; then
    echo "two builds of $deb differ: the package is not reproducible" >&2
    exit 1
fi

desktop-file-validate "$build"/packaging/*.desktop >&2
appstreamcli validate --no-net "$build"/packaging/*.metainfo.xml >&2

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
while IFS= read -r elf; do
    if ! readelf -d "$elf" | grep -Eq 'BIND_NOW|FLAGS_1.*NOW'; then
        echo "${elf#"$root"} is not bound immediately (BIND_NOW)" >&2
        exit 1
    fi
done < <(find "$root" -type f -exec sh -c 'file -b "$1" | grep -q "^ELF"' sh {} \; -print)

# A classroom adds --data to the desktop entry as the guide says: an edited copy under the
# packaged entry's own name in /usr/local/share/applications, which hides the packaged one and
# which no reinstall touches. It must stay a valid entry that starts the program with --data.
entry=example.korvelanta.Numik.desktop
if [ "$(ls "$root/usr/share/applications")" != "$entry" ]; then
    echo "the package's desktop entry is not $entry alone, as the guide names it" >&2
    exit 1
fi
override="$root/usr/local/share/applications/$entry"
mkdir -p "$(dirname "$override")"
sed 's|^Exec=numik|Exec=numik --data /srv/trida/numik|' "$root/usr/share/applications/$entry" >"$override"
desktop-file-validate "$override" >&2
grep -qx 'Exec=numik --data /srv/trida/numik' "$override" || {
    echo "the guide's override of $entry does not add --data to its Exec line" >&2
    exit 1
}

# errors fail the build; warnings and notes are shown
lintian --fail-on error --info "$deb" >&2 || { echo "lintian found errors in $deb" >&2; exit 1; }
echo "$deb"
