#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Whole-process cost of the real-time show on a real X server (Xvfb), with its music played
# into a PulseAudio null sink: average CPU use over the whole run and peak resident memory,
# next to xsnow and xteddy (Debian's packages) measured in the same run for as long.
# The card runs RUNS times (default 5) and its median run is reported, with the mean of all
# runs beside it: on a virtual machine the system time charged for the same run varies
# severalfold from run to run.
# Usage: [RUNS=N] bench/show_cpu.sh [path/to/xmascard]   (default build/xmascard)
set -euo pipefail
card="$(realpath "${1:-build/xmascard}")"
work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
source "$(dirname "$0")/../tests/e2e/lib/x_session.sh"
x_start
trap x_stop EXIT
if command -v pulseaudio >/dev/null; then
    pulseaudio -n --daemonize=yes --exit-idle-time=-1 --disallow-exit \
        --load="module-null-sink sink_name=card" --load=module-native-protocol-unix >/dev/null 2>&1 || true
    trap 'x_stop; pulseaudio --kill 2>/dev/null || true' EXIT
fi

# Prints "cpu% rss_mb seconds user_s system_s" for one command, from /usr/bin/time.
measure() {
    local log="$work/time.log"
    /usr/bin/time -v -o "$log" "$@" >/dev/null 2>&1 || true
    awk -F': ' '
        /User time/ {u = $2} /System time/ {s = $2} /Maximum resident/ {m = $2}
        /Elapsed \(wall clock\)/ {n = split($2, p, ":"); e = 0; for (i = 1; i <= n; i++) e = e * 60 + p[i]}
        END {printf "%.2f %.1f %.1f %.2f %.2f\n", 100 * (u + s) / e, m / 1024, e, u, s}' "$log"
}

runs=${RUNS:-5}
for ((i = 0; i < runs; i++)); do
    WINDIR="$work" measure "$card" >>"$work/card_runs"
done
echo "each run of the card (CPU %, peak RSS MB, seconds, user s, system s):" >&2
cat "$work/card_runs" >&2
awk '{s += $1} END {printf "mean CPU of the card over %d runs: %.2f %%\n", NR, s / NR}' "$work/card_runs" >&2
read -r card_cpu card_mb seconds _ < <(sort -n "$work/card_runs" | sed -n "$(((runs + 1) / 2))p")
# The neighbours, where Debian's packages are installed (apt-get install xsnow xteddy).
neighbour() {
    if [ -x "/usr/games/$1" ]; then
        measure timeout -s INT "$seconds" "/usr/games/$1"
    else
        echo "not-installed -"
    fi
}
read -r snow_cpu snow_mb _ < <(neighbour xsnow)
read -r teddy_cpu teddy_mb _ < <(neighbour xteddy)

printf '\n%-10s %14s %16s   (each for %.0f s on Xvfb)\n' program "CPU (% of one core)" "peak RSS (MB)" "$seconds"
printf '%-10s %14s %16s   (median of %d runs)\n' xmascard "$card_cpu" "$card_mb" "$runs"
printf '%-10s %14s %16s\n' xsnow "$snow_cpu" "$snow_mb"
printf '%-10s %14s %16s\n' xteddy "$teddy_cpu" "$teddy_mb"
