# SPDX-License-Identifier: MIT
# Shared by the end-to-end scripts: an X server of their own, an optional window manager,
# the window harness, and the read-backs of window shapes, positions and cursors.
# Source it, then call x_start; everything started here is stopped by x_stop.

X_PIDS=()
HARNESS_PID=""

# Starts Xvfb on a free display (Xvfb picks it) and exports DISPLAY once the server answers.
# -noreset: by default an X server resets when its last client leaves, and refuses the
# connections that come meanwhile, so a card started just after another one ended (or after
# an xdotool call) could find no display. A server that does not answer is replaced by a
# new one, up to three times.
x_start() {
    local fdfile attempt pid
    for attempt in 1 2 3; do
        fdfile=$(mktemp)
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
        pid=$!
        for _ in $(seq 100); do
            [ -s "$fdfile" ] && break
            sleep 0.05
        done
        export DISPLAY=":$(head -n1 "$fdfile")"
        rm -f "$fdfile"
        if [ "$DISPLAY" != ":" ]; then
            for _ in $(seq 40); do
                if xdpyinfo >/dev/null 2>&1; then X_PIDS+=("$pid"); return 0; fi
                sleep 0.05
            done
        fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    echo "Xvfb did not start" >&2
    return 1
}

# wm_start [NAME]: starts a window manager (openbox, xfwm4, icewm or fluxbox; default
# openbox) with a home of its own and waits until it manages the screen. A window manager
# that gives up at once (openbox now and then cannot open a display on a loaded machine)
# is started again, up to three times.
wm_start() {
    local wm=${1:-openbox} home pid attempt
    home=$(mktemp -d)
    for attempt in 1 2 3; do
        case $wm in
            openbox) HOME=$home openbox --sm-disable >"$home/log" 2>&1 & ;;
            # xfwm4 keeps its settings in xfconf, reached over a session bus.
            xfwm4) HOME=$home dbus-run-session xfwm4 --compositor=off --sm-client-disable \
                       >"$home/log" 2>&1 & ;;
            icewm) HOME=$home icewm >"$home/log" 2>&1 & ;;
            # Without this overlay fluxbox's style sets a wallpaper through a helper that
            # opens a message window when it fails.
            fluxbox) mkdir -p "$home/.fluxbox"
                     echo 'background: none' >"$home/.fluxbox/overlay"
                     HOME=$home fluxbox >"$home/log" 2>&1 & ;;
            *) echo "unknown window manager $wm" >&2; return 1 ;;
        esac
        pid=$!
        X_PIDS+=("$pid")
        for _ in $(seq 200); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
    done
    echo "$wm did not start: $(tail -n 3 "$home/log" 2>/dev/null)" >&2
    return 1
}

x_stop() {
    harness_stop
    local i
    for ((i = ${#X_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${X_PIDS[i]}" 2>/dev/null || true
        # Some window managers (fluxbox) take their time over SIGTERM, or ignore it.
        for _ in $(seq 40); do kill -0 "${X_PIDS[i]}" 2>/dev/null || break; sleep 0.05; done
        kill -KILL "${X_PIDS[i]}" 2>/dev/null || true
        wait "${X_PIDS[i]}" 2>/dev/null || true
    done
    X_PIDS=()
}

# harness_start DIR FORM [ARGS...]: shows one window through the harness, logging to
# DIR/log and its shapes to DIR/region; waits until it is on screen and sets WIN to its id.
harness_start() {
    local dir=$1
    shift
    harness_stop
    rm -f "$dir/log" "$dir/region"
    xdotool mousemove 1270 1010
    "$HARNESS" "$@" --log "$dir/log" --region "$dir/region" --quit-after 60 \
        2>>"$dir/stderr" &
    HARNESS_PID=$!
    for _ in $(seq 200); do
        WIN=$(awk '/^shown/ {print $2}' "$dir/log" 2>/dev/null || true)
        [ -n "$WIN" ] && return 0
        sleep 0.05
    done
    echo "the harness did not show $*" >&2
    return 1
}

harness_stop() {
    if [ -n "$HARNESS_PID" ]; then
        kill "$HARNESS_PID" 2>/dev/null || true
        wait "$HARNESS_PID" 2>/dev/null || true
        HARNESS_PID=""
    fi
}

# Prints the id of the first visible window with this exact name, waiting up to 30 s (a
# loaded machine can take its time over a first start).
wait_for_window() {
    local name="$1" id
    for _ in $(seq 600); do
        id=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.05
    done
    return 1
}

# The position of a window's top-left pixel on the screen: "x y".
window_position() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
                             END {print x, y}'
}

window_size() {
    xwininfo -id "$1" | awk '/^  Width:/ {w = $2} /^  Height:/ {h = $2} END {print w, h}'
}

window_viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# rects_to_pbm W H: the pixels of a W x H window covered by the rectangles on standard input
# ("left top width height" per line, or "none" for the whole window), as a plain PBM picture.
rects_to_pbm() {
    awk -v W="$1" -v H="$2" '
        $1 == "none" { all = 1; next }
        NF == 4 {
            for (y = $2; y < $2 + $4; y++) if (y >= 0 && y < H)
                for (x = $1; x < $1 + $3; x++) if (x >= 0 && x < W) on[y * W + x] = 1
        }
        END {
            print "P1"; print W, H
            for (y = 0; y < H; y++) {
                line = ""
                for (x = 0; x < W; x++) line = line ((all || (y * W + x) in on) ? "1 " : "0 ")
                print line
            }
        }'
}

# shape_matches DIR NAME: the window's X shape covers exactly the pixels of the region its
# code last gave it. Keeps both pictures (and their difference) in DIR on a mismatch.
shape_matches() {
    local dir=$1 name=$2 size
    size=$(window_size "$WIN")
    "$PROBE" shape "$WIN" | rects_to_pbm $size >"$dir/$name.x-shape.pbm"
    rects_to_pbm $size <"$dir/region" >"$dir/$name.expected.pbm"
    if cmp -s "$dir/$name.x-shape.pbm" "$dir/$name.expected.pbm"; then
        rm -f "$dir/$name.x-shape.pbm" "$dir/$name.expected.pbm"
        return 0
    fi
    compare "$dir/$name.x-shape.pbm" "$dir/$name.expected.pbm" "$dir/$name.diff.png" 2>/dev/null
    return 1
}

# cursor_is FILE.png HOTX HOTY: the pointer shows exactly this picture with this hot spot.
cursor_is() {
    local got
    got=$("$PROBE" cursor "$WORK/cursor.pam") || return 1
    read -r w h hx hy <<<"$got"
    [ "$hx $hy" = "$2 $3" ] || return 1
    [ "$(compare -metric AE "$WORK/cursor.pam" "$1" null: 2>&1)" = "0" ]
}

# drag BUTTONS X Y DX DY: presses the buttons at (X, Y), moves by (DX, DY) in eight steps and
# releases them in reverse order.
drag() {
    local buttons=$1 x=$2 y=$3 dx=$4 dy=$5 b i
    xdotool mousemove "$x" "$y"
    sleep 0.1
    for b in $buttons; do xdotool mousedown "$b"; done
    sleep 0.1
    for i in $(seq 8); do
        xdotool mousemove $((x + dx * i / 8)) $((y + dy * i / 8))
        sleep 0.05
    done
    for b in $(echo "$buttons" | tr ' ' '\n' | tac); do xdotool mouseup "$b"; done
    sleep 0.2
}

click_at() {
    xdotool mousemove "$1" "$2"
    sleep 0.1
    xdotool click 1
    sleep 0.3
}

# The viewable top-level windows, one id per line.
viewable_windows() {
    local w
    for w in $(xwininfo -root -children | awk '/^ +0x[0-9a-f]+ / {print $1}'); do
        if window_viewable "$w"; then echo "$w"; fi
    done
}

# new_window_within MS BEFORE: prints "X Y W H" of the first viewable top-level window that
# is not among the ids in BEFORE (the output of viewable_windows), waiting up to MS
# milliseconds; fails when none appears. A tool tip is such a window, under Qt and Wine alike.
new_window_within() {
    local deadline=$(($(date +%s%3N) + $1)) w
    while [ "$(date +%s%3N)" -le "$deadline" ]; do
        for w in $(viewable_windows); do
            grep -qx "$w" <<<"$2" && continue
            echo "$(window_position "$w") $(window_size "$w")"
            return 0
        done
        sleep 0.05
    done
    return 1
}
