#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs from Debian's packages what the card needs to build and run.
#   tools/setup.sh         the card alone
#   tools/setup.sh --dev   and everything its tests, benchmarks and package checks need
# Run as root (or through sudo) on Debian 12 or later.
set -euo pipefail
dev=false
case "${1:-}" in
  "") ;;
  --dev) dev=true ;;
  *) echo "usage: tools/setup.sh [--dev]" >&2; exit 2 ;;
esac

card_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libqt6gui6 libgl-dev libxcb-shape0-dev
  libfluidsynth-dev libmpg123-dev libpulse-dev libglib2.0-dev libpixman-1-dev timgm6mb-soundfont
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  fonts-liberation2 fontconfig
  libasound2-dev
)
dev_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev python3
  xvfb xauth x11-utils x11-apps xdotool openbox xfwm4 icewm fluxbox dbus-daemon
  xwayland gnome-shell gnome-screenshot kwin-wayland kde-spectacle qtwayland5 sway grim weston
  x11-xserver-utils
  imagemagick libx11-dev libxext-dev libxfixes-dev
  pulseaudio pulseaudio-utils sox ffmpeg python3-numpy
  lintian desktop-file-utils appstream man-db graphviz
)
packages=("${card_packages[@]}")
if $dev; then packages+=("${dev_packages[@]}"); fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
