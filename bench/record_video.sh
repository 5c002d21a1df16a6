#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Whole-process cost of turning the show into a video, at 25 fps on a 1280x800 screen unless
# SCREEN and FPS say otherwise: one command (--record card.mp4) beside the two steps it
# replaces (--record DIR, then the ffmpeg command of the README), measured in the same run
# with /usr/bin/time: wall time and peak resident memory (for the two steps, the sum of their
# times and the larger peak).
# The WebM and Matroska files are measured too, and every video is checked against the
# frames and soundtrack of the directory (tests/e2e/compare_video.py).
# Usage: [SCREEN=WxH] [FPS=N] bench/record_video.sh [path/to/xmascard]   (default build/xmascard,
#        1280x800, 25)
set -euo pipefail
card="$(realpath "${1:-build/xmascard}")"
here="$(cd "$(dirname "$0")" && pwd)"
work=$(mktemp -d -t xmascard-record-video.XXXXXX)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime" XMASCARD_AUDIO=none
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY
fps=${FPS:-25}
screen=${SCREEN:-1280x800}
width=${screen%x*} height=${screen#*x}

# Prints "seconds peak_mb user_s system_s" for one command.
measure() {
    local log="$work/time.log"
    /usr/bin/time -v -o "$log" "$@" >/dev/null 2>"$work/stderr" ||
        { echo "failed: $*" >&2; cat "$work/stderr" >&2; exit 1; }
    awk -F': ' '
        /User time/ {u = $2} /System time/ {s = $2} /Maximum resident/ {m = $2}
        /Elapsed \(wall clock\)/ {n = split($2, p, ":"); e = 0; for (i = 1; i <= n; i++) e = e * 60 + p[i]}
        END {printf "%.1f %.0f %.1f %.1f\n", e, m / 1024, u, s}' "$log"
}
row() { printf '%-34s %9s %14s %9s %9s %10s\n' "$@"; }
size_mb() { du -m --apparent-size "$1" | cut -f1; }

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
read -r dir_s dir_mb dir_u dir_sys < <(measure "$card" --record "$work/frames" --fps $fps --screen ${width}x${height})
read -r ff_s ff_mb ff_u ff_sys < <(measure ffmpeg -v error -framerate $fps -i "$work/frames/frame-%05d.png" \
    -i "$work/frames/soundtrack.wav" -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest "$work/two-steps.mp4")
declare -A secs mb user sys
for ext in mp4 webm mkv; do
    read -r "secs[$ext]" "mb[$ext]" "user[$ext]" "sys[$ext]" < <(measure "$card" --record "$work/card.$ext" --fps $fps --screen ${width}x${height})
done
echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)"

echo
row "" "wall (s)" "peak RSS (MB)" "user (s)" "sys (s)" "file (MB)"
row "--record DIR" "$dir_s" "$dir_mb" "$dir_u" "$dir_sys" "$(size_mb "$work/frames")"
row "then ffmpeg (README)" "$ff_s" "$ff_mb" "$ff_u" "$ff_sys" "$(size_mb "$work/two-steps.mp4")"
row "the two steps" "$(echo "$dir_s + $ff_s" | bc)" "$((dir_mb > ff_mb ? dir_mb : ff_mb))" \
    "$(echo "$dir_u + $ff_u" | bc)" "$(echo "$dir_sys + $ff_sys" | bc)" ""
for ext in mp4 webm mkv; do
    row "--record card.$ext" "${secs[$ext]}" "${mb[$ext]}" "${user[$ext]}" "${sys[$ext]}" "$(size_mb "$work/card.$ext")"
done

echo
show=$(soxi -D "$work/frames/soundtrack.wav")
for kind in "mp4 h264 aac" "webm vp9 opus" "mkv h264 flac"; do
    read -r ext vcodec acodec <<<"$kind"
    echo "card.$ext against the directory:"
    /usr/bin/python3 "$here/../tests/e2e/compare_video.py" "$work/card.$ext" "$work/frames" $fps \
        "$vcodec" "$acodec" $width $height "$show" | sed 's/^/  /' || true
done
