#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The four companion windows on a real X server, each shown alone through the window harness:
# their X shapes equal the regions their code computed (every pixel), they open where they
# are placed, the cherub and the card follow a left-button drag and nothing else, clicks
# on the bubble's see-through surroundings reach the window underneath, the bubble closes on
# its labels but not on its link, and the pointer takes the custom cursors. Run once without
# a window manager and once under openbox.
#
# Usage: test_companion_windows.sh PATH-TO-XMASCARD ARTIFACT-DIR
set -uo pipefail

BIN=$(cd "$(dirname "$1")" && pwd)
HARNESS=$BIN/window_harness
PROBE=$BIN/x_probe
ASSETS=$(cd "$(dirname "$0")/../../assets" && pwd)
WORK=$2/companion_windows
rm -rf "$WORK"
mkdir -p "$WORK"
source "$(dirname "$0")/lib/x_session.sh"
trap x_stop EXIT

source "$(dirname "$0")/lib/checks.sh"
logged() { grep -q "$1" "$WORK/log"; }
not_logged() { ! grep -q "$1" "$WORK/log"; }
regions_so_far() { grep -c '^region' "$WORK/log"; }

shapes_and_places() {
    harness_start "$WORK" form5 --at 100 100
    check "bubble: X shape is the bubble's outline" shape_matches "$WORK" "$MODE-form5"
    check "bubble: opens where it is placed" equals "$(window_position "$WIN")" "100 100"
    harness_start "$WORK" form5 --at 0 0
    check "bubble: opens at the screen's corner" equals "$(window_position "$WIN")" "0 0"

    harness_start "$WORK" form4
    check "panel: X shape is the panel's outline" shape_matches "$WORK" "$MODE-form4"
    check "panel: centred on the screen" equals "$(window_position "$WIN")" "540 447"

    harness_start "$WORK" form2 --at 60 60
    check "card: X shape is its controls' rectangles" shape_matches "$WORK" "$MODE-form2"
    harness_start "$WORK" form2 --at 60 60 --size 440 293
    check "card: widened, it is shaped anew" shape_matches "$WORK" "$MODE-form2-wide"
    check "card: widened, it has the new size" equals "$(window_size "$WIN")" "440 293"
}

cherub() {
    harness_start "$WORK" form3 --at 400 100
    # A button held on the cherub stops the flapping, so the shape holds still to be read.
    xdotool mousemove 475 150 mousedown 3
    sleep 0.4
    local held
    held=$(regions_so_far)
    check "cherub: X shape is the current frame's outline" shape_matches "$WORK" "$MODE-form3"
    sleep 0.8
    check "cherub: no frame changes while a button is held" equals "$(regions_so_far)" "$held"
    xdotool mouseup 3
    sleep 0.8
    check "cherub: flaps again after the release" test "$(regions_so_far)" -gt "$held"
    check "cherub: the right button moves nothing" equals "$(window_position "$WIN")" "400 100"

    drag "1 3" 475 150 50 30
    check "cherub: left and right together move nothing" \
        equals "$(window_position "$WIN")" "400 100"
    drag 1 475 150 60 40
    check "cherub: a left drag by (60, 40) moves it by (60, 40)" \
        equals "$(window_position "$WIN")" "460 140"
    drag 1 535 190 -110 25
    check "cherub: a second drag by (-110, 25) too" equals "$(window_position "$WIN")" "350 165"
}

card_drag() {
    harness_start "$WORK" form2 --at 60 60
    drag 1 160 210 -30 50
    check "card: a left drag on the painting by (-30, 50) moves it" \
        equals "$(window_position "$WIN")" "30 110"
    drag 3 130 260 40 40
    check "card: a right drag moves nothing" equals "$(window_position "$WIN")" "30 110"
}

# bubble_click X Y: a fresh bubble at (100, 100) over a plain window, clicked at window (X, Y).
bubble_click() {
    harness_start "$WORK" form5 --at 100 100 --underlay
    click_at $((100 + $1)) $((100 + $2))
    sleep 0.2
}

bubble_clicks() {
    bubble_click 3 3
    check "bubble: a click on its white corner reaches the window underneath" logged "^underlay 103 103"
    check "bubble: ... and leaves the bubble open" window_viewable "$WIN"
    click_at 100 150
    bubble_click 136 42
    check "bubble: the link opens the web address" logged "^openUrl https://"
    check "bubble: ... and the bubble stays" window_viewable "$WIN"
    check "bubble: ... with nothing unloaded" not_logged "^unloaded"
    local place
    for place in "Label4(0) 136 62" "Label4(1) 136 92" "Label4(3) 136 25" "bubble 136 115"; do
        set -- $place
        bubble_click "$2" "$3"
        check "bubble: a click on $1 closes it" logged "^unloaded"
        check "bubble: ... and it is gone" test ! -n "$(window_viewable "$WIN" && echo open)"
    done
}

cursors() {
    harness_start "$WORK" form5 --at 100 100
    xdotool mousemove 236 215
    sleep 0.3
    check "cursor: the hand with the prohibition sign on the bubble" \
        cursor_is "$ASSETS/cursors/hand_prohibited.png" 12 1
    xdotool mousemove 236 142
    sleep 0.3
    check "cursor: the pointing hand on the link" cursor_is "$ASSETS/cursors/hand_point.png" 12 1
    xdotool mousemove 236 162
    sleep 0.3
    check "cursor: the default pointer on the message" \
        test ! -n "$(cursor_is "$ASSETS/cursors/hand_prohibited.png" 12 1 && echo custom)"
    harness_start "$WORK" form3 --at 400 100
    xdotool mousemove 475 150
    sleep 0.3
    check "cursor: the open hand on the cherub" cursor_is "$ASSETS/cursors/hand_open.png" 16 14
    harness_start "$WORK" form2 --at 60 60
    xdotool mousemove 160 210
    sleep 0.3
    check "cursor: the open hand on the painting" cursor_is "$ASSETS/cursors/hand_open.png" 16 14
}

x_start || exit 1
MODE="no window manager"
shapes_and_places
cherub
card_drag
bubble_clicks
cursors
harness_stop

wm_start || exit 1
MODE="openbox"
shapes_and_places
cherub
card_drag
bubble_clicks

checks_done
