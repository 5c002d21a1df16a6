#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Ending the card from outside. Ctrl+C (SIGINT), SIGTERM and the end of a session (SIGHUP)
# end it cleanly with the status the convention gives a program ended by that signal; a
# close request (WM_DELETE_WINDOW) ends it with status 0; a SIGHUP that was ignored when it
# started (nohup) stays ignored. A signal at once after start leaves no half-written sound
# file behind.
set -uo pipefail
card="$1"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
PROBE="$(cd "$(dirname "$card")" && pwd)/x_probe"
source "$here/lib/x_session.sh"
work=$(mktemp -d)
x_start || exit 1
trap 'x_stop; rm -rf "$work"' EXIT
failed=0
report() {  # report WHAT OK DETAIL
    if [ "$2" = 1 ]; then echo "ok: $1"; else echo "FAIL: $1: $3"; failed=$((failed + 1)); fi
}

# start_card [ENV...]: the card in the background, with the signals a terminal gives it.
start_card() {
    env --default-signal=INT,TERM,HUP "$@" WINDIR="$work" XMASCARD_AUDIO=none "$card" \
        >>"$work/card.log" 2>&1 &
    CARD_PID=$!
}

tree_window() { wait_for_window "Merry Christmas and Happy New Year"; }

# ends_with WHAT SIGNAL STATUS: the card, once its tree window shows, ended by SIGNAL.
ends_with() {
    local status=0 tree
    start_card
    tree=$(tree_window) || { report "$1" 0 "no window"; kill "$CARD_PID"; return; }
    if [ "$2" = close ]; then "$PROBE" close "$tree"; else kill -s "$2" "$CARD_PID"; fi
    timeout 10 tail --pid="$CARD_PID" -f /dev/null
    wait "$CARD_PID" || status=$?
    report "$1 ends the card with status $3" "$([ "$status" = "$3" ] && echo 1)" "status $status"
}

while read -r what signal status; do
    ends_with "$what" "$signal" "$status"
done <<'ROWS'
Ctrl+C INT 130
SIGTERM TERM 143
SIGHUP HUP 129
a-close-request close 0
ROWS

# nohup: an ignored SIGHUP stays ignored.
env --ignore-signal=HUP WINDIR="$work" XMASCARD_AUDIO=none "$card" >>"$work/card.log" 2>&1 &
CARD_PID=$!
tree_window >/dev/null
kill -HUP "$CARD_PID"
sleep 1
alive=$(kill -0 "$CARD_PID" 2>/dev/null && echo 1)
report "an ignored SIGHUP leaves the card running" "$alive" "it ended"
kill "$CARD_PID"; wait "$CARD_PID" 2>/dev/null

# A signal while the sound files are being written leaves each file whole or absent.
for delay in 0 0.02 0.05 0.1 0.2; do
    rm -f "$work"/mm.mid* "$work"/Bells.mp3*
    start_card
    sleep "$delay"
    kill -TERM "$CARD_PID"
    wait "$CARD_PID" 2>/dev/null
    leftovers=$(find "$work" -maxdepth 1 -name '*.mid.*' -o -maxdepth 1 -name '*.mp3.*' | wc -l)
    whole=1
    for f in mm.mid Bells.mp3; do
        [ ! -e "$work/$f" ] || cmp -s "$work/$f" "$root/assets/sounds/$f" || whole=0
    done
    report "SIGTERM after ${delay}s leaves the sound files whole" \
        "$([ "$leftovers" = 0 ] && [ "$whole" = 1 ] && echo 1)" "$leftovers temporary files"
done

echo "$((10 - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
