#!/usr/bin/env bash
# tools/bootstrap.sh <need>…: installs the Debian packages that the named needs call for, and only those that are
# missing, so that a second run is silent and quick. Works as root or through sudo.
#   build     compiling the program and its tests
#   run       starting it; without a display, the tour under Xvfb that `make run` plays instead
#   test      the whole suite: the whole-program checks' X server, window manager, compositor, sound server,
#             screen reader bus, system call tracer, and the package checks
#   sanitize  the sanitizer build (clang)          fuzz     the fuzzers (clang, libFuzzer)
#   bench     the benchmarks and the start-up comparison
#   package   the Debian package and its checks    format   clang-format
#   windows   the Windows build (MinGW-w64, Qt's sources from Debian's own qt6-base, NSIS) and its checks under Wine;
#             Qt's sources need a deb-src entry for the machine's Debian suites, which this adds when missing
set -euo pipefail

declare -A needs=(
    [build]="cmake ninja-build g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
             qt6-translations-l10n libfontconfig-dev libxcb1-dev"
    [display]="xvfb xauth xdotool x11-utils imagemagick"
    [test]="openbox pulseaudio pulseaudio-utils dbus dbus-bin at-spi2-core python3-pyatspi weston qt6-wayland
            file dpkg-dev appstream desktop-file-utils lintian man-db strace"
    [sanitize]="clang clang-14 libclang-rt-14-dev"
    [fuzz]="clang clang-14 libclang-rt-14-dev"
    [bench]="libbenchmark-dev"
    [package]="file dpkg-dev appstream desktop-file-utils"
    [format]="clang-format"
    [windows]="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 nsis dpkg-dev xz-utils perl
               icoutils unzip file"
)

packages=()
for need in "$@"; do
    case $need in
    run) [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]] || packages+=(${needs[display]}) ;;
    test | bench | windows) packages+=(${needs[display]} ${needs[$need]}) ;;
    *)
        [[ -v "needs[$need]" ]] || { echo "bootstrap: no such need: $need" >&2; exit 2; }
        packages+=(${needs[$need]})
        ;;
    esac
done

sudo=""
if [[ $(id -u) -ne 0 ]]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

# The Windows build compiles Qt from Debian's source package of the Qt the Linux build uses: apt needs deb-src
# entries for that. They are made from the machine's own deb entries (same archives, suites and components), in a
# file of their own that nothing else writes.
updated=""
ensure_deb_src() {
    apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base' && return 0
    local sources=/etc/apt/sources.list.d/logicus-deb-src.sources list=/etc/apt/sources.list.d/logicus-deb-src.list
    echo "Adding deb-src entries for Debian's sources: $sources"
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
        [[ -f $f && $f != "$sources" ]] || continue
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
             /(^|\n)Types:[^\n]*[[:space:]]deb([[:space:]]|$)/ || /(^|\n)Types: *deb *(\n|$)/ {
                 sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$f"
    done | $sudo tee "$sources" >/dev/null
    # One-line entries too, where the machine has them (Debian 12 itself writes only the form above).
    local lines
    lines=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
        sed -n 's/^deb[[:space:]]/deb-src /p' || true)
    [[ -z $lines ]] || printf '%s\n' "$lines" | $sudo tee "$list" >/dev/null
    $sudo apt-get update -qq
    updated=1
    apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base' ||
        { echo "bootstrap: apt finds no source of qt6-base" >&2; exit 1; }
}
for need in "$@"; do
    [[ $need != windows ]] || ensure_deb_src
done

missing=()
for p in $(printf '%s\n' "${packages[@]}" | sort -u); do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
if [[ -n $sudo ]] && ! command -v sudo >/dev/null; then
    echo "Need root or sudo to install: ${missing[*]}" >&2
    exit 1
fi
[[ -n $updated ]] || $sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
