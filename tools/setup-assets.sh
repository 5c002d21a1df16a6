#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that regenerate the embedded pictures and sounds
# (tools/assets/build.sh). The program's own build needs none of them: it embeds
# the committed files under assets/.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  python3 python3-numpy python3-pil \
  imagemagick librsvg2-bin openclipart-svg \
  fonts-urw-base35 fonts-blankenburg fonts-dancingscript fonts-lobster fonts-ebgaramond \
  lame mpg123 sox fluidsynth timgm6mb-soundfont \
  >/dev/null
