#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The whole show on Wayland desktops, through XWayland: GNOME Shell, KWin, sway and Weston, each
# headless at 1280 x 800 in namespaces of its own, side by side. Each compositor photographs
# its screen when the tree has been up for 3 s, twice while the card comes down onto the
# screen, once the card has stopped, and twice after the tree window is hidden; the watch of
# the card's windows says where each window was meanwhile, and the outlines they showed
# (their X shapes) are read while each shot is taken. check_desktop_shots.py then checks that the tree is centred
# and cut to its outline, that nothing but the desktop shows outside the windows' outlines
# (no trail of the card or the cherub, nothing left in the tree's box, nothing stale inside
# a window's box), and that the show ends by itself with status 0. The screenshots, the watch
# and the logs stay in ARTIFACT-DIR/wayland_desktops/NAME.
#
# Usage: [WAYLAND_DESKTOPS="gnome kwin sway weston"] test_wayland_desktops.sh PATH-TO-XMASCARD
#        ARTIFACT-DIR
set -uo pipefail
card="$1"
here="$(cd "$(dirname "$0")" && pwd)"
PROBE="$(cd "$(dirname "$card")" && pwd)/x_probe"
ARTIFACTS="$2/wayland_desktops"
# WAYLAND_DESKTOPS="kwin sway" tries only those.
read -r -a desktops <<<"${WAYLAND_DESKTOPS:-gnome kwin sway weston}"

# shoot_when DIR PATTERN NAME@SECONDS...: once PATTERN shows in DIR/watch.log, screenshots
# DIR/NAME.png that many seconds after it, one after the other; each shot's begin and end
# (real-time seconds) go to DIR/shots.
shoot_when() {
    local dir=$1 pattern=$2 at shot begin
    shift 2
    for _ in $(seq 2400); do
        grep -q -- "$pattern" "$dir/watch.log" 2>/dev/null && break
        kill -0 "$CARD_PID" 2>/dev/null || return 1
        sleep 0.05
    done
    at=$EPOCHREALTIME
    for shot in "$@"; do
        sleep "$(python3 -c "import time; print(max(0, $at + ${shot#*@} - time.time()))")"
        # The outlines are read from a little before the shot until a little after it,
        # as long as a compositor's picture may lag behind.
        "$PROBE" outlines "$CARD_PID" >"$dir/${shot%@*}.outlines" &
        sleep 0.5
        begin=$EPOCHREALTIME
        desktop_shot "$dir/${shot%@*}.png"
        echo "${shot%@*} $begin $EPOCHREALTIME" >>"$dir/shots"
        sleep 0.3
        kill $!
        wait $! 2>/dev/null
    done
}

# show_under NAME: the whole show on that desktop (run inside desktop_namespaces).
show_under() {
    local name=$1 dir="$ARTIFACTS/$1" pid status=0
    source "$here/lib/desktop_session.sh"
    trap desktop_stop EXIT
    desktop_start "$name" "$dir" 2>"$dir/status" || return 1
    desktop_shot "$dir/desktop.png"
    mkdir -p "$dir/sounds"
    WINDIR="$dir/sounds" XMASCARD_AUDIO=none "$card" >"$dir/card.log" 2>&1 &
    pid=$!
    CARD_PID=$pid
    "$PROBE" watch "$pid" >"$dir/watch.log" &
    local watcher=$!
    # The card shows above the screen 35 s in and comes onto it 9 s later; it stops 15 s
    # after that, and the tree window is hidden 60 s in.
    (
        shoot_when "$dir" ' Merry_Christmas_and_Happy_New_Year 1 ' tree@3
        shoot_when "$dir" ' Merry_Christmas 1 ' descent-1@9.5 descent-2@11.5 stopped@23
        shoot_when "$dir" ' Merry_Christmas_and_Happy_New_Year 0 ' after-tree-1@3 after-tree-2@9
    ) &
    local shots=$!
    wait "$pid" || status=$?
    wait "$shots" "$watcher" 2>/dev/null
    echo "$status" >"$dir/status"
}

if [ "${3:-}" = --under ]; then
    show_under "$4"
    exit
fi

for name in "${desktops[@]}"; do
    case $name in
        gnome) tools="gnome-shell gnome-screenshot" ;;
        kwin) tools="kwin_wayland spectacle" ;;
        sway) tools="sway grim xhost" ;;
        weston) tools="weston weston-screenshooter" ;;
    esac
    for tool in $tools Xwayland unshare dbus-run-session; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 0; }
    done
done
[ "$(id -u)" -eq 0 ] || { echo "SKIP: the Wayland desktops run as root, in namespaces"; exit 0; }

rm -rf "$ARTIFACTS"
for name in "${desktops[@]}"; do
    mkdir -p "$ARTIFACTS/$name"
    source "$here/lib/desktop_session.sh"
    desktop_namespaces bash "$0" "$card" "$2" --under "$name" \
        >"$ARTIFACTS/$name/run.log" 2>&1 &
done
wait
/usr/bin/python3 "$here/check_desktop_shots.py" "$ARTIFACTS" "${desktops[@]}"
