#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# --record FILE writes the whole show into one finished video with its sound: MP4 (H.264 and
# AAC), WebM (VP9 and Opus) and Matroska (H.264 and FLAC), each stream as long as the show,
# the frames those of --record DIR at the same moments and the sound its soundtrack.wav
# (compare_video.py). A failure says so in one line and leaves no file behind; a terminal
# sees a progress bar with the time left.
# At 25 fps like the real thing, on a small screen so that it stays quick; the full size is
# measured by bench/record_video.sh.
set -uo pipefail
card="$1"
artifacts="$2"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$artifacts"
work=$(mktemp -d -t xmascard-record-video.XXXXXX)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime" XMASCARD_AUDIO=none
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY
fps=25 width=320 height=240
passed=0 failed=0
ok() { echo "ok: $*"; passed=$((passed + 1)); }
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
record() { "$card" --record "$1" --fps "$fps" --screen "${width}x${height}"; }
# Names in $work other than the given ones, hidden ones included.
strays() {
    local keep=(-e runtime) name
    for name in "$@"; do keep+=(-e "$name"); done
    ls -A "$work" | grep -vxF "${keep[@]}"
}

record "$work/frames" >"$work/frames.log" 2>&1 || { cat "$work/frames.log"; exit 1; }
show=$(soxi -D "$work/frames/soundtrack.wav")
for kind in "mp4 h264 aac" "webm vp9 opus" "mkv h264 flac"; do
    read -r ext vcodec acodec <<<"$kind"
    if ! record "$work/show.$ext" >"$work/$ext.out" 2>"$work/$ext.err"; then
        fail "--record show.$ext: $(cat "$work/$ext.err")"
        continue
    fi
    [ -s "$work/$ext.err" ] && fail "show.$ext: said on stderr: $(head -3 "$work/$ext.err")"
    grep -q "recorded .* into $work/show.$ext" "$work/$ext.out" || fail "show.$ext: $(cat "$work/$ext.out")"
    if /usr/bin/python3 "$here/compare_video.py" "$work/show.$ext" "$work/frames" "$fps" \
        "$vcodec" "$acodec" "$width" "$height" "$show" >"$work/$ext.cmp" 2>&1; then
        ok "show.$ext: $(tr '\n' ';' <"$work/$ext.cmp")"
    else
        fail "show.$ext: $(tr '\n' ';' <"$work/$ext.cmp")"
    fi
done
ffmpeg -v error -y -ss 40 -i "$work/show.mp4" -frames:v 1 "$artifacts/recorded-video-40s.png" || true
stray=$(strays frames frames.log show.mp4 show.webm show.mkv | grep -v '\.\(out\|err\|cmp\)$')
[ -z "$stray" ] && ok "no temporary file is left beside the videos" || fail "left behind: $stray"
rm -rf "$work"/show.* "$work"/frames "$work"/*.out "$work"/*.err "$work"/*.cmp "$work"/frames.log

# Each failure: its status, one line on stderr that says what, and nothing left in $work.
expect_failure() {
    local name="$1" status="$2" pattern="$3" target="$4" out code
    out=$(record "$target" 2>&1 >/dev/null)
    code=$?
    if [ "$code" -ne "$status" ] || [ "$(wc -l <<<"$out")" -ne 1 ] || ! grep -q "^xmascard: .*$pattern" <<<"$out"; then
        fail "$name: status $code, said: $out"
    elif [ -n "$(strays plain)" ]; then
        fail "$name: left $(strays plain | tr '\n' ' ')"
    else
        ok "$name: status $code, $out"
    fi
}
expect_failure "a directory that does not exist" 1 "cannot create" "$work/missing/card.mp4"
expect_failure "a video format not written here" 2 "should end in .mp4, .webm or .mkv" "$work/card.avi"
touch "$work/plain"
expect_failure "a file where the directory should be" 1 "Not a directory" "$work/plain/card.webm"
rm -f "$work/plain"

# The encoder is a module of its own: the program links none of FFmpeg's libraries, and a
# copy of it without the module beside it still records frames, while a video asked of it
# fails in one line that names the module, with status 1 and nothing left behind.
linked=$(ldd "$card" | grep -E 'lib(av|sw)[a-z]*\.so' | awk '{print $1}' | tr '\n' ' ')
[ -z "$linked" ] && ok "the program links none of FFmpeg's libraries" ||
    fail "the program links $linked"
mkdir "$work/alone"
cp "$card" "$work/alone/xmascard"
out=$("$work/alone/xmascard" --record "$work/alone/card.mp4" --fps 1 --screen 320x240 2>&1 >/dev/null)
code=$?
if [ "$code" -eq 1 ] && [ "$(wc -l <<<"$out")" -eq 1 ] &&
    grep -q "^xmascard: cannot record a video: .*xmascard-video.so" <<<"$out" &&
    [ "$(ls -A "$work/alone")" = xmascard ]; then
    ok "without its module: status 1, $out"
else
    fail "without its module: status $code, left $(ls -A "$work/alone" | tr '\n' ' '), said: $out"
fi
if "$work/alone/xmascard" --record "$work/alone/frames" --fps 1 --screen 320x240 >/dev/null 2>&1 &&
    [ -s "$work/alone/frames/soundtrack.wav" ] && [ -s "$work/alone/frames/frame-00010.png" ]; then
    ok "without the module the frames and the soundtrack are recorded"
else
    fail "without the module no frames were recorded"
fi
rm -rf "$work/alone"

# Under a memory limit the card fails in one line: when the encoder's libraries cannot be
# mapped, and when its own picture of an 8K screen cannot be had (the limits lie well inside
# the ranges where each happens first).
mkdir "$work/limited"
out=$( (ulimit -v 190000; "$card" --record "$work/limited/card.mp4" --fps 1 --screen 3840x2160) 2>&1 >/dev/null)
code=$?
if [ "$code" -eq 1 ] && [ "$(wc -l <<<"$out")" -eq 1 ] &&
    grep -q "^xmascard: cannot record a video: .* cannot be loaded" <<<"$out" &&
    [ -z "$(ls -A "$work/limited")" ]; then
    ok "a memory limit too low for the encoder: status 1, $out"
else
    fail "a memory limit too low for the encoder: status $code, left $(ls -A "$work/limited" | tr '\n' ' '), said: $out"
fi
out=$( (ulimit -v 220000; "$card" --record "$work/limited/frames" --fps 1 --screen 7680x4320) 2>&1 >/dev/null)
code=$?
if [ "$code" -eq 1 ] && [ "$out" = "xmascard: out of memory" ]; then
    ok "a memory limit too low for the screen's picture: status 1, $out"
else
    fail "a memory limit too low for the screen's picture: status $code, said: $out"
fi
rm -rf "$work/limited"

# Stopped half-way, the recording leaves neither the video nor its temporary file.
"$card" --record "$work/cut.mp4" --fps "$fps" --screen "${width}x${height}" >/dev/null 2>"$work/cut.err" &
pid=$!
for _ in $(seq 200); do
    [ -n "$(strays cut.err)" ] && break
    sleep 0.05
done
sleep 1
kill -TERM "$pid"
wait "$pid"
code=$?
left=$(strays cut.err)
if [ "$code" -eq 143 ] && [ -z "$left" ] && grep -q "^xmascard: the recording was interrupted$" "$work/cut.err"; then
    ok "a recording stopped half-way leaves nothing (status $code)"
else
    fail "stopped half-way: status $code, left '$left', said: $(cat "$work/cut.err")"
fi
rm -f "$work/cut.err"

# On a terminal, a progress bar with the time left.
script -qec "$(printf '%q ' "$card" --record "$work/tty.mp4" --fps 5 --screen 320x240)" /dev/null \
    >"$work/tty.log" 2>&1
if grep -q '\[##############################\] 100%  .* s, 00:00 left' "$work/tty.log" &&
    grep -q '% .* [0-9][0-9]:[0-9][0-9] left' "$work/tty.log" && [ -s "$work/tty.mp4" ]; then
    ok "a terminal sees the progress and the time left"
else
    fail "progress on a terminal: $(tr '\r' '\n' <"$work/tty.log" | tail -3)"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
