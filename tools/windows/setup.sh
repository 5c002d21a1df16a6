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
source "$(dirname "$0")/../lib/cross_deps.sh"
host=x86_64-w64-mingw32

packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 meson ninja-build cmake pkg-config dpkg-dev nsis
          googletest xvfb xauth x11-utils x11-apps xdotool openbox imagemagick python3 libx11-dev
          libxext-dev libxfixes-dev g++ pulseaudio pulseaudio-utils sox)
install_missing "${packages[@]}"

add_deb_src

mpg123_version=$(source_version mpg123)
pixman_version=$(source_version pixman)
wanted="mpg123 $mpg123_version pixman $pixman_version"
if deps_built "$prefix" "$wanted"; then
    echo "windows deps: up to date in $prefix ($wanted)"
    exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
unpack_sources windows mpg123 pixman
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
  install_mpg123 "$prefix" ) &
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

echo "$wanted" >"$prefix/.built-from"
echo "windows deps: built $wanted into $prefix"
