#!/usr/bin/env bash
# Installs with apt whatever of the given package set is missing.
# usage: scripts/install-deps.sh build|test|run|package
set -euo pipefail

# libqt6opengl6-dev: the CMake files of Qt Charts look for Qt OpenGL's, which
# Debian 12's qt6-charts-dev does not pull in.
build_packages=(cmake g++ ninja-build pkg-config qt6-base-dev libpulse-dev
                qt6-qpa-plugins qt6-translations-l10n fonts-noto-cjk
                libqt6sql6-sqlite qt6-charts-dev libqt6charts6 libqt6opengl6-dev
                hamradio-files libsndfile1-dev qt6-l10n-tools)
# The sound tests run against both servers desktops use: PulseAudio, and
# PipeWire with its PulseAudio server (in a private D-Bus session).
test_packages=(xvfb xauth pulseaudio pulseaudio-utils sox multimon-ng python3 procps clang libclang-rt-14-dev
               openssl pipewire pipewire-pulse wireplumber dbus-user-session dbus-bin
               libsox-fmt-mp3 at-spi2-core python3-pyatspi)
run_packages=()
# dpkg-shlibdeps (dpkg-dev) and file find the Depends of the programs; the rest
# check the desktop entry, the AppStream metadata and the manual pages.
package_packages=(dpkg-dev file desktop-file-utils appstream groff-base)

case "${1:-build}" in
    build) wanted=("${build_packages[@]}") ;;
    test)  wanted=("${build_packages[@]}" "${test_packages[@]}" "${package_packages[@]}") ;;
    run)   wanted=("${build_packages[@]}" "${run_packages[@]}") ;;
    package) wanted=("${build_packages[@]}" "${package_packages[@]}") ;;
    *) echo "usage: $0 build|test|run|package" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
