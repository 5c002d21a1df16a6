#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes this Debian machine ready to build the card for the browser and test it: installs
# Emscripten, the header-only stb libraries, the Liberation fonts, what renders the music
# at build time (FluidSynth's program with the card's General MIDI SoundFont, LAME),
# GoogleTest's sources, Meson and Chromium; installs the browser tests' Playwright from
# npm as tools/web/package-lock.json pins it; then cross-builds Debian's own sources of
# pixman and libmpg123 for WebAssembly as static libraries into PREFIX (default
# build-web/deps), where the web preset finds them through pkg-config. Run as root (or
# through sudo). Runs again in seconds: a prefix already built from the same source
# versions is kept.
#
# Usage: tools/web/setup.sh [PREFIX]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
prefix="${1:-$root/build-web/deps}"
mkdir -p "$prefix"
prefix="$(cd "$prefix" && pwd)"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
source "$(dirname "$0")/../lib/cross_deps.sh"

packages=(emscripten libstb-dev fonts-liberation2 googletest meson ninja-build cmake
          pkg-config dpkg-dev python3 fluidsynth timgm6mb-soundfont lame chromium imagemagick)
install_missing "${packages[@]}"
# Node.js and npm come with the machine (Debian's nodejs where it is not there already).
if ! command -v npm >/dev/null; then
    $SUDO apt-get install -y -qq --no-install-recommends nodejs npm >/dev/null
fi

# Emscripten's optimizer needs Debian's acorn, which a Node.js from elsewhere does not see.
export NODE_PATH=/usr/share/nodejs
# Playwright's library alone, as the lock file pins it: it drives Debian's Chromium and
# downloads no browser of its own.
if ! cmp -s "$here/package-lock.json" "$here/node_modules/.installed-lock.json" 2>/dev/null; then
    (cd "$here" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --silent &&
     cp package-lock.json node_modules/.installed-lock.json)
fi

add_deb_src

mpg123_version=$(source_version mpg123)
pixman_version=$(source_version pixman)
emscripten_version=$(dpkg-query -W -f='${Version}' emscripten)
wanted="mpg123 $mpg123_version pixman $pixman_version emscripten $emscripten_version"
if deps_built "$prefix" "$wanted"; then
    echo "web deps: up to date in $prefix ($wanted)"
    exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
unpack_sources web mpg123 pixman
# Nothing of the host may leak into the cross build: pkg-config sees only the prefix.
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
unset PKG_CONFIG_PATH

# Of mpg123 only the decoder library, in portable C (no assembly for a WebAssembly CPU).
( cd mpg123-*/
  emconfigure ./configure -q --host=wasm32-unknown-none --prefix="$prefix" \
      --enable-static --disable-shared --with-cpu=generic_fpu --disable-network \
      --with-audio=dummy --with-default-audio=dummy --disable-modules CFLAGS="-O2" >/dev/null
  emmake make -s -j"$(nproc)" src/libmpg123/libmpg123.la >/dev/null 2>&1
  install_mpg123 "$prefix" ) &
mpg123_build=$!

# pixman with Meson and Emscripten as the cross compiler; no SIMD (WebAssembly has none of
# the instruction sets pixman knows), no threads.
cat >cross.ini <<CROSS
[binaries]
c = 'emcc'
ar = 'emar'
strip = 'llvm-strip-14'
pkg-config = 'pkg-config'

[host_machine]
system = 'emscripten'
cpu_family = 'wasm32'
cpu = 'wasm32'
endian = 'little'
CROSS
( cd pixman-*/
  # The card runs on one thread in the browser: pixman's thread-local caches become plain
  # ones (a build with threads would need SharedArrayBuffer, which file:// pages lack).
  sed -i "s/^dep_threads = dependency('threads')$/dep_threads = dependency('', required : false)/" \
      meson.build
  meson setup build --cross-file ../cross.ini --prefix="$prefix" --libdir=lib \
      --buildtype=release --default-library=static -Dtests=disabled \
      -Dgtk=disabled -Dlibpng=disabled -Dopenmp=disabled -Dloongson-mmi=disabled \
      -Dmmx=disabled -Dsse2=disabled -Dssse3=disabled -Dvmx=disabled -Darm-simd=disabled \
      -Dneon=disabled -Da64-neon=disabled -Diwmmxt=disabled -Diwmmxt2=false -Dmips-dspr2=disabled \
      -Dgnu-inline-asm=disabled -Dgnuplot=false -Dtimers=false >/dev/null
  ninja -C build install >/dev/null )
wait "$mpg123_build"

echo "$wanted" >"$prefix/.built-from"
echo "web deps: built $wanted into $prefix"
