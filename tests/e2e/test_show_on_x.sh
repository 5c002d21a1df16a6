#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real card on a real X server: the question mark opens and closes the message bubble,
# the plug ends the card at once with status 0, and a show left alone ends by itself with
# status 0. The sound files stay where they were written.
set -euo pipefail
card="$1"
artifacts="$2"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$artifacts"
source "$here/lib/x_session.sh"
work=$(mktemp -d)
x_start
trap x_stop EXIT

tree_point() {  # clicks at (x, y) inside the tree window
    local id="$1" x="$2" y="$3" info wx wy
    info=$(xwininfo -id "$id")
    wx=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    wy=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    xdotool mousemove $((wx + x)) $((wy + y)) click 1
}

bubble_shown() { xdotool search --onlyvisible --name '^Form5$' >/dev/null 2>&1; }

# The question mark toggles the bubble; the plug ends the card at once.
WINDIR="$work" XMASCARD_AUDIO=none "$card" >"$work/clicks.log" 2>&1 &
CARD_PID=$!
X_PIDS+=("$CARD_PID")
tree=$(wait_for_window "Merry Christmas and Happy New Year")
tree_point "$tree" 89 385
for _ in $(seq 40); do bubble_shown && break; sleep 0.05; done
bubble_shown || { echo "FAIL: the question mark did not open the bubble"; exit 1; }
import -window root "$artifacts/bubble-over-tree.png"
tree_point "$tree" 89 385
for _ in $(seq 40); do bubble_shown || break; sleep 0.05; done
! bubble_shown || { echo "FAIL: a second click did not close the bubble"; exit 1; }
tree_point "$tree" 169 384
status=0
timeout 5 tail --pid="$CARD_PID" -f /dev/null || { echo "FAIL: the plug did not end the card"; exit 1; }
wait "$CARD_PID" || status=$?
CARD_PID=
[ "$status" -eq 0 ] || { echo "FAIL: the plug ended the card with status $status"; exit 1; }
echo "ok: question mark opens and closes the bubble; the plug ends the card with status 0"

# Left alone, the show ends by itself.
rm -f "$work/mm.mid" "$work/Bells.mp3"
started=$(date +%s)
status=0
WINDIR="$work" XMASCARD_AUDIO=none timeout 150 "$card" >"$work/show.log" 2>&1 || status=$?
took=$(( $(date +%s) - started ))
[ "$status" -eq 0 ] || { echo "FAIL: the show ended with status $status"; cat "$work/show.log"; exit 1; }
[ "$took" -ge 60 ] && [ "$took" -le 100 ] || { echo "FAIL: the show took $took s"; exit 1; }
[ -s "$work/mm.mid" ] && [ -s "$work/Bells.mp3" ] || { echo "FAIL: the sound files did not stay"; exit 1; }
echo "ok: the show ended by itself with status 0 after $took s; the sound files stay"
echo "1 passed, 0 failed"
