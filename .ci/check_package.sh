#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Debian package as a user gets it: built from a configured and built tree, checked by
# lintian, installed on this machine with apt-get, the installed card run (--version, then a
# short show on Xvfb that the plug ends with status 0, a short video), and removed again. Runs as root.
# Usage: .ci/check_package.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build="$1"

rm -f "$build"/xmascard_*.deb
cmake --build "$build" --target package
debs=("$build"/xmascard_*.deb)
deb="$(realpath "${debs[0]}")"
echo "package: $deb"
dpkg-deb --field "$deb" Package Version Depends
lintian --fail-on error "$deb"

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$deb" >/dev/null
source tests/e2e/lib/x_session.sh
work=$(mktemp -d)
trap 'x_stop; apt-get purge -y -qq xmascard >/dev/null; rm -rf "$work"' EXIT

card=/usr/games/xmascard
[ -x "$card" ] || { echo "FAIL: the package did not install $card"; exit 1; }
version=$("$card" --version | head -n 1)
[ "$version" = "xmascard 1.00" ] || { echo "FAIL: the installed card says '$version'"; exit 1; }

# A short show: the tree window maps, and a click on the plug ends the card with status 0.
x_start
WINDIR="$work" XMASCARD_AUDIO=none "$card" >"$work/card.log" 2>&1 &
pid=$!
X_PIDS+=("$pid")
tree=$(wait_for_window "Merry Christmas and Happy New Year") ||
    { echo "FAIL: the installed card showed no tree window"; cat "$work/card.log"; exit 1; }
xdotool mousemove --window "$tree" 169 384 click 1
timeout 10 tail --pid="$pid" -f /dev/null || { echo "FAIL: the plug did not end the card"; exit 1; }
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: the plug ended the card with status $status"; exit 1; }
# A short video through the encoder module, found where the package put it, with the FFmpeg
# libraries its dependencies brought.
dpkg-deb --field "$deb" Depends | grep -q libavcodec ||
    { echo "FAIL: the package does not depend on FFmpeg's libraries for its video module"; exit 1; }
"$card" --record "$work/card.mp4" --fps 2 --screen 320x240 --silent >"$work/video.log" 2>&1 &&
    [ -s "$work/card.mp4" ] ||
    { echo "FAIL: the installed card recorded no video"; cat "$work/video.log"; exit 1; }
echo "ok: the package passes lintian, installs, runs from $card and ends by the plug"
