#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows card under Wine on a real X server, without a window manager and under
# openbox. For each desktop: the tree window appears centred, the tree picture's size, and
# its X shape equals the tree's outline pixel for pixel, every pixel shown being tree, lamp
# or hatching; the plug shows the embedded pointing hand (hot spot included) and its tool
# tip, and a click on it ends the program with status 0; in a second run the
# card window comes down from wholly above the screen and the whole show ends by itself
# with status 0, while a window of the user's keeps the focus and no window of the card is
# listed for taskbars. Saves screenshots of the tree, the plug's tip, the descent and the
# closing panel.
#
# Usage: test_windows_card.sh PATH-TO-XMASCARD.EXE ARTIFACT-DIR
set -uo pipefail
card="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
ARTIFACTS="$2/windows"
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS"
source "$here/../lib/x_session.sh"
WINE_RUN="$root/tools/windows/wine_run.sh"
# Each desktop has a Wine prefix of its own (Wine's desktop process talks to one display),
# whose server is stopped when the desktop is done.
prefixes="${XDG_CACHE_HOME:-$HOME/.cache}/xmascard"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The X probe of the Linux tests, built here from its source for the host.
PROBE="$work/x_probe"
g++ -std=c++17 -O1 -o "$PROBE" "$here/../x_probe.cpp" -lX11 -lXext -lXfixes ||
    { echo "FAIL: cannot build x_probe"; exit 1; }
convert "$root/assets/pictures/tree.gif" -depth 8 "rgb:$work/tree.rgb"

failed=0
passed=0
check() {  # check WM OK WHAT [DETAIL]
    if [ "$2" = 1 ]; then
        echo "ok   [$1] $3"; passed=$((passed + 1))
    else
        echo "FAIL [$1] $3${4:+: $4}"; failed=$((failed + 1))
    fi
}

# start_card DIR: the card under Wine, logging to DIR; sets CARD_PID.
start_card() {
    rm -f "$WINDOWS_DIR/mm.mid" "$WINDOWS_DIR/Bells.mp3"
    "$WINE_RUN" "$card" >"$1/card.log" 2>&1 &
    CARD_PID=$!
}

# wait_status SECONDS: sets STATUS to the exit status of the card, or to "timeout".
wait_status() {
    for _ in $(seq $(($1 * 10))); do
        if ! kill -0 "$CARD_PID" 2>/dev/null; then
            wait "$CARD_PID"
            STATUS=$?
            return
        fi
        sleep 0.1
    done
    kill "$CARD_PID" 2>/dev/null
    STATUS=timeout
}

# The tree window and a click on the plug.
tree_and_plug() {
    local wm=$1 dir="$work/$1-plug" id info x y w h shaped=0
    mkdir -p "$dir"
    start_card "$dir"
    id=$(wait_for_window "Merry Christmas and Happy New Year") ||
        { check "$wm" 0 "the tree window appears" "none within 10 s"; return; }
    sleep 0.3
    info=$(xwininfo -id "$id")
    x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    w=$(awk '/Width:/ {print $2}' <<<"$info")
    h=$(awk '/Height:/ {print $2}' <<<"$info")
    [ "$w $h" = "308 398" ] && [ "$x $y" = "$(( (1280 - 308) / 2 )) $(( (1024 - 398) / 2 ))" ]
    check "$wm" $(( $? == 0 )) "the tree window is centred, 308 x 398" "${w}x${h} at $x,$y"
    "$PROBE" shape "$id" >"$dir/shape.txt"
    # A screenshot can catch a repaint half done: look up to three times.
    for _ in 1 2 3; do
        import -window root "$ARTIFACTS/$wm-tree-window.png"
        convert "$ARTIFACTS/$wm-tree-window.png" -depth 8 "rgb:$dir/screen.rgb"
        python3 "$here/../check_tree_window.py" "$work/tree.rgb" "$dir/screen.rgb" 1280 \
            "$dir/shape.txt" "$x" "$y" >"$dir/check.txt" && { shaped=1; break; }
        sleep 0.2
    done
    check "$wm" $shaped "the X shape is the tree's outline and shows the tree" "$(cat "$dir/check.txt")"
    [ -s "$WINDOWS_DIR/mm.mid" ] && [ -s "$WINDOWS_DIR/Bells.mp3" ]
    check "$wm" $(( $? == 0 )) "the sound files are written into the Windows folder"
    # The plug shows the pointing hand of the embedded cursor, hot spot included, and its tip.
    xdotool mousemove $((x + 169)) $((y + 384))
    sleep 1.5
    WORK="$dir" cursor_is "$root/assets/cursors/hand_point.png" 12 1
    check "$wm" $(( $? == 0 )) "the plug shows the pointing hand" "$("$PROBE" cursor "$dir/c.pam")"
    import -window root "$ARTIFACTS/$wm-plug-hover.png"
    xdotool click 1
    wait_status 15
    check "$wm" $([ "$STATUS" = 0 ] && echo 1 || echo 0) \
        "a click on the plug ends the card with status 0" "status $STATUS"
}

# screenshot_when LOG PATTERN FILE DELAY: a screenshot DELAY seconds after PATTERN shows in LOG.
screenshot_when() {
    for _ in $(seq 1800); do
        grep -q "$2" "$1" 2>/dev/null && { sleep "$4"; import -window root "$3"; return; }
        sleep 0.05
    done
}

# The whole show, watched from the X server, with a window of the user's focused first.
whole_show() {
    local wm=$1 dir="$work/$1-show" logo=""
    mkdir -p "$dir"
    xlogo -geometry 200x150+40+40 2>/dev/null &
    X_PIDS+=($!)
    for _ in $(seq 200); do
        logo=$(xdotool search --onlyvisible --name '^xlogo$' 2>/dev/null | head -n 1)
        [ -n "$logo" ] && break
        sleep 0.05
    done
    for _ in $(seq 100); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$logo" ] && break
        xdotool windowfocus "$logo" 2>/dev/null
        sleep 0.05
    done
    start_card "$dir"
    # Wine's windows carry the process id of the Unix process that runs the program.
    "$PROBE" watch "$CARD_PID" >"$dir/watch.log" &
    local watcher=$!
    screenshot_when "$dir/watch.log" ' Merry_Christmas 1 ' "$ARTIFACTS/$wm-descent.png" 8 &
    local descent=$!
    screenshot_when "$dir/watch.log" ' Form4 1 ' "$ARTIFACTS/$wm-closing-panel.png" 0.5 &
    local panel=$!
    wait_status 150
    kill "$descent" "$panel" 2>/dev/null
    wait "$watcher" "$descent" "$panel" 2>/dev/null
    cp "$dir/watch.log" "$ARTIFACTS/$wm-watch.log"
    cp "$dir/card.log" "$ARTIFACTS/$wm-card.log"
    # Wine maps a window only while it meets the screen, so the card's X window is seen
    # above the screen unmapped: the first second of its moves lies wholly above the
    # screen, and it is mapped once it has come down onto it.
    python3 - "$dir/watch.log" >"$dir/descent.txt" <<'PY'
import sys
card = []
for line in open(sys.argv[1]):
    f = line.split()
    if f[1] == "window" and f[3] == "Merry_Christmas":
        card.append((float(f[0]), int(f[4]), int(f[6]), int(f[8])))
placed = [c for c in card if c[3] > 1]
moves = [c for c in placed if c[2] != placed[0][2]] if placed else []
if not moves:
    print("it never moves"); sys.exit(1)
first = [c for c in moves if c[0] <= moves[0][0] + 1.0]
above = all(y + h <= 0 for _, _, y, h in first)
shown = [c for c in moves if c[1] and c[2] + c[3] > 0]
down = [c for c in moves if c[2] > first[-1][2]]
print(f"first second {[(y, y + h) for _, _, y, h in first]}, mapped on screen {len(shown)} times")
sys.exit(0 if above and shown and down else 1)
PY
    check "$wm" $(( $? == 0 )) "the card comes down from wholly above the screen" "$(cat "$dir/descent.txt")"
    local focus listed
    focus=$(awk '$2 == "focus" {print $3}' "$dir/watch.log" | sort -u | tr '\n' ' ')
    [ "$focus" = "$(printf '0x%x ' "$logo")" ]
    check "$wm" $(( $? == 0 )) "the user's window keeps the focus" "focus went to $focus"
    listed=$(awk '$2 == "listed" {print $3}' "$dir/watch.log" | tr '\n' ' ')
    [ -z "$listed" ]
    check "$wm" $(( $? == 0 )) "no window of the card is listed for taskbars" "listed $listed"
    check "$wm" $([ "$STATUS" = 0 ] && echo 1 || echo 0) \
        "the whole show ends by itself with status 0" "status $STATUS"
}

# The desktops side by side, each on a display of its own.
for wm in none openbox; do
    (
        export WINEPREFIX="$prefixes/wine-e2e-$wm"
        # Wine gives its programs a WINDIR of its own, the prefix's C:\windows, which is
        # writable: the sound files go there.
        WINDOWS_DIR="$WINEPREFIX/drive_c/windows"
        "$WINE_RUN" cmd /c exit >/dev/null 2>&1  # the prefix is made before the clock runs
        x_start || exit 1
        trap 'x_stop; wineserver -k 2>/dev/null' EXIT
        [ "$wm" = none ] || wm_start || { echo "FAIL [$wm] openbox does not start"; exit 1; }
        tree_and_plug "$wm"
        whole_show "$wm"
        echo "$passed $failed" >"$work/$wm.count"
    ) &
done
wait
for wm in none openbox; do
    read -r p f <"$work/$wm.count" 2>/dev/null || { p=0; f=1; }
    passed=$((passed + p)); failed=$((failed + f))
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
