#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs from Debian's packages everything the card needs to build, run and be tested.
# Run as root (or through sudo) on Debian 12 or later.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  build-essential cmake ninja-build pkg-config \
  qt6-base-dev libqt6gui6 libgl-dev \
  libfluidsynth-dev libmpg123-dev libpulse-dev libglib2.0-dev timgm6mb-soundfont \
  fonts-liberation2 fontconfig \
  libgtest-dev libgmock-dev libbenchmark-dev \
  clang libclang-rt-14-dev \
  xvfb xauth x11-utils xdotool openbox imagemagick libx11-dev libxext-dev libxfixes-dev \
  pulseaudio pulseaudio-utils sox \
  >/dev/null
