#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Hostile and unlucky files around a recording: links, FIFOs and directories put where the
# card writes its sound files (WINDIR) and its frames and soundtrack (the recording
# directory). The card never writes through a link, never hangs on a FIFO, says what went
# wrong in one line with the real cause, and fails a recording whose soundtrack lacks the
# music or the bells unless --silent asked for none. A recording that fails leaves what was
# at its name as it was; a limit on the size of files (ulimit -f) is an ordinary write error
# with one line and no temporary file left; what a killed recording left is cleaned up by
# the next one; a read-only video is refused like any file the card writes. No row needs
# root: run as root, the rows about permissions drop to the user nobody.
set -uo pipefail
card="$1"
artifacts="$2"
mkdir -p "$artifacts"
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
passed=0 failed=0

as_user() {  # runs a command as an unprivileged user when we are root
    if [ "$(id -u)" -eq 0 ]; then setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"; else "$@"; fi
}

victims() { for v in a b c d; do echo "precious $v" >"$1/victim-$v"; done; }
victims_intact() { for v in a b c d; do [ "$(cat "$1/victim-$v")" = "precious $v" ] || return 1; done; }
max_amplitude() { sox "$1" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}'; }

# Each row: name, expected status, a line the output must hold (or ""), the number of
# lines that start with "xmascard: " other than the summary, extra options, and the
# set-up run in the row's folder (sounds/ is WINDIR, rec/ the recording).
rows=(
  "links-everywhere|0||0||ln -s \$PWD/victim-a sounds/mm.mid; ln -s \$PWD/victim-b sounds/Bells.mp3; ln -s \$PWD/victim-c rec/soundtrack.wav; ln -s \$PWD/victim-d rec/frame-00003.png"
  "fifos-everywhere|0||0||mkfifo sounds/mm.mid sounds/Bells.mp3 rec/soundtrack.wav rec/frame-00002.png"
  "no-sound-directory|1|lacks the music|2||rmdir sounds"
  "silent-without-sound-directory|0|recorded|1|--silent|rmdir sounds"
  "directory-as-a-frame|1|frame-00002.png: a directory is in the way|1||mkdir rec/frame-00002.png"
  "fifo-in-an-unwritable-sound-directory|1|Permission denied; the card plays without them|2|as-user|mkfifo sounds/mm.mid; chmod 555 sounds; chmod 777 rec"
  "sound-files-past-a-file-size-limit|1|Bells.mp3: File too large|2|ulimit-20|"
  "soundtrack-past-a-file-size-limit|1|soundtrack.wav: cannot write (File too large)|1|ulimit-100|"
  "failed-over-an-old-soundtrack|1|lacks the music|2||rmdir sounds; echo precious >rec/soundtrack.wav"
  "an-empty-soundfont-setting|0||0|env-XMASCARD_SOUNDFONT=|"
  "a-fifo-as-soundfont|1|XMASCARD_SOUNDFONT names cannot be used (fifo.sf2: not a regular file)|2|env-XMASCARD_SOUNDFONT=fifo.sf2|mkfifo fifo.sf2"
  "an-unwritable-home|1|home/.cache/xmascard for the sound files (Permission denied)|2|unwritable-home|mkdir home; chmod 555 home; chmod 777 rec"
)
for row in "${rows[@]}"; do
    IFS='|' read -r name want_status want_line want_lines options setup <<<"$row"
    dir="$work/$name"
    mkdir -p "$dir/sounds" "$dir/rec"
    victims "$dir"
    (cd "$dir" && eval "$setup")
    runner=()
    extra=()
    limit=unlimited
    case "$options" in
      as-user) runner=(as_user) ;;
      ulimit-*) limit=${options#ulimit-} ;;
      env-*) runner=(env "${options#env-}") ;;
      unwritable-home) runner=(as_user env -u XDG_CACHE_HOME WINDIR= HOME="$dir/home") ;;
      ?*) extra=($options) ;;
    esac
    status=0
    ( cd "$dir" && unset DISPLAY && export XMASCARD_AUDIO=none WINDIR="$dir/sounds" HOME="$dir" &&
      ulimit -f "$limit" &&
      "${runner[@]}" timeout 120 "$card" --record "$dir/rec" --fps 1 --screen 320x240 "${extra[@]}" ) \
        >"$dir/out" 2>&1 || status=$?
    problems=$(grep -c '^xmascard: ' "$dir/out" | tr -d ' ')
    grep -q '^xmascard: recorded' "$dir/out" && problems=$((problems - 1))
    why=""
    [ "$status" -eq "$want_status" ] || why="status $status, not $want_status"
    [ -z "$want_line" ] || grep -q -- "$want_line" "$dir/out" || why="$why; no line with '$want_line'"
    [ "$problems" -eq "$want_lines" ] || why="$why; $problems lines of problems, not $want_lines"
    victims_intact "$dir" || why="$why; a file behind a link was written"
    leftovers=$(find "$dir" -name '.*.*' | wc -l)
    [ "$leftovers" -eq 0 ] || why="$why; $leftovers temporary files left"
    [ -e "$dir/.cache" ] && why="$why; ~/.cache was made though WINDIR is set"
    [ ! -f "$dir/rec/soundtrack.wav" ] || [ "$want_status" -eq 0 ] ||
        [ "$(cat "$dir/rec/soundtrack.wav")" = "precious" ] || why="$why; a failed recording put a soundtrack.wav in place"
    for f in "$dir"/sounds/mm.mid "$dir"/sounds/Bells.mp3 "$dir"/rec/soundtrack.wav "$dir"/rec/frame-0000[0-4].png; do
        [ -e "$f" ] || [ -L "$f" ] || continue
        if [ "$want_status" -eq 0 ] && [ ! -f "$f" -o -L "$f" ]; then why="$why; $f is not a regular file"; fi
    done
    if [ "$want_status" -eq 0 ]; then
        amplitude=$(max_amplitude "$dir/rec/soundtrack.wav")
        if [ "$options" = "--silent" ]; then
            [ "$amplitude" = "0.000000" ] || why="$why; the silent soundtrack peaks at $amplitude"
        else
            python3 -c "import sys; sys.exit(float('$amplitude') < 0.05)" ||
                why="$why; the soundtrack peaks at only $amplitude"
        fi
    fi
    if [ -z "$why" ]; then
        echo "ok: $name"
        passed=$((passed + 1))
    else
        echo "FAIL: $name: ${why#; }"
        sed 's/^/    /' "$dir/out" | grep -v XDG_RUNTIME
        cp "$dir/out" "$artifacts/hostile-$name.log"
        failed=$((failed + 1))
    fi
done
# Videos. Each case: name, expected status, a line the output must hold, the number of
# lines that start with "xmascard: " other than the summary, then the set-up and the run in
# the case's folder, where the video is rec/anna.mp4 and the sound files go into sounds/.
record_video() {  # record_video [ENV...]: the card records rec/anna.mp4 in the current folder
    env XMASCARD_AUDIO=none WINDIR="$PWD/sounds" HOME="$PWD" "$@" timeout 120 "$card" \
        --record rec/anna.mp4 --fps 1 --screen 320x240
}
video_case() {
    local name=$1 want_status=$2 want_line=$3 want_lines=$4 dir="$work/video-$1" why="" status=0
    shift 4
    mkdir -p "$dir/sounds" "$dir/rec"
    echo "precious video" >"$dir/rec/anna.mp4"
    ( cd "$dir" && unset DISPLAY && eval "$1" ) >"$dir/out" 2>&1 || status=$?
    problems=$(grep -c '^xmascard: ' "$dir/out" | tr -d ' ')
    grep -q '^xmascard: recorded' "$dir/out" && problems=$((problems - 1))
    [ "$status" -eq "$want_status" ] || why="status $status, not $want_status"
    grep -q -- "$want_line" "$dir/out" || why="$why; no line with '$want_line'"
    [ "$problems" -eq "$want_lines" ] || why="$why; $problems lines of problems, not $want_lines"
    if [ "$want_status" -ne 0 ] && [ "$(cat "$dir/rec/anna.mp4")" != "precious video" ]; then
        why="$why; the video that was there is not as it was"
    fi
    leftovers=$(find "$dir" -name '.*.*' | wc -l)
    [ "$leftovers" -eq 0 ] || why="$why; $leftovers temporary files left"
    if [ -z "$why" ]; then
        echo "ok: video: $name"
        passed=$((passed + 1))
    else
        echo "FAIL: video: $name: ${why#; }"
        sed 's/^/    /' "$dir/out"
        cp "$dir/out" "$artifacts/hostile-video-$name.log"
        failed=$((failed + 1))
    fi
}
video_case "a-failed-recording-keeps-the-old-video" 1 "lacks the music" 2 \
    'record_video WINDIR=/dev/full'
video_case "past-a-file-size-limit" 1 "cannot write rec/anna.mp4 (File too large)" 1 \
    '(ulimit -f 100; record_video)'
video_case "a-read-only-video" 1 "anna.mp4: the file there is read-only" 1 \
    'chmod 444 rec/anna.mp4; chmod 777 rec sounds; as_user env XMASCARD_AUDIO=none WINDIR="$PWD/sounds" HOME="$PWD/rec" timeout 120 "$card" --record rec/anna.mp4 --fps 1 --screen 320x240'
# A recording killed outright (once its frames are being encoded) leaves its temporary file;
# the next recording of that name removes it once it is old enough not to be another card's
# at work, and nothing else.
video_case "what-a-killed-recording-left-goes-next-time" 0 "recorded" 0 \
    'XMASCARD_AUDIO=none WINDIR="$PWD/sounds" "$card" --record rec/anna.mp4 --fps 25 >/dev/null &
     for _ in $(seq 300); do
         [ "$(stat -c %s rec/.anna.mp4.* 2>/dev/null || echo 0)" -gt 65536 ] && break; sleep 0.1
     done
     kill -KILL $!; wait $!;
     ls rec/.anna.mp4.* >/dev/null || echo "xmascard: no temporary file was left";
     touch -d "2 minutes ago" rec/.anna.mp4.*; echo keep >rec/.anna.mp4.fresh1; record_video;
     rm rec/.anna.mp4.fresh1 || echo "xmascard: a fresh temporary file was removed"'
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
