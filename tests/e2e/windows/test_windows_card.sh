#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows card under Wine on a real X server, without a window manager and under
# openbox. For each desktop: the tree window appears centred, the tree picture's size, and
# its X shape equals the tree's outline pixel for pixel, every pixel shown being tree, lamp
# or hatching; the plug shows the embedded pointing hand (hot spot included) and its tool
# tip, and a click on it ends the program with status 0; in a second run the
# card window comes down from wholly above the screen and the whole show ends by itself
# with status 0, while a window of the user's keeps the focus and no window of the card is
# listed for taskbars. On the desktop without a window manager the show plays into a
# PulseAudio null sink of its own, recorded from the sink's monitor: nothing sounds in the
# show's first seconds (there is no MIDI device under Wine, and the card says so in one
# line), the bells are heard up to the moment the card starts to come down, and nothing
# after. Under openbox the card carries names (--to, --from) and opens at the end. Saves
# screenshots of the tree, the plug's tip, the descent, the open card and the closing
# panel, and the recording.
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

source "$here/../lib/checks.sh"
# check_on WM OK WHAT [DETAIL]: a check of the run on WM's desktop that passes when OK is 1.
check_on() {
    MODE=$1
    verdict $(( $2 != 1 )) "$3" "${4:-}"
}

# start_card DIR [ARGS...]: the card under Wine, logging to DIR; sets CARD_PID.
start_card() {
    rm -f "$WINDOWS_DIR/mm.mid" "$WINDOWS_DIR/Bells.mp3"
    "$WINE_RUN" "$card" "${@:2}" >"$1/card.log" 2>&1 &
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
        { check_on "$wm" 0 "the tree window appears" "none within 10 s"; return; }
    sleep 0.3
    info=$(xwininfo -id "$id")
    x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    w=$(awk '/Width:/ {print $2}' <<<"$info")
    h=$(awk '/Height:/ {print $2}' <<<"$info")
    [ "$w $h" = "308 398" ] && [ "$x $y" = "$(( (1280 - 308) / 2 )) $(( (1024 - 398) / 2 ))" ]
    check_on "$wm" $(( $? == 0 )) "the tree window is centred, 308 x 398" "${w}x${h} at $x,$y"
    "$PROBE" shape "$id" >"$dir/shape.txt"
    # A screenshot can catch a repaint half done: look up to three times.
    for _ in 1 2 3; do
        import -window root "$ARTIFACTS/$wm-tree-window.png"
        convert "$ARTIFACTS/$wm-tree-window.png" -depth 8 "rgb:$dir/screen.rgb"
        python3 "$here/../check_tree_window.py" "$work/tree.rgb" "$dir/screen.rgb" 1280 \
            "$dir/shape.txt" "$x" "$y" >"$dir/check.txt" && { shaped=1; break; }
        sleep 0.2
    done
    check_on "$wm" $shaped "the X shape is the tree's outline and shows the tree" "$(cat "$dir/check.txt")"
    [ -s "$WINDOWS_DIR/mm.mid" ] && [ -s "$WINDOWS_DIR/Bells.mp3" ]
    check_on "$wm" $(( $? == 0 )) "the sound files are written into the Windows folder"
    # The plug shows the pointing hand of the embedded cursor, hot spot included, and its tip.
    local before tip tx ty
    before=$(viewable_windows)
    xdotool mousemove $((x + 169)) $((y + 384))
    tip=$(new_window_within 2500 "$before") && read -r tx ty _ _ <<<"$tip" &&
        (( tx > x && tx < x + w && ty > y + 384 && ty < y + h + 60 ))
    check_on "$wm" $(( $? == 0 )) "the plug shows its tool tip within 2.5 s, by the plug" "${tip:-none}"
    WORK="$dir" cursor_is "$root/assets/cursors/hand_point.png" 12 1
    check_on "$wm" $(( $? == 0 )) "the plug shows the pointing hand" "$("$PROBE" cursor "$dir/c.pam")"
    import -window root "$ARTIFACTS/$wm-plug-hover.png"
    xdotool click 1
    wait_status 15
    check_on "$wm" $([ "$STATUS" = 0 ] && echo 1 || echo 0) \
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
    local recorder="" recording_started=""
    if [ -n "${SINK:-}" ]; then
        parec -d "$SINK.monitor" --file-format=wav --rate=44100 --channels=2 "$dir/heard.wav" &
        recorder=$!
        recording_started=$(date +%s.%N)
    fi
    # Under openbox the card carries names, and opens in the tree's place at the end.
    local names=()
    [ "$wm" = none ] || names=(--to "Anna" --from "Zoë")
    start_card "$dir" "${names[@]}"
    # Wine's windows carry the process id of the Unix process that runs the program.
    "$PROBE" watch "$CARD_PID" >"$dir/watch.log" &
    local watcher=$! watch_started
    watch_started=$(date +%s.%N)
    screenshot_when "$dir/watch.log" ' Merry_Christmas 1 ' "$ARTIFACTS/$wm-descent.png" 8 &
    local descent=$!
    screenshot_when "$dir/watch.log" ' Form4 1 ' "$ARTIFACTS/$wm-closing-panel.png" 0.5 &
    local panel=$!
    # The open card is wider than the closed one: both its pages show.
    screenshot_when "$dir/watch.log" ' Merry_Christmas 1 [0-9-]* [0-9-]* [3-9][0-9][0-9] ' \
        "$ARTIFACTS/$wm-open-card.png" 1 &
    local opened=$!
    wait_status 150
    kill "$descent" "$panel" "$opened" 2>/dev/null
    wait "$watcher" "$descent" "$panel" "$opened" 2>/dev/null
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
    check_on "$wm" $(( $? == 0 )) "the card comes down from wholly above the screen" "$(cat "$dir/descent.txt")"
    local focus listed
    focus=$(awk '$2 == "focus" {print $3}' "$dir/watch.log" | sort -u | tr '\n' ' ')
    [ "$focus" = "$(printf '0x%x ' "$logo")" ]
    check_on "$wm" $(( $? == 0 )) "the user's window keeps the focus" "focus went to $focus"
    listed=$(awk '$2 == "listed" {print $3}' "$dir/watch.log" | tr '\n' ' ')
    [ -z "$listed" ]
    check_on "$wm" $(( $? == 0 )) "no window of the card is listed for taskbars" "listed $listed"
    check_on "$wm" $([ "$STATUS" = 0 ] && echo 1 || echo 0) \
        "the whole show ends by itself with status 0" "status $STATUS"
    if [ -n "$recorder" ]; then
        kill "$recorder"; wait "$recorder" 2>/dev/null
        cp "$dir/heard.wav" "$ARTIFACTS/$wm-heard.wav"
        heard_bells "$wm" "$dir" "$(python3 -c "print($watch_started - $recording_started)")"
    fi
}

# heard_bells WM DIR OFFSET: what the sink heard, OFFSET seconds of recording before the watch
# of the show began.
heard_bells() {
    local wm=$1 dir=$2 offset=$3 lines descent
    lines=$(grep '^xmascard:' "$dir/card.log")
    [ "$(grep -c . <<<"$lines")" = 1 ] && grep -q 'no MIDI output device' <<<"$lines"
    check_on "$wm" $(( $? == 0 )) "without a MIDI device the card says so in one line" "$lines"
    # The card starts to come down (and the bells stop) at its first move on the screen.
    descent=$(awk '$2 == "window" && $4 == "Merry_Christmas" && $9 > 1 {
        if (y == "") y = $7; else if ($7 != y) {print $1; exit} }' "$dir/watch.log")
    [ -n "$descent" ] || { check_on "$wm" 0 "the bells are heard" "the card never came down"; return; }
    rms() { sox "$dir/heard.wav" -n trim "$1" "$2" stat 2>&1 | awk '/RMS +amplitude/ {print $3}'; }
    local at quiet_start bells after
    at=$(python3 -c "print($offset + $descent)")
    quiet_start=$(rms 0 8)
    bells=$(rms "$(python3 -c "print($at - 6)")" 5)
    after=$(rms "$(python3 -c "print($at + 1)")" 8)
    python3 - "$quiet_start" "$bells" "$after" <<'PY'
import sys
quiet, bells, after = map(float, sys.argv[1:])
sys.exit(0 if quiet < 1e-3 and bells > 0.02 and after < 1e-3 else 1)
PY
    check_on "$wm" $(( $? == 0 )) "the bells ring before the card comes down, and only then" \
        "RMS $quiet_start in the first 8 s, $bells in the 5 s before the descent at ${at}s, $after after"
}

# The desktops side by side, each on a display of its own.
for wm in none openbox; do
    (
        export WINEPREFIX="$prefixes/wine-e2e-$wm"
        # The desktop without a window manager plays into a sound server of its own.
        if [ "$wm" = none ] && command -v pulseaudio >/dev/null && command -v parec >/dev/null; then
            export XDG_RUNTIME_DIR="$work/pulse-runtime"
            mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
            pulseaudio -n --daemonize=yes --exit-idle-time=-1 --disallow-exit --use-pid-file=yes \
                --load="module-null-sink sink_name=card" --load=module-native-protocol-unix \
                >"$work/pulse.log" 2>&1 && SINK=card
            for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
            [ -n "${SINK:-}" ] || echo "note: pulseaudio does not start here; the sound is not checked"
        fi
        # Wine gives its programs a WINDIR of its own, the prefix's C:\windows, which is
        # writable: the sound files go there.
        WINDOWS_DIR="$WINEPREFIX/drive_c/windows"
        "$WINE_RUN" cmd /c exit >/dev/null 2>&1  # the prefix is made before the clock runs
        # ... and its server is let go: one still running would keep its desktop without the
        # X display started next (a screen of 1024 x 768, windows that never show on X).
        wineserver -w
        x_start || exit 1
        trap 'x_stop; wineserver -k 2>/dev/null; [ -z "${SINK:-}" ] || pulseaudio --kill 2>/dev/null' EXIT
        [ "$wm" = none ] || wm_start || { echo "FAIL [$wm] openbox does not start"; exit 1; }
        tree_and_plug "$wm"
        whole_show "$wm"
        echo "$PASSED $FAILED" >"$work/$wm.count"
    ) &
done
wait
for wm in none openbox; do
    read -r p f <"$work/$wm.count" 2>/dev/null || { p=0; f=1; }
    PASSED=$((PASSED + p)); FAILED=$((FAILED + f))
done
MODE=""
checks_done
