#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build under /usr in a scratch DESTDIR and checks the tree as a desktop reads
# it: the launcher and the AppStream file pass their validators and point at what is there,
# the manual page renders without warnings and documents every option of --help, every
# icon size is present at its size, and the installed program runs.
set -euo pipefail
cmake="$1"
build="$2"
dest="$3"
rm -rf "$dest"
mkdir -p "$dest"
DESTDIR="$dest" "$cmake" --install "$build" --prefix /usr >"$dest/install.log" 2>&1 ||
    { echo "FAIL: cmake --install"; cat "$dest/install.log"; exit 1; }
usr="$dest/usr"
export LC_ALL=C.UTF-8
passed=0
failed=0
check() {  # check WHAT COMMAND...: runs the command and counts it
    local what="$1"
    shift
    if "$@"; then
        echo "ok: $what"
        passed=$((passed + 1))
    else
        echo "FAIL: $what"
        failed=$((failed + 1))
    fi
}

# The program, where Debian keeps games.
program="$usr/games/xmascard"
version=$("$program" --version | head -n 1)
check "the installed program says '$version'" test "$version" = "xmascard 1.00"

# The video encoder is a module the program finds from where it is installed.
mkdir -p "$dest/windir"
WINDIR="$dest/windir" XDG_RUNTIME_DIR="$dest/windir" "$program" --record "$dest/card.mp4" \
    --silent --fps 1 --screen 320x240 >"$dest/record.log" 2>&1 || cat "$dest/record.log"
module=$(find "$usr/lib" -path '*/xmascard/xmascard-video.so')
check "the video encoder module is in the program's own directory under lib" test -n "$module"
check "the installed program records a video through it" test -s "$dest/card.mp4"

# The launcher.
desktops=("$usr"/share/applications/*.desktop)
desktop="${desktops[0]}"
entry() { sed -n "s/^$1=//p" "$desktop"; }
check "one launcher" test "${#desktops[@]}" -eq 1 -a -f "$desktop"
check "desktop-file-validate passes" desktop-file-validate "$desktop"
check "the launcher starts the installed program" test "$(entry Exec)" = "$(basename "$program")"
icon=$(entry Icon)

# The AppStream description.
metainfos=("$usr"/share/metainfo/*.metainfo.xml)
metainfo="${metainfos[0]}"
check "one AppStream file" test "${#metainfos[@]}" -eq 1 -a -f "$metainfo"
check "appstreamcli validate passes" appstreamcli validate --no-net --pedantic "$metainfo"
check "the AppStream file names the launcher" \
    grep -qF "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo"
check "the AppStream file has a release 1.00" grep -q '<release version="1.00"' "$metainfo"
check "the AppStream file is named after its id" \
    grep -qF "<id>$(basename "$metainfo" .metainfo.xml)</id>" "$metainfo"

# The manual page.
page="$usr/share/man/man6/xmascard.6.gz"
check "the manual page is in section 6" test -f "$page"
man --warnings -l "$page" >"$dest/man.txt" 2>"$dest/man.err" || true
check "the manual page renders without warnings" test ! -s "$dest/man.err" -a -s "$dest/man.txt"
if [ -s "$dest/man.err" ]; then cat "$dest/man.err"; fi
for option in $("$program" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
    check "the manual page documents $option" grep -qF -- "$option" "$dest/man.txt"
done
for variable in WINDIR XMASCARD_AUDIO XMASCARD_SOUNDFONT QT_QPA_PLATFORM; do
    check "the manual page documents $variable" grep -qw "$variable" "$dest/man.txt"
done
check "the manual page names the sound files" grep -q 'mm.mid.*Bells.mp3' "$dest/man.txt"

# The icons: the width and height in each PNG's header match its folder.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }
for size in 16 32 48 64 128 256; do
    file="$usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    check "the ${size}px icon" test -f "$file" -a "$(png_size "$file" 2>/dev/null)" = "${size}x${size}"
done
check "the scalable icon" grep -q '<svg' "$usr/share/icons/hicolor/scalable/apps/$icon.svg"

check "the licence beside the program" grep -q '^License: Expat' "$usr/share/doc/xmascard/copyright"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
