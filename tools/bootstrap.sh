#!/usr/bin/env bash
# tools/bootstrap.sh <need>…: installs the Debian packages that the named needs call for, and only those that are
# missing, so that a second run is silent and quick. Works as root or through sudo.
#   build     compiling the program and its tests
#   run       starting it; without a display, the tour under Xvfb that `make run` plays instead
#   test      the whole suite: the whole-program checks' X server, window manager, compositor, sound server,
#             screen reader bus, and the package checks
#   sanitize  the sanitizer build (clang)          fuzz     the fuzzers (clang, libFuzzer)
#   bench     the benchmarks and the start-up comparison
#   package   the Debian package and its checks    format   clang-format
set -euo pipefail

declare -A needs=(
    [build]="cmake ninja-build g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
             qt6-translations-l10n libfontconfig-dev libxcb1-dev"
    [display]="xvfb xauth xdotool x11-utils imagemagick"
    [test]="openbox pulseaudio pulseaudio-utils dbus dbus-bin at-spi2-core python3-pyatspi weston qt6-wayland
            file dpkg-dev appstream desktop-file-utils lintian man-db"
    [sanitize]="clang clang-14 libclang-rt-14-dev"
    [fuzz]="clang clang-14 libclang-rt-14-dev"
    [bench]="libbenchmark-dev"
    [package]="file dpkg-dev appstream desktop-file-utils"
    [format]="clang-format"
)

packages=()
for need in "$@"; do
    case $need in
    run) [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]] || packages+=(${needs[display]}) ;;
    test | bench) packages+=(${needs[display]} ${needs[$need]}) ;;
    *)
        [[ -v "needs[$need]" ]] || { echo "bootstrap: no such need: $need" >&2; exit 2; }
        packages+=(${needs[$need]})
        ;;
    esac
done

missing=()
for p in $(printf '%s\n' "${packages[@]}" | sort -u); do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
