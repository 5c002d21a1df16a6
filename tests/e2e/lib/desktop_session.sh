# SPDX-License-Identifier: MIT
# Wayland desktops for the end-to-end scripts: GNOME Shell, KWin, sway or Weston run
# headless at 1280 x 800 with XWayland, and take screenshots of themselves.
#
# Run as root inside namespaces of its own (desktop_namespaces), so that the compositor's X
# display, its sockets and every process it starts stay private and end with the namespace.
# Source it, then call desktop_start NAME DIR; desktop_shot FILE photographs the screen,
# desktop_stop ends the compositor.

DESKTOP_PID=""
DESKTOP_NAME=""
DESKTOP_LOG=""
DESKTOP_RUNTIME=""

# desktop_namespaces COMMAND...: runs COMMAND as root in new mount, network and PID
# namespaces, with a private /tmp/.X11-unix (X sockets; the network namespace keeps the
# abstract ones apart), a home of its own (the settings the desktops write, and those the
# session bus's dconf service keeps, stay there) and a D-Bus session bus of its own.
desktop_namespaces() {
    unshare --mount --net --pid --fork --mount-proc bash -c '
        mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix || exit 1
        HOME=$(mktemp -d) || exit 1
        export HOME XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
        dbus-run-session -- "$@"
        status=$?
        rm -rf "$HOME"
        exit $status' desktop "$@"
}

# The X display the compositor's XWayland listens on: the lowest socket in the private
# socket directory.
desktop_display() {
    local n
    n=$(ls /tmp/.X11-unix 2>/dev/null | sed -n 's/^X\([0-9]*\)$/\1/p' | sort -n | head -n 1)
    [ -n "$n" ] && echo ":$n"
}

desktop_as_nobody() {
    setpriv --reuid=nobody --regid=nogroup --clear-groups env -i PATH=/usr/bin:/bin \
        XDG_RUNTIME_DIR="$DESKTOP_RUNTIME" HOME="$DESKTOP_RUNTIME" WAYLAND_DISPLAY=wayland-1 \
        DISPLAY="${DISPLAY:-}" "$@"
}

# GNOME Shell wants a system bus (a private one: /run/systemd hidden, so that it does not
# look for logind) and shows the Overview at start. Run by root it shows a notification
# that stays until someone touches the pointer: banners are turned off before it starts.
desktop_launch_gnome() {
    gsettings set org.gnome.desktop.notifications show-banners false
    mountpoint -q /run/systemd 2>/dev/null || mount -t tmpfs tmpfs /run/systemd 2>/dev/null
    mkdir -p "$DESKTOP_RUNTIME/system-bus"
    dbus-daemon --system --fork --nopidfile \
        --address="unix:path=$DESKTOP_RUNTIME/system-bus/socket" >/dev/null 2>&1
    export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$DESKTOP_RUNTIME/system-bus/socket"
    XDG_RUNTIME_DIR=$DESKTOP_RUNTIME gnome-shell --wayland --headless \
        --virtual-monitor 1280x800 --wayland-display=wayland-1 >"$DESKTOP_LOG" 2>&1 &
    DESKTOP_PID=$!
}

# The installed kwin_wayland carries a file capability that a container refuses: a copy
# runs without it. KWin alone draws a black desktop; a window of the desktop's type, in a
# colour, stands in for the wallpaper.
desktop_launch_kwin() {
    cp /usr/bin/kwin_wayland "$DESKTOP_RUNTIME/kwin_wayland"
    XDG_RUNTIME_DIR=$DESKTOP_RUNTIME "$DESKTOP_RUNTIME/kwin_wayland" \
        --virtual --xwayland --width 1280 --height 800 --socket wayland-1 \
        >"$DESKTOP_LOG" 2>&1 &
    DESKTOP_PID=$!
}

# sway refuses to run as root.
desktop_launch_sway() {
    chown nobody:nogroup "$DESKTOP_RUNTIME"
    printf '%s\n' 'output HEADLESS-1 resolution 1280x800 position 0 0 bg #3a6ea5 solid_color' \
        'xwayland force' >"$DESKTOP_RUNTIME/config"
    desktop_as_nobody WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        sway -c "$DESKTOP_RUNTIME/config" >"$DESKTOP_LOG" 2>&1 &
    DESKTOP_PID=$!
}

# Weston draws a patterned wallpaper; a picture it cannot load leaves its plain colour. Its
# screenshooter answers only with --debug.
desktop_launch_weston() {
    printf '%s\n' '[shell]' 'background-image=none' 'background-color=0xff3a6ea5' \
        'panel-position=none' >"$DESKTOP_RUNTIME/weston.ini"
    XDG_RUNTIME_DIR=$DESKTOP_RUNTIME weston --backend=headless-backend.so \
        --width=1280 --height=800 --use-pixman --xwayland --debug --socket=wayland-1 \
        --config="$DESKTOP_RUNTIME/weston.ini" >"$DESKTOP_LOG" 2>&1 &
    DESKTOP_PID=$!
}

# Waits until the compositor's X display answers the card's user; sets DISPLAY (and
# XAUTHORITY where the display wants one).
desktop_wait_for_x() {
    local display
    for _ in $(seq 300); do
        kill -0 "$DESKTOP_PID" 2>/dev/null || return 1
        display=$(desktop_display)
        if [ -n "$display" ]; then
            export DISPLAY=$display
            case $DESKTOP_NAME in
                gnome) XAUTHORITY=$(ls "$DESKTOP_RUNTIME"/.mutter-Xwaylandauth.* 2>/dev/null |
                                    head -n 1)
                       [ -n "$XAUTHORITY" ] && export XAUTHORITY ;;
                sway) desktop_as_nobody xhost +si:localuser:root >/dev/null 2>&1 ;;
            esac
            timeout 5 xdpyinfo >/dev/null 2>&1 && return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits until the compositor can take a screenshot, and leaves the desktop bare.
desktop_settle() {
    local probe="$DESKTOP_RUNTIME/probe.png"
    case $DESKTOP_NAME in
        gnome)
            for _ in $(seq 100); do
                gdbus call --session --timeout 5 --dest org.gnome.Shell --object-path /org/gnome/Shell \
                    --method org.freedesktop.DBus.Properties.Set org.gnome.Shell \
                    OverviewActive '<false>' >/dev/null 2>&1 && break
                sleep 0.1
            done ;;
        kwin)
            "$PROBE" backdrop 3a6ea5 >>"$DESKTOP_LOG" 2>&1 &
            sleep 1 ;;
    esac
    for _ in $(seq 30); do
        desktop_shot "$probe" && [ -s "$probe" ] && { rm -f "$probe"; return 0; }
        sleep 0.5
    done
    return 1
}

# desktop_start NAME DIR: starts GNOME Shell (gnome), KWin (kwin), sway or weston, logging
# to DIR/NAME.log, and waits until its X display answers and it takes screenshots. A
# compositor that does not come up is started again, up to three times.
desktop_start() {
    DESKTOP_NAME=$1
    DESKTOP_LOG="$2/$1.log"
    local attempt
    for attempt in 1 2 3; do
        DESKTOP_RUNTIME=$(mktemp -d)
        chmod 700 "$DESKTOP_RUNTIME"
        export XDG_RUNTIME_DIR=$DESKTOP_RUNTIME WAYLAND_DISPLAY=wayland-1
        "desktop_launch_$DESKTOP_NAME"
        if desktop_wait_for_x && desktop_settle; then return 0; fi
        echo "attempt $attempt: $DESKTOP_NAME did not come up" >>"$DESKTOP_LOG"
        cp "$DESKTOP_LOG" "$DESKTOP_LOG.$attempt" 2>/dev/null
        desktop_stop
    done
    echo "$DESKTOP_NAME did not start: $(tail -n 3 "$DESKTOP_LOG.3" 2>/dev/null)" >&2
    return 1
}

# desktop_shot FILE: a PNG of the whole screen, taken by the compositor. A compositor that
# is still coming up can take a request and never answer it: each try is bounded.
desktop_shot() {
    case $DESKTOP_NAME in
        gnome) timeout 15 gnome-screenshot -f "$1" >/dev/null 2>&1 ;;
        kwin) QT_QPA_PLATFORM=wayland timeout 15 spectacle -b -n -f -o "$1" >/dev/null 2>&1 ;;
        sway) desktop_as_nobody timeout 15 grim - >"$1" 2>/dev/null ;;
        # weston-screenshooter writes a file of its own naming into the current directory.
        weston) rm -rf "$DESKTOP_RUNTIME/shot" && mkdir "$DESKTOP_RUNTIME/shot" &&
                (cd "$DESKTOP_RUNTIME/shot" && timeout 15 weston-screenshooter >/dev/null 2>&1) &&
                mv "$DESKTOP_RUNTIME"/shot/*.png "$1" ;;
    esac
}

# Ends the compositor and what it started; the X server's lock file, named by a process id
# of this namespace, is removed with it.
desktop_stop() {
    if [ -n "$DESKTOP_PID" ]; then
        kill "$DESKTOP_PID" 2>/dev/null
        for _ in $(seq 40); do kill -0 "$DESKTOP_PID" 2>/dev/null || break; sleep 0.05; done
        kill -KILL "$DESKTOP_PID" 2>/dev/null
        wait "$DESKTOP_PID" 2>/dev/null
    fi
    DESKTOP_PID=""
    for socket in /tmp/.X11-unix/X*; do
        [ -e "$socket" ] || continue
        rm -f "/tmp/.${socket#/tmp/.X11-unix/}-lock" "$socket"
    done
    [ -n "$DESKTOP_RUNTIME" ] && rm -rf "$DESKTOP_RUNTIME"
    DESKTOP_RUNTIME=""
}
