#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Records the show at 10 frames a second and keeps the key moments as stills for the
# README (docs/show/): each greeting over the tree, the bells, the card coming down, the
# caption arrived and the closing panel; then the show with names, for the open card with
# them. Usage: tools/make_show_stills.sh [build/xmascard]
set -euo pipefail
card="${1:-build/xmascard}"
out="$(dirname "$0")/../docs/show"
work=$(mktemp -d)
"$card" --record "$work" --fps 10 --screen 1280x800
"$card" --record "$work/named" --fps 10 --screen 1280x800 --to Anna --from Tom
mkdir -p "$out"
still() {  # name, second of the show (tenths allowed), crop geometry[, recording]
    local frame
    frame=$(awk -v s="$2" 'BEGIN { printf "%05d", s * 10 + 0.5 }')
    convert "${4:-$work}/frame-$frame.png" -crop "$3" +repage "$out/$1.png"
}
still 1-seasons-greetings 9 520x460+380+160
still 2-merry-christmas 20 520x460+380+160
still 3-happy-new-year-and-bells 27 520x460+380+160
still 4-card-coming-down 46 1280x800+0+0
still 5-card-in-place 58 1280x800+0+0
still 6-caption-arrived 68 520x460+380+160
still 7-closing-panel 76 520x460+380+160
still 8-open-card-with-names 65.5 520x420+380+165 "$work/named"
rm -rf "$work"
echo "stills in $out"
