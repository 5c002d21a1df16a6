#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a Windows program under Wine, as CTest's cross-compiling emulator does: in a Wine
# prefix of the build's own (WINEPREFIX, default ~/.cache/xmascard/wine), made once with
# wineboot and shared by every later run, without Wine's debug chatter and without the
# Mono and Gecko installers (which would ask through a window).
#
# Usage: wine_run.sh PROGRAM.exe [ARGS...]
set -euo pipefail
export WINEPREFIX="${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/xmascard/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine=$(command -v wine64 || command -v wine)
mkdir -p "$(dirname "$WINEPREFIX")"
# XMASCARD_WINE_GRAPHICS=null gives the prefix Wine's display driver without a display:
# windows are made and kept as on a screen, but nothing is shown (the headless tests).
graphics="${XMASCARD_WINE_GRAPHICS:-}"
# Tests run side by side: the first one makes the prefix, the others wait for it.
(
    flock 9
    if [ ! -f "$WINEPREFIX/.xmascard-ready" ]; then
        DISPLAY= wineboot --init >/dev/null 2>&1 || true
        wineserver -w
        touch "$WINEPREFIX/.xmascard-ready"
    fi
    if [ -n "$graphics" ] && [ "$(cat "$WINEPREFIX/.xmascard-graphics" 2>/dev/null)" != "$graphics" ]; then
        "$(command -v wine64 || command -v wine)" reg add 'HKCU\Software\Wine\Drivers' /v Graphics \
            /d "$graphics" /f >/dev/null 2>&1
        wineserver -w
        echo "$graphics" >"$WINEPREFIX/.xmascard-graphics"
    fi
) 9>"$WINEPREFIX.lock"
exec "$wine" "$@"
