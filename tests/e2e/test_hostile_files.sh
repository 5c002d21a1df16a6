#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Hostile and unlucky files around a recording: links, FIFOs and directories put where the
# card writes its sound files (WINDIR) and its frames and soundtrack (the recording
# directory). The card never writes through a link, never hangs on a FIFO, says what went
# wrong in one line with the real cause, and fails a recording whose soundtrack lacks the
# music or the bells unless --silent asked for none. No row needs root: run as root, the
# rows about permissions drop to the user nobody.
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
  "no-sound-directory|1|lacks the music and the bells|2||rmdir sounds"
  "silent-without-sound-directory|0|recorded|1|--silent|rmdir sounds"
  "directory-as-a-frame|1|frame-00002.png: a directory is in the way|2||mkdir rec/frame-00002.png"
  "fifo-in-an-unwritable-sound-directory|1|Permission denied; the card plays without them|2|as-user|mkfifo sounds/mm.mid; chmod 555 sounds; chmod 777 rec"
)
for row in "${rows[@]}"; do
    IFS='|' read -r name want_status want_line want_lines options setup <<<"$row"
    dir="$work/$name"
    mkdir -p "$dir/sounds" "$dir/rec"
    victims "$dir"
    (cd "$dir" && eval "$setup")
    runner=()
    extra=()
    case "$options" in
      as-user) runner=(as_user) ;;
      ?*) extra=($options) ;;
    esac
    status=0
    ( cd "$dir" && unset DISPLAY && export XMASCARD_AUDIO=none WINDIR="$dir/sounds" HOME="$dir" &&
      "${runner[@]}" timeout 120 "$card" --record "$dir/rec" --fps 1 --screen 320x240 "${extra[@]}" ) \
        >"$dir/out" 2>&1 || status=$?
    problems=$(grep -c '^xmascard: ' "$dir/out" | tr -d ' ')
    grep -q '^xmascard: recorded' "$dir/out" && problems=$((problems - 1))
    why=""
    [ "$status" -eq "$want_status" ] || why="status $status, not $want_status"
    [ -z "$want_line" ] || grep -q -- "$want_line" "$dir/out" || why="$why; no line with '$want_line'"
    [ "$problems" -eq "$want_lines" ] || why="$why; $problems lines of problems, not $want_lines"
    victims_intact "$dir" || why="$why; a file behind a link was written"
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
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
