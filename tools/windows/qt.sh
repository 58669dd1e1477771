#!/usr/bin/env bash
# tools/windows/qt.sh: prints the folder of a static Qt for Windows, building it first when it is not there yet.
# Qt's sources are Debian's own qt6-base, the version the Linux build uses, so that the host's moc, rcc and uic fit.
# The build lives outside the checkout, under ${XDG_CACHE_HOME:-~/.cache}/logicus, named by Qt's version and a hash
# of the options and toolchain below: a change to either builds afresh, and nothing else does. It takes some twenty
# minutes on two idle cores; its log is the folder's name with .log.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
version=6.4.2
jobs=${JOBS:-$(nproc)}

# Only what the program and its tests use: Core, Gui, Widgets and Test, the Windows and offscreen platforms, and
# Qt's own copies of the libraries beneath them, so that one static logicus.exe needs nothing beside it.
options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF
    -DFEATURE_static_runtime=ON
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_network=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_direct2d=OFF
    # Qt 6.4.2 compiles its DirectWrite font database only together with Direct2D, yet its Windows platform asks
    # for it whenever DirectWrite 3 is on: the program would not link. That database is only used on request
    # (fontengine=directwrite); the default one stays.
    -DFEATURE_directwrite3=OFF
    -DFEATURE_style_windowsvista=OFF
    -DFEATURE_jpeg=OFF
    -DFEATURE_gif=OFF
    -DFEATURE_ico=OFF
    # Debian's source leaves the tablet header out for its licence; the Windows platform needs it otherwise.
    -DFEATURE_tabletevent=OFF
)

hash=$({ printf '%s\n' "$version" "${options[@]}"; cat "$here/mingw-w64.cmake"; } | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/logicus
prefix=$cache/qt-$version-$hash
if [[ -f $prefix/.complete ]]; then
    echo "$prefix"
    exit 0
fi

# A build that was stopped goes on where it stopped: its sources and configuration are kept until it completes.
work=$prefix.build
log=$prefix.log
rm -rf "$prefix"
if [[ ! -f $work/build/build.ninja ]]; then
    rm -rf "$work"
    mkdir -p "$work"
    : >"$log"
fi
echo "Building Qt $version for Windows into $prefix (log: $log)" >&2
(
    cd "$work"
    if [[ ! -f build/build.ninja ]]; then
        apt-get source -qq qt6-base="$(apt-cache showsrc qt6-base |
            sed -n "s/^Version: \(${version//./\\.}+.*\)/\1/p" | sort -V | tail -1)"
        src=$(find . -maxdepth 1 -type d -name "qt6-base-$version*" | head -1)
        [[ -n $src ]] || { echo "no qt6-base $version source" >&2; exit 1; }
        cmake -S "$src" -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" \
            -DCMAKE_INSTALL_PREFIX="$prefix" -DQT_HOST_PATH=/usr \
            -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${options[@]}"
    fi
    cmake --build build -j "$jobs"
    cmake --install build
) >>"$log" 2>&1 || { tail -40 "$log" >&2; echo "Qt for Windows failed; the whole log: $log" >&2; exit 1; }
rm -rf "$work"
touch "$prefix/.complete"
echo "$prefix"
