#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes this Debian machine ready to build the card for Windows and test it under Wine:
# installs the MinGW-w64 cross compiler (posix threads), Wine, Meson and NSIS (and what the
# end-to-end test under Wine uses: Xvfb, openbox, PulseAudio, SoX), then
# cross-builds Debian's own sources of libmpg123 and pixman as static libraries into
# PREFIX (default build-windows/deps), where the Windows preset finds them through
# pkg-config. Run as root (or through sudo). Runs again in seconds: a prefix already built
# from the same source versions is kept.
#
# Usage: tools/windows/setup.sh [PREFIX]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
prefix="${1:-$root/build-windows/deps}"
mkdir -p "$prefix"
prefix="$(cd "$prefix" && pwd)"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
host=x86_64-w64-mingw32

packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 meson ninja-build cmake pkg-config dpkg-dev nsis
          googletest xvfb xauth x11-utils x11-apps xdotool openbox imagemagick python3 libx11-dev
          libxext-dev libxfixes-dev g++ pulseaudio pulseaudio-utils sox)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Debian's source packages: a deb-src entry beside each binary one, when none is there.
if ! apt-get source --print-uris mpg123 >/dev/null 2>&1; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            $SUDO tee /etc/apt/sources.list.d/xmascard-deb-src.sources >/dev/null
    else
        grep -h '^deb ' /etc/apt/sources.list 2>/dev/null | sed 's/^deb /deb-src /' |
            $SUDO tee /etc/apt/sources.list.d/xmascard-deb-src.list >/dev/null
    fi
    $SUDO apt-get update -qq
fi

version_of() { apt-cache showsrc "$1" | awk '/^Version:/ {print $2; exit}'; }
mpg123_version=$(version_of mpg123)
pixman_version=$(version_of pixman)
stamp="$prefix/.built-from"
wanted="mpg123 $mpg123_version pixman $pixman_version"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$wanted" ] &&
   [ -f "$prefix/lib/libmpg123.a" ] && [ -f "$prefix/lib/libpixman-1.a" ]; then
    echo "windows deps: up to date in $prefix ($wanted)"
    exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# apt's download sandbox user cannot write into a root-only temporary directory.
chmod 755 "$work"
# Some mirrors lack the upstream signature (.orig.tar.*.asc) the .dsc lists: apt then
# reports a failure though the tarballs came, checked against the signed index.
for source in mpg123 pixman; do
    apt-get source -qq --download-only "$source" >/dev/null 2>&1 || true
    dsc=$(ls "${source}"_*.dsc 2>/dev/null | head -n 1)
    [ -n "$dsc" ] || { echo "xmascard: could not fetch Debian's source of $source" >&2; exit 1; }
    if ! dpkg-source -q --no-check -x "$dsc" >/dev/null 2>&1; then
        # Without the Debian diff (also missing on some mirrors) the upstream tarball alone.
        orig=$(ls "${source}"_*.orig.tar.* | grep -v '\.asc$' | head -n 1)
        echo "windows deps: $source without Debian's changes (its diff could not be fetched)"
        tar -xf "$orig"
    fi
done
# Nothing of the host may leak into the cross build: pkg-config sees only the prefix.
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
unset PKG_CONFIG_PATH

# Both libraries build side by side. Of mpg123 only the decoder library: the player
# programs and the output library are not needed.
( cd mpg123-*/
  ./configure -q --host=$host --prefix="$prefix" CC=$host-gcc-posix \
      --enable-static --disable-shared --with-audio=dummy --with-default-audio=dummy \
      --disable-modules >/dev/null
  make -s -j"$(nproc)" src/libmpg123/libmpg123.la >/dev/null 2>&1
  install -D -m 644 src/libmpg123/.libs/libmpg123.a "$prefix/lib/libmpg123.a"
  install -D -m 644 -t "$prefix/include" src/libmpg123/mpg123.h src/libmpg123/fmt123.h
  install -D -m 644 -t "$prefix/lib/pkgconfig" libmpg123.pc ) &
mpg123_build=$!

cat >cross.ini <<EOF
[binaries]
c = '$host-gcc-posix'
ar = '$host-ar'
strip = '$host-strip'
pkg-config = 'pkg-config'

[host_machine]
system = 'windows'
cpu_family = 'x86_64'
cpu = 'x86_64'
endian = 'little'
EOF
( cd pixman-*/
  meson setup build --cross-file ../cross.ini --prefix="$prefix" --libdir=lib \
      --buildtype=release --default-library=static -Dtests=disabled \
      -Dgtk=disabled -Dlibpng=disabled -Dopenmp=disabled >/dev/null
  ninja -C build install >/dev/null )
wait "$mpg123_build"

echo "$wanted" >"$stamp"
echo "windows deps: built $wanted into $prefix"
