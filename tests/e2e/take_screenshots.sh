#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Screenshots of the four companion windows on a fresh Xvfb, each over a plain green window
# so that its shape shows, with the pointer's real cursor drawn in where it matters. The
# pictures are scaled up twice, pixel for pixel, so hatches and type can be judged.
#
# Usage: take_screenshots.sh BUILD-DIR OUT-DIR   (the repository keeps them in docs/windows)
set -euo pipefail

BIN=$(cd "$1" && pwd)
HARNESS=$BIN/window_harness
PROBE=$BIN/x_probe
OUT=$2
mkdir -p "$OUT"
WORK=$(mktemp -d)
source "$(dirname "$0")/lib/x_session.sh"
trap 'x_stop; rm -rf "$WORK"' EXIT

# shot NAME X Y W H: the screen area with the cursor drawn at the pointer, scaled twice.
shot() {
    local name=$1 x=$2 y=$3 w=$4 h=$5 cursor px py
    import -window root "$WORK/screen.png"
    cursor=$("$PROBE" cursor "$WORK/cursor.pam")
    read -r _ _ hx hy <<<"$cursor"
    eval "$(xdotool getmouselocation --shell)"
    px=$((X - hx))
    py=$((Y - hy))
    convert "$WORK/screen.png" "$WORK/cursor.pam" -geometry "+$px+$py" -composite \
        -crop "${w}x${h}+$x+$y" +repage -scale 200% "$OUT/$name.png"
}

x_start

harness_start "$WORK" form2 --at 40 40 --caption-in --underlay
xdotool mousemove 150 200
sleep 0.4
shot card 20 20 256 333

harness_start "$WORK" form2 --at 40 40 --size 440 293 --underlay
xdotool mousemove 365 268 click 1
xdotool type --delay 60 "Anna"
xdotool mousemove 275 306
sleep 1.5
shot card_both_panels 20 20 480 360

harness_start "$WORK" form3 --at 40 40 --underlay
xdotool mousemove 1270 1010
for i in 1 2 3 4; do
    shot "cherub_$i" 20 20 190 203
    sleep 0.31
done
convert "$OUT"/cherub_[1-4].png +append "$OUT/cherub_frames.png"
rm -f "$OUT"/cherub_[1-4].png
xdotool mousemove 115 90
sleep 0.4
shot cherub 20 20 190 203

harness_start "$WORK" form5 --at 40 40 --underlay
xdotool mousemove 150 82
sleep 0.4
shot bubble_link 20 20 312 197
xdotool mousemove 150 160
sleep 0.4
shot bubble 20 20 312 197

harness_start "$WORK" form4 --underlay
shot panel 520 427 240 170
