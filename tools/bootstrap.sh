#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only those that are missing, so that a second
# run is silent and quick. Works as root or through sudo.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang clang-14 libclang-rt-14-dev clang-format make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-translations-l10n
    libfontconfig-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils imagemagick
    openbox
    pulseaudio pulseaudio-utils
    dbus dbus-bin at-spi2-core python3-pyatspi
    file dpkg-dev appstream desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
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
