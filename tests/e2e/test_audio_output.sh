#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The card's music through a real sound server: PulseAudio with a null sink, recorded from
# the sink's monitor. The music is heard from the start, at the level of the same mix
# rendered offline (27 s into the piece at -4 dB), on a stream that says what it is. Without
# a sound server the card plays on silently after one line on standard error. A frozen server
# (SIGSTOP) does not hold back the window, and once it answers again the music joins where
# the show stands. Ended by SIGTERM, the card fades its sound out without a click. A server
# frozen during the show holds up no end of the card: SIGTERM, a click on the plug and the
# show's own end each end it within 2 s. A server killed and started again is told in one
# line, and the music is heard again once it is back.
set -euo pipefail
card="$1"
artifacts="$2"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$artifacts"
command -v pulseaudio >/dev/null && command -v parec >/dev/null ||
    { echo "SKIP: pulseaudio is not installed"; exit 0; }
source "$here/lib/x_session.sh"
work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
x_start
trap x_stop EXIT

# Without a server: one line, and the card still shows.
WINDIR="$work" "$card" >"$work/silent.log" 2>&1 &
CARD_PID=$!
X_PIDS+=("$CARD_PID")
wait_for_window "Merry Christmas and Happy New Year" >/dev/null ||
    { echo "FAIL: no window without a sound server: $(cat "$work/silent.log")"; exit 1; }
sleep 1
kill "$CARD_PID"; wait "$CARD_PID" 2>/dev/null || true; CARD_PID=
lines=$(grep -c -i "audio" "$work/silent.log" || true)
[ "$lines" -eq 1 ] || { echo "FAIL: without a server the card said:"; cat "$work/silent.log"; exit 1; }
echo "ok: without a sound server: $(grep -i audio "$work/silent.log")"

# With a server.
pulseaudio -n --daemonize=yes --exit-idle-time=-1 --disallow-exit --use-pid-file=yes \
    --load="module-null-sink sink_name=card" --load=module-native-protocol-unix \
    >"$work/pulse.log" 2>&1 || { echo "SKIP: pulseaudio does not start here"; cat "$work/pulse.log"; exit 0; }
trap 'x_stop; pulseaudio --kill 2>/dev/null || true' EXIT
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
parec -d card.monitor --file-format=wav --rate=44100 --channels=2 "$work/heard.wav" &
REC_PID=$!
sleep 0.5
WINDIR="$work" "$card" >"$work/card.log" 2>&1 &
CARD_PID=$!
X_PIDS+=("$CARD_PID")
sleep 9
pactl list sink-inputs >"$work/inputs.txt" 2>&1 || true
status=0
kill -TERM "$CARD_PID"; wait "$CARD_PID" 2>/dev/null || status=$?; CARD_PID=
sleep 0.5
kill "$REC_PID"; wait "$REC_PID" 2>/dev/null || true
cp "$work/heard.wav" "$artifacts/heard.wav"
[ "$status" -eq 143 ] || { echo "FAIL: after SIGTERM the card ended with status $status"; exit 1; }

# Ended by a signal, the music fades out over a few milliseconds instead of breaking off
# with a click: the last millisecond before the silence is far quieter than the music.
python3 - "$work/heard.wav" <<'PY'
import array, sys
data = open(sys.argv[1], "rb").read()
samples = array.array("h")
body = data[data.find(b"data") + 8:]
samples.frombytes(body[: len(body) // 4 * 4])
left, right = samples[0::2], samples[1::2]
last = max(i for i in range(len(left)) if left[i] or right[i])
peak = lambda a, b: max(max(abs(x) for x in left[a:b]), max(abs(x) for x in right[a:b]))
music, tail = peak(last - 4410, last - 441), peak(last - 44, last + 1)
if music < 300:
    sys.exit(f"FAIL: too little music before the end to judge its fade (peak {music})")
if tail * 4 > music:
    sys.exit(f"FAIL: the sound breaks off: peak {tail} in its last millisecond, {music} before")
print(f"ok: on SIGTERM (status 143) the music fades out: peak {music} before, {tail} at the end")
PY

# Volume mixers file the stream as music and show it under the card's name and icon.
for property in 'media.role = "music"' 'application.name = "Christmas Card"' \
                'application.icon_name = "xmascard"' 'application.id = "org.example.xmascard"'; do
    grep -qF "$property" "$work/inputs.txt" ||
        { echo "FAIL: the sound stream lacks $property"; cat "$work/inputs.txt"; exit 1; }
done
echo "ok: the sound stream says it is music, with the card's name and icon"

# The same mix rendered offline: the first seconds of the recorded show.
"$card" --record "$work/offline" --fps 1 >/dev/null 2>&1
rms() { sox "$1" -n trim "$2" "$3" stat 2>&1 | awk '/RMS +amplitude/ {print $3}'; }
# The server may take a moment to start the stream; compare 5 s from 2.5 s on.
heard=$(rms "$work/heard.wav" 2.5 5)
made=$(rms "$work/offline/soundtrack.wav" 2.0 5)
python3 - "$heard" "$made" <<'PY'
import math, sys
heard, made = float(sys.argv[1]), float(sys.argv[2])
if heard < 0.005:
    sys.exit(f"FAIL: the music is not heard (RMS {heard})")
diff = 20 * math.log10(heard / made)
if abs(diff) > 2:
    sys.exit(f"FAIL: heard RMS {heard:.4f}, offline {made:.4f}: {diff:+.1f} dB")
print(f"ok: music heard at RMS {heard:.4f}; the offline mix has {made:.4f} ({diff:+.2f} dB)")
PY

# A frozen server: the window shows while it is stopped, and the music joins once it answers.
server=$(cat "$XDG_RUNTIME_DIR/pulse/pid")
parec -d card.monitor --file-format=wav --rate=44100 --channels=2 "$work/joined.wav" &
REC_PID=$!
sleep 0.5
kill -STOP "$server"
WINDIR="$work" "$card" >"$work/frozen.log" 2>&1 &
CARD_PID=$!
X_PIDS+=("$CARD_PID")
wait_for_window "Merry Christmas and Happy New Year" >/dev/null ||
    { kill -CONT "$server"; echo "FAIL: a frozen sound server held back the window"; cat "$work/frozen.log"; exit 1; }
echo "ok: the window shows while the sound server is frozen"
sleep 5
kill -CONT "$server"
sleep 8
kill "$CARD_PID"; wait "$CARD_PID" 2>/dev/null || true; CARD_PID=
kill "$REC_PID"; wait "$REC_PID" 2>/dev/null || true
cp "$work/joined.wav" "$artifacts/joined.wav"
[ "$(grep -c . "$work/frozen.log" | tr -d ' ')" -le 1 ] ||
    { echo "FAIL: the card said:"; cat "$work/frozen.log"; exit 1; }
# What was heard last, once the server answered again, is the music at the level of the
# offline mix. (Where in the piece it stands is checked by the engine's unit tests: the
# piece repeats itself too much to tell its place from a recording of the room.)
length=$(soxi -D "$work/joined.wav")
joined=$(rms "$work/joined.wav" "$(python3 -c "print(max(0, $length - 5))")" 4)
python3 - "$joined" "$made" <<'PY'
import math, sys
heard, made = float(sys.argv[1]), float(sys.argv[2])
if heard < 0.005:
    sys.exit(f"FAIL: no music once the frozen server answered again (RMS {heard})")
print(f"ok: once the frozen server answers, the music is heard at RMS {heard:.4f}")
PY
# A server frozen during the show. Three cards play on it: one is ended by SIGTERM, one by
# its plug (on a screen of its own, where nothing covers the plug), one at the show's end,
# which a silent card started with it tells. Meanwhile a card on a second server hears that
# server killed and started again.
first_display=$DISPLAY
x_start
plug_display=$DISPLAY
export DISPLAY=$first_display
ends_within() {  # ends_within PID SECONDS
    timeout "$2" tail --pid="$1" -f /dev/null
}
WINDIR="$work" "$card" >"$work/natural.log" 2>&1 &
NATURAL_PID=$!
WINDIR="$work" XMASCARD_AUDIO=none "$card" >"$work/reference.log" 2>&1 &
REFERENCE_PID=$!
WINDIR="$work" "$card" >"$work/term.log" 2>&1 &
TERM_PID=$!
DISPLAY=$plug_display WINDIR="$work" "$card" >"$work/plug.log" 2>&1 &
PLUG_PID=$!
X_PIDS+=("$NATURAL_PID" "$REFERENCE_PID" "$TERM_PID" "$PLUG_PID")
# The second server, with a runtime directory of its own.
second="$work/runtime2"
mkdir -p "$second"
chmod 700 "$second"
start_second() {
    XDG_RUNTIME_DIR=$second pulseaudio -n --daemonize=yes --exit-idle-time=-1 --disallow-exit \
        --use-pid-file=yes --load="module-null-sink sink_name=card" \
        --load=module-native-protocol-unix >>"$work/pulse2.log" 2>&1
    for _ in $(seq 50); do XDG_RUNTIME_DIR=$second pactl info >/dev/null 2>&1 && break; sleep 0.1; done
}
start_second
trap 'x_stop; pulseaudio --kill 2>/dev/null || true; XDG_RUNTIME_DIR=$second pulseaudio --kill 2>/dev/null || true' EXIT
XDG_RUNTIME_DIR=$second WINDIR="$work" "$card" >"$work/restart.log" 2>&1 &
RESTART_PID=$!
X_PIDS+=("$RESTART_PID")
plug_tree=$(DISPLAY=$plug_display wait_for_window "Merry Christmas and Happy New Year") ||
    { echo "FAIL: no window on the second screen"; exit 1; }
for _ in $(seq 100); do
    [ "$(pactl list short sink-inputs | wc -l)" -ge 3 ] &&
        [ "$(XDG_RUNTIME_DIR=$second pactl list short sink-inputs | wc -l)" -ge 1 ] && break
    sleep 0.1
done
sleep 3
kill -STOP "$server"
kill -KILL "$(cat "$second/pulse/pid")"
sleep 1
kill -TERM "$TERM_PID"
ends_within "$TERM_PID" 2 || { kill -CONT "$server"; echo "FAIL: SIGTERM beside a frozen server did not end the card within 2 s"; exit 1; }
echo "ok: beside a frozen sound server SIGTERM ends the card within 2 s"
read -r px py < <(DISPLAY=$plug_display window_position "$plug_tree")
DISPLAY=$plug_display xdotool mousemove $((px + 169)) $((py + 384)) click 1
ends_within "$PLUG_PID" 2 || { kill -CONT "$server"; echo "FAIL: the plug beside a frozen server did not end the card within 2 s"; exit 1; }
echo "ok: beside a frozen sound server the plug ends the card within 2 s"
start_second
XDG_RUNTIME_DIR=$second parec -d card.monitor --file-format=wav --rate=44100 --channels=2 \
    "$work/restarted.wav" &
REC_PID=$!
sleep 6
kill "$REC_PID"; wait "$REC_PID" 2>/dev/null || true
kill "$RESTART_PID"; wait "$RESTART_PID" 2>/dev/null || true
cp "$work/restarted.wav" "$artifacts/restarted.wav"
grep -q "^xmascard: audio output lost: the sound server went away" "$work/restart.log" &&
    [ "$(grep -c . "$work/restart.log")" -eq 1 ] ||
    { echo "FAIL: a killed sound server was not told in one line:"; cat "$work/restart.log"; exit 1; }
again=$(rms "$work/restarted.wav" 1 4)
python3 - "$again" <<'PY' || exit 1
import sys
heard = float(sys.argv[1])
if heard < 0.005:
    sys.exit(f"FAIL: no music once the killed server was started again (RMS {heard})")
print(f"ok: a killed sound server is told in one line; started again, it plays the music (RMS {heard:.4f})")
PY
# The show ends by itself while the server is still frozen, as the silent card's does.
wait "$REFERENCE_PID" || { echo "FAIL: the silent card ended with status $?"; exit 1; }
ends_within "$NATURAL_PID" 2 ||
    { kill -CONT "$server"; echo "FAIL: beside a frozen server the show did not end within 2 s of its end"; exit 1; }
status=0
wait "$NATURAL_PID" || status=$?
kill -CONT "$server"
[ "$status" -eq 0 ] || { echo "FAIL: the show beside a frozen server ended with status $status"; exit 1; }
echo "ok: beside a frozen sound server the show ends by itself within 2 s of its end"
echo "1 passed, 0 failed"
