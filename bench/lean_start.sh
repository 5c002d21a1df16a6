#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What a running card costs, for two builds measured in one run, turn about (the order
# swapped every round, so that a machine that slows down or speeds up weighs on both):
#   - the shared libraries it maps (/proc/PID/maps), with its music and silent;
#   - its resident memory after 12 s, silent (XMASCARD_AUDIO=none) and with its music
#     played into a PulseAudio null sink;
#   - the time from its start to its first window mapped on the X server (startup_to_map);
#   - its CPU over the whole show with music, and its peak resident memory (/usr/bin/time).
# Prints each figure for both and the ratio NEW / BASELINE. On Xvfb, 1280x1024.
# Usage: bench/lean_start.sh BASELINE-EXE NEW-EXE
#   MAP_RUNS (default 9), MEMORY_RUNS (3) and CPU_RUNS (3) set the rounds; CPU_RUNS=0 skips
#   the whole shows (about 80 s each).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
base="$(realpath "$1")"
new="$(realpath "$2")"
map_runs=${MAP_RUNS:-9} memory_runs=${MEMORY_RUNS:-3} cpu_runs=${CPU_RUNS:-3}
work=$(mktemp -d -t xmascard-lean-start.XXXXXX)
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" WINDIR="$work/windir"
mkdir -p "$XDG_RUNTIME_DIR" "$HOME" "$WINDIR"
chmod 700 "$XDG_RUNTIME_DIR"
source "$here/../tests/e2e/lib/x_session.sh"
cleanup() {
    x_stop
    pulseaudio --kill 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
x_start
pulseaudio -n --daemonize=yes --exit-idle-time=-1 --disallow-exit \
    --load="module-null-sink sink_name=card" --load=module-native-protocol-unix >/dev/null 2>&1 ||
    { echo "pulseaudio does not start" >&2; exit 1; }
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done

# The start-up timer from a build tree, else built here.
timer="$here/../build/bench/startup_to_map"
if [ ! -x "$timer" ]; then
    timer="$work/startup_to_map"
    c++ -O2 -std=c++20 "$here/startup_to_map.cpp" -lX11 -o "$timer"
fi

# run_for SECONDS AUDIO EXE: starts the card, waits, prints "libraries rss_kb", ends it.
run_for() {
    local seconds="$1" audio="$2" exe="$3" pid
    if [ "$audio" = none ]; then XMASCARD_AUDIO=none "$exe" >/dev/null 2>&1 &
    else env -u XMASCARD_AUDIO "$exe" >/dev/null 2>&1 & fi
    pid=$!
    sleep "$seconds"
    printf '%s %s\n' "$(awk '$6 ~ /\.so/ {print $6}' "/proc/$pid/maps" | sort -u | wc -l)" \
        "$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

# whole_show EXE: prints "cpu_percent peak_rss_kb" of one whole show with music.
whole_show() {
    local log="$work/time.log"
    env -u XMASCARD_AUDIO /usr/bin/time -v -o "$log" "$1" >/dev/null 2>&1 || true
    awk -F': ' '
        /User time/ {u = $2} /System time/ {s = $2} /Maximum resident/ {m = $2}
        /Elapsed \(wall clock\)/ {n = split($2, p, ":"); e = 0; for (i = 1; i <= n; i++) e = e * 60 + p[i]}
        END {printf "%.3f %d\n", 100 * (u + s) / e, m}' "$log"
}

# Each round measures both, the order swapped every round; appends to $work/<name>.<which>.
round() {
    local i="$1" what="$2"
    shift 2
    local order=(base new)
    ((i % 2 == 1)) && order=(new base)
    for which in "${order[@]}"; do
        local exe=$base
        [ "$which" = new ] && exe=$new
        "$what" "$exe" "$@" >>"$work/$what.$which"
    done
}
memory_silent() { run_for 12 none "$1"; }
memory_music() { run_for 12 pulse "$1"; }
first_window() {
    XMASCARD_AUDIO=none "$timer" 1 "$1" | sed -n 's/.*after \([0-9.]*\) ms.*/\1/p'
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
for ((i = 0; i < memory_runs; i++)); do
    round "$i" memory_silent
    round "$i" memory_music
done
for ((i = 0; i < map_runs; i++)); do round "$i" first_window; done
for ((i = 0; i < cpu_runs; i++)); do round "$i" whole_show; done
echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)" >&2

# median FILE COLUMN [SCALE]
median() {
    [ -s "$1" ] || { echo "-"; return; }
    awk -v c="$2" '{print $c}' "$1" | sort -g |
        awk -v s="${3:-1}" '{v[NR] = $1} END {printf "%.2f\n", (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) / s}'
}
row() {
    local label="$1" b="$2" n="$3" ratio="-"
    [ "$b" != "-" ] && [ "$n" != "-" ] && ratio=$(awk -v b="$b" -v n="$n" 'BEGIN {printf "%.2f", n / b}')
    printf '%-50s %10s %10s %8s\n' "$label" "$b" "$n" "$ratio"
}
printf '\n%-50s %10s %10s %8s\n' "" baseline new ratio
row "libraries mapped, with music" "$(median "$work/memory_music.base" 1)" "$(median "$work/memory_music.new" 1)"
row "libraries mapped, silent" "$(median "$work/memory_silent.base" 1)" "$(median "$work/memory_silent.new" 1)"
row "resident memory after 12 s, silent (MB)" "$(median "$work/memory_silent.base" 2 1024)" "$(median "$work/memory_silent.new" 2 1024)"
row "resident memory after 12 s, with music (MB)" "$(median "$work/memory_music.base" 2 1024)" "$(median "$work/memory_music.new" 2 1024)"
row "first window mapped (ms, median of $map_runs)" "$(median "$work/first_window.base" 1)" "$(median "$work/first_window.new" 1)"
row "CPU of the whole show with music (% of a core)" "$(median "$work/whole_show.base" 1)" "$(median "$work/whole_show.new" 1)"
row "peak resident memory of that show (MB)" "$(median "$work/whole_show.base" 2 1024)" "$(median "$work/whole_show.new" 2 1024)"
echo "(medians of $memory_runs rounds for memory and libraries, $cpu_runs for CPU; base: $base, new: $new)"
