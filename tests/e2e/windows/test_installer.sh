#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The installer under Wine: a silent install puts the very program into the folder asked
# for, with its uninstaller, and the uninstaller takes the program away again.
#
# Usage: test_installer.sh PATH-TO-XMASCARD-SETUP.EXE PATH-TO-XMASCARD.EXE
set -uo pipefail
setup="$1"
card="$2"
root="$(cd "$(dirname "$0")/../../.." && pwd)"
WINE_RUN="$root/tools/windows/wine_run.sh"
export WINEPREFIX="${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/xmascard/wine}"
"$WINE_RUN" cmd /c exit >/dev/null 2>&1  # the prefix is made before its folders are used
target="$WINEPREFIX/drive_c/xmascard-installer-test"
rm -rf "$target"
source "$(dirname "$0")/../lib/checks.sh"
DISPLAY= "$WINE_RUN" "$setup" /S '/D=C:\xmascard-installer-test' >/dev/null 2>&1
cmp -s "$target/xmascard.exe" "$card"
verdict $? "a silent install puts the program into the folder asked for"
[ -f "$target/uninstall.exe" ]
verdict $? "the uninstaller is installed beside it"
# Run in place (_?=), the uninstaller ends only when it is done.
DISPLAY= "$WINE_RUN" "$target/uninstall.exe" /S '_?=C:\xmascard-installer-test' >/dev/null 2>&1
[ ! -e "$target/xmascard.exe" ]
verdict $? "the uninstaller takes the program away"
rm -rf "$target"
checks_done
