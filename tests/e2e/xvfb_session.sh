# Shared by the end-to-end tests: a private X server (and optionally a window manager) that
# is torn down when the test ends. Source it, then call start_x [openbox].

start_x() {
    local wm="${1:-}"
    local fd_file
    fd_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.05; done
    export DISPLAY=":$(cat "$fd_file")"
    rm -f "$fd_file"
    if [ "$wm" = openbox ]; then
        openbox >/dev/null 2>&1 &
        WM_PID=$!
        sleep 0.5
    fi
    trap stop_x EXIT
}

stop_x() {
    [ -n "${CARD_PID:-}" ] && kill "$CARD_PID" 2>/dev/null
    [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    return 0
}

# Prints the id of the first window with this exact name, waiting up to 10 s.
wait_for_window() {
    local name="$1" id
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.05
    done
    return 1
}
