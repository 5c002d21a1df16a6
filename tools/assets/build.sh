#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Regenerates every embedded picture, cursor, icon and sound under assets/ from the
# sources in tools/assets/, then the contact sheet docs/assets.png.
# Needs the packages of tools/setup-assets.sh.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
# Debian's interpreter: its python3-pil and python3-numpy are the ones installed.
py="${PYTHON:-/usr/bin/python3}"

"$py" "$here/sounds/music.py" "$root/assets/sounds/mm.mid"
"$py" "$here/sounds/bells.py" "$root/assets/sounds/Bells.mp3"
"$py" "$here/pictures/build_pictures.py" "$root/assets"
"$py" "$here/contact_sheet.py" "$root/assets" "$root/docs/assets.png"
