#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Without a display the card can use, it says why in one line and exits with status 1: no
# DISPLAY, no server, a screen the server does not have, a screen of 8 bits, a Qt without
# its X11 platform plugin, and a Wayland session's settings with no X display at all. An X
# server that dies under the card ends it the same way, in the card's words.
set -uo pipefail
card="$1"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib/x_session.sh"
work=$(mktemp -d)
x_start || exit 1
trap 'x_stop; rm -rf "$work"' EXIT
live=$DISPLAY

# An 8-bit server of its own.
fdfile="$work/fd"
Xvfb -displayfd 3 -screen 0 640x480x8 -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
X_PIDS+=($!)
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
eight=":$(head -n1 "$fdfile")"

# A copy of the card told by qt.conf to look for Qt's plugins where there are none.
mkdir "$work/noplugins"
cp "$card" "$work/noplugins/"
printf '[Paths]\nPlugins=%s\n' "$work/nothing" >"$work/noplugins/qt.conf"

failed=0
# Each row: what, the message expected, then the command's environment and program.
while IFS='|' read -r what expected environment program; do
    out=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $environment XMASCARD_AUDIO=none \
          WINDIR="$work" "${program:-$card}" 2>&1)
    status=$?
    if [ "$status" -eq 1 ] && [ "$(wc -l <<<"$out")" -eq 1 ] && grep -q "$expected" <<<"$out"; then
        echo "ok: $what: $out"
    else
        echo "FAIL: $what gave status $status: $out"
        failed=$((failed + 1))
    fi
done <<ROWS
DISPLAY unset|no display: DISPLAY is not set|DISPLAY=|
no server there|no display: cannot connect|DISPLAY=:4711|
not a display name|is not a display name|DISPLAY=nowhere:x:y|
no such screen|has no such screen|DISPLAY=$live.5|
an 8-bit screen|needs 16 bits or more|DISPLAY=$eight|
no platform plugin|window system cannot start|DISPLAY=$live|$work/noplugins/xmascard
a Wayland session without X|no display: DISPLAY is not set|DISPLAY= QT_QPA_PLATFORM=wayland XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-0|
ROWS
# A server that dies while the card shows.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
dying=$!
X_PIDS+=("$dying")
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$fdfile")"
XMASCARD_AUDIO=none WINDIR="$work" "$card" >"$work/dying.log" 2>&1 &
card_pid=$!
wait_for_window "Merry Christmas and Happy New Year" >/dev/null
kill -KILL "$dying"
wait "$dying" 2>/dev/null
status=0
wait "$card_pid" || status=$?
out=$(cat "$work/dying.log")
if [ "$status" -eq 1 ] && [ "$(wc -l <<<"$out")" -eq 1 ] &&
    grep -q "^xmascard: the X server went away: the X11 connection broke" <<<"$out"; then
    echo "ok: the X server dies under the card: $out"
else
    echo "FAIL: the X server died under the card, which gave status $status: $out"
    failed=$((failed + 1))
fi
echo "$((8 - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
