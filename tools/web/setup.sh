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

packages=(emscripten libstb-dev fonts-liberation2 googletest meson ninja-build cmake
          pkg-config dpkg-dev python3 fluidsynth timgm6mb-soundfont lame chromium imagemagick)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
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
emscripten_version=$(dpkg-query -W -f='${Version}' emscripten)
stamp="$prefix/.built-from"
wanted="mpg123 $mpg123_version pixman $pixman_version emscripten $emscripten_version"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$wanted" ] &&
   [ -f "$prefix/lib/libmpg123.a" ] && [ -f "$prefix/lib/libpixman-1.a" ]; then
    echo "web deps: up to date in $prefix ($wanted)"
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
        echo "web deps: $source without Debian's changes (its diff could not be fetched)"
        tar -xf "$orig"
    fi
done
# Nothing of the host may leak into the cross build: pkg-config sees only the prefix.
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
unset PKG_CONFIG_PATH

# Of mpg123 only the decoder library, in portable C (no assembly for a WebAssembly CPU).
( cd mpg123-*/
  emconfigure ./configure -q --host=wasm32-unknown-none --prefix="$prefix" \
      --enable-static --disable-shared --with-cpu=generic_fpu --disable-network \
      --with-audio=dummy --with-default-audio=dummy --disable-modules CFLAGS="-O2" >/dev/null
  emmake make -s -j"$(nproc)" src/libmpg123/libmpg123.la >/dev/null 2>&1
  install -D -m 644 src/libmpg123/.libs/libmpg123.a "$prefix/lib/libmpg123.a"
  install -D -m 644 -t "$prefix/include" src/libmpg123/mpg123.h src/libmpg123/fmt123.h
  install -D -m 644 -t "$prefix/lib/pkgconfig" libmpg123.pc ) &
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

echo "$wanted" >"$stamp"
echo "web deps: built $wanted into $prefix"
