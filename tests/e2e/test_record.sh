#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# --record plays the whole show without a display into frames of the screen and a
# soundtrack, and the soundtrack carries the bells where the show rings them (from about
# 24 s to about 35 s, over the lowered music).
set -euo pipefail
card="$1"
artifacts="$2"
mkdir -p "$artifacts"
work=$(mktemp -d)
env -u DISPLAY XMASCARD_AUDIO=none "$card" --record "$work" --fps 2 --screen 800x600 >"$work/log" 2>&1 ||
    { echo "FAIL: the recording failed"; cat "$work/log"; exit 1; }
frames=$(ls "$work"/frame-*.png | wc -l)
[ "$frames" -ge 140 ] && [ "$frames" -le 200 ] || { echo "FAIL: $frames frames"; exit 1; }
size=$(identify -format '%wx%h' "$work/frame-00020.png")
[ "$size" = 800x600 ] || { echo "FAIL: frames are $size"; exit 1; }
cp "$work/frame-00020.png" "$artifacts/recorded-frame-10s.png"
rms() { sox "$work/soundtrack.wav" -n trim "$1" "$2" stat 2>&1 | awk '/RMS +amplitude/ {print $3}'; }
before=$(rms 20.5 3) bells=$(rms 25 9) after=$(rms 36 3)
python3 - "$before" "$bells" "$after" <<'PY'
import sys
before, bells, after = map(float, sys.argv[1:])
if not (bells > 2 * before and bells > 2 * after and before > 0.005):
    sys.exit(f"FAIL: RMS before {before}, with the bells {bells}, after {after}")
print(f"ok: {before:.3f} before the bells, {bells:.3f} with them, {after:.3f} after")
PY
echo "ok: $frames frames of 800x600 and the soundtrack"
echo "1 passed, 0 failed"
