#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The tree window on a real X server, without and with a window manager, and with the
# settings of a Wayland session (which the card overrides: it always shows through X11):
# one borderless window with the card's title, centred, the tree picture's size, shaped to
# the tree's non-white pixels, showing the tree with its lamps in mask-pen mode, and the
# plug's tool tip under the resting pointer while a user's window keeps the focus. Saves
# screenshots.
set -euo pipefail
card="$1"
artifacts="$2"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
mkdir -p "$artifacts"
source "$here/lib/x_session.sh"
work=$(mktemp -d)
convert "$root/assets/pictures/tree.gif" -depth 8 "rgb:$work/tree.rgb"

for wm in none openbox wayland-session; do
    ( x_start
      [ "$wm" != openbox ] || wm_start
      trap x_stop EXIT
      session=()
      [ "$wm" != wayland-session ] ||
          session=(QT_QPA_PLATFORM=wayland XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-0)
      env "${session[@]}" WINDIR="$work" XMASCARD_AUDIO=none "$card" >"$work/card-$wm.log" 2>&1 &
      CARD_PID=$!
      X_PIDS+=("$CARD_PID")
      id=$(wait_for_window "Merry Christmas and Happy New Year") || {
          state=ended; kill -0 "$CARD_PID" 2>/dev/null && state=running
          echo "FAIL [$wm]: no window (the card is $state; its output: $(tr '\n' ' ' <"$work/card-$wm.log"))"
          exit 1; }
      sleep 0.3
      count=$(xdotool search --onlyvisible --name "Merry Christmas and Happy New Year" | wc -l)
      [ "$count" -eq 1 ] || { echo "FAIL [$wm]: $count windows"; exit 1; }
      info=$(xwininfo -id "$id")
      x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
      y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
      w=$(awk '/Width:/ {print $2}' <<<"$info")
      h=$(awk '/Height:/ {print $2}' <<<"$info")
      [ "$w" = 308 ] && [ "$h" = 398 ] || { echo "FAIL [$wm]: size ${w}x${h}"; exit 1; }
      [ "$x" = $(( (1280 - 308) / 2 )) ] && [ "$y" = $(( (1024 - 398) / 2 )) ] ||
          { echo "FAIL [$wm]: not centred at $x,$y"; exit 1; }
      "$(dirname "$card")/x_probe" shape "$id" >"$work/shape.txt"
      # A screenshot can catch a repaint half done: look up to three times.
      for attempt in 1 2 3; do
          import -window root "$artifacts/tree-window-$wm.png"
          convert "$artifacts/tree-window-$wm.png" -depth 8 "rgb:$work/screen.rgb"
          python3 "$here/check_tree_window.py" "$work/tree.rgb" "$work/screen.rgb" 1280 \
              "$work/shape.txt" "$x" "$y" && break
          [ "$attempt" -lt 3 ] || { echo "FAIL [$wm]"; exit 1; }
          sleep 0.2
      done
      [ -s "$work/mm.mid" ] && [ -s "$work/Bells.mp3" ] || { echo "FAIL [$wm]: sound files missing"; exit 1; }
      # The pointer resting on the plug shows its tool tip, though the card's windows never
      # become active, and the keyboard focus stays where it was.
      xlogo -geometry 100x100+0+0 >/dev/null 2>&1 &
      X_PIDS+=($!)
      logo=$(wait_for_window xlogo)
      xdotool windowfocus --sync "$logo"
      before=$(viewable_windows)
      xdotool mousemove --window "$id" 169 384
      tip=$(new_window_within 2500 "$before") ||
          { echo "FAIL [$wm]: no tool tip over the plug"; exit 1; }
      import -window root "$artifacts/tree-window-$wm-tool-tip.png"
      read -r tx ty _ _ <<<"$tip"
      (( tx > x && tx < x + w && ty > y + 384 && ty < y + h + 60 )) ||
          { echo "FAIL [$wm]: the tool tip is at $tx,$ty, not by the plug"; exit 1; }
      [ "$(xdotool getwindowfocus)" = "$logo" ] ||
          { echo "FAIL [$wm]: the card took the focus over the plug"; exit 1; }
      kill "$CARD_PID"
      echo "ok [$wm]: ${w}x${h} at $x,$y"
    )
done
echo "1 passed, 0 failed"
