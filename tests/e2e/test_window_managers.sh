#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The whole show under real window managers (openbox, xfwm4, icewm, fluxbox) and under none,
# side by side on displays of their own, with a user's window focused before the card starts.
# Read back from the X server throughout: the card window is wholly above the screen in the
# first second of its descent, the cherub is wholly above it when it is hidden at the end,
# the user's window keeps the keyboard focus, no window of the card is listed for taskbars
# and pagers, and the program ends by itself with status 0. Saves a screenshot of each
# desktop during the descent and once the closing panel has replaced the card.
#
# Usage: test_window_managers.sh PATH-TO-XMASCARD ARTIFACT-DIR
set -uo pipefail
card="$1"
here="$(cd "$(dirname "$0")" && pwd)"
PROBE="$(cd "$(dirname "$card")" && pwd)/x_probe"
ARTIFACTS="$2/window_managers"
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS"
source "$here/lib/x_session.sh"

# screenshot_when LOG PATTERN FILE DELAY: a screenshot DELAY seconds after PATTERN shows in LOG.
screenshot_when() {
    for _ in $(seq 1800); do
        grep -q "$2" "$1" 2>/dev/null && { sleep "$4"; import -window root "$3"; return; }
        sleep 0.05
    done
}

# show_under WM: the whole show on a display of its own; leaves watch.log and status in
# $ARTIFACTS/WM.
show_under() {
    local wm=$1 dir="$ARTIFACTS/$1" logo pid status=0
    mkdir -p "$dir"
    x_start || return 1
    trap x_stop EXIT
    [ "$wm" = none ] || wm_start "$wm" 2>"$dir/status" || return 1
    # The user's window; started again if it gives up at once on a loaded machine.
    for _ in 1 2 3; do
        xlogo -geometry 200x150+40+40 2>"$dir/xlogo.log" &
        X_PIDS+=($!)
        for _ in $(seq 200); do
            logo=$(xdotool search --onlyvisible --name '^xlogo$' 2>/dev/null | head -n 1)
            [ -n "$logo" ] && break 2
            sleep 0.05
        done
    done
    [ -n "$logo" ] || {
        echo "no user window on $DISPLAY: $(grep -v xlogo32 "$dir/xlogo.log" | head -n 2)" \
            >"$dir/status"
        return 1
    }
    for _ in $(seq 100); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$logo" ] && break
        xdotool windowfocus "$logo" 2>/dev/null
        sleep 0.05
    done
    printf '0x%x\n' "$logo" >"$dir/user-window"
    WINDIR="$dir" XMASCARD_AUDIO=none "$card" >"$dir/card.log" 2>&1 &
    pid=$!
    X_PIDS+=("$pid")
    "$PROBE" watch "$pid" >"$dir/watch.log" &
    local watcher=$!
    screenshot_when "$dir/watch.log" ' Merry_Christmas 1 ' "$ARTIFACTS/$wm-descent.png" 8 &
    local descent=$!
    screenshot_when "$dir/watch.log" ' Form4 1 ' "$ARTIFACTS/$wm-closing-panel.png" 0.5 &
    local panel=$!
    wait "$pid" || status=$?
    kill "$descent" "$panel" 2>/dev/null
    wait "$watcher" "$descent" "$panel" 2>/dev/null
    echo "$status" >"$dir/status"
}

wms=(none openbox xfwm4 icewm fluxbox)
for wm in "${wms[@]}"; do
    command -v "$wm" >/dev/null || [ "$wm" = none ] || { echo "SKIP: $wm is not installed"; exit 0; }
done
for wm in "${wms[@]}"; do
    (show_under "$wm") &
done
wait

python3 - "$ARTIFACTS" "${wms[@]}" <<'PY'
import sys

artifacts, wms = sys.argv[1], sys.argv[2:]
failed = 0

def check(wm, ok, what, detail=""):
    global failed
    print(f"{'ok  ' if ok else 'FAIL'} [{wm}] {what}" + (f": {detail}" if detail and not ok else ""))
    failed += not ok

for wm in wms:
    d = f"{artifacts}/{wm}"
    status = open(f"{d}/status").read().strip()
    try:
        user = open(f"{d}/user-window").read().strip()
    except FileNotFoundError:
        check(wm, False, "the desktop is set up", status)
        continue
    focus, listed, windows = [], [], {}
    for line in open(f"{d}/watch.log"):
        f = line.split()
        t = float(f[0])
        if f[1] == "focus":
            focus.append(f[2])
        elif f[1] == "listed":
            listed.append(f[2])
        elif f[1] == "window":
            name, mapped, x, y, w, h = f[3], int(f[4]), *map(int, f[5:9])
            windows.setdefault(name, []).append((t, mapped, x, y, w, h))

    card = windows.get("Merry_Christmas", [])
    shown = [s for s in card if s[1]]
    if not shown:
        check(wm, False, "the card window comes down", "never shown")
    else:
        t0 = shown[0][0]
        first = [s for s in card if t0 <= s[0] <= t0 + 1.0]
        above = all(y + h <= 0 for _, _, _, y, _, h in first)
        moved = any(s[3] > shown[0][3] for s in shown)
        check(wm, above and moved, "the card is wholly above the screen in its first second down",
              f"positions {[(s[3], s[3] + s[5]) for s in first]}")

    cherub = windows.get("Form1", [])
    hidden = [i for i in range(1, len(cherub)) if cherub[i - 1][1] and not cherub[i][1]]
    if not hidden:
        check(wm, False, "the cherub floats away", "never hidden")
    else:
        last = cherub[hidden[-1] - 1]
        check(wm, last[3] + last[5] <= 0, "the cherub is wholly above the screen when hidden",
              f"top {last[3]}, bottom {last[3] + last[5]}")

    check(wm, focus == [user], "the user's window keeps the focus", f"focus went {focus}")
    check(wm, not listed, "no window of the card is listed for taskbars", f"listed {listed}")
    check(wm, status == "0", "the show ends by itself with status 0", f"status {status}")

print(f"{len(wms) * 5 - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
PY
