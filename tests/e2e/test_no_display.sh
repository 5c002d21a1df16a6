#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Without a reachable display the card says so in one line and exits with status 1.
set -uo pipefail
card="$1"
for display in "" ":4711"; do
    out=$(env -u WAYLAND_DISPLAY DISPLAY="$display" QT_QPA_PLATFORM= "$card" 2>&1)
    status=$?
    [ "$status" -eq 1 ] || { echo "FAIL: DISPLAY='$display' gave status $status: $out"; exit 1; }
    [ "$(wc -l <<<"$out")" -eq 1 ] && grep -q "no display" <<<"$out" ||
        { echo "FAIL: DISPLAY='$display' said: $out"; exit 1; }
    echo "ok: DISPLAY='$display': $out"
done
echo "1 passed, 0 failed"
