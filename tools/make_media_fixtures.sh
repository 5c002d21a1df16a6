#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Rebuilds the small MP3 fixtures of the media engine's tests with sox and lame
# (Debian packages sox and lame). The fixtures are checked in; run this only to
# change them.
#   sine_2700ms.mp3  1 kHz sine at half full scale, 44.1 kHz mono, exactly 2.7 s
#                    (LAME tag: decoders that honour it trim encoder delay and padding)
#   sine_22050.mp3   440 Hz, 22.05 kHz mono, 0.5 s (the engine converts the rate)
#   sine_48000.mp3   440 Hz, 48 kHz stereo, 0.5 s (the engine converts the rate)
set -euo pipefail
out="$(cd "$(dirname "$0")/.." && pwd)/tests/platform/media/fixtures"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"

sox -n -r 44100 -c 1 -b 16 "$tmp/a.wav" synth 2.7 sine 1000 vol 0.5
lame --quiet --abr 32 -m m --resample 44.1 "$tmp/a.wav" "$out/sine_2700ms.mp3"

sox -n -r 22050 -c 1 -b 16 "$tmp/b.wav" synth 0.5 sine 440 vol 0.5
lame --quiet --abr 32 -m m --resample 22.05 "$tmp/b.wav" "$out/sine_22050.mp3"

sox -n -r 48000 -c 2 -b 16 "$tmp/c.wav" synth 0.5 sine 440 vol 0.5
lame --quiet --abr 64 -m j --resample 48 "$tmp/c.wav" "$out/sine_48000.mp3"

ls -l "$out"/*.mp3
