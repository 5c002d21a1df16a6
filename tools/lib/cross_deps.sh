# SPDX-License-Identifier: MIT
# What the cross-build set-ups (tools/windows/setup.sh, tools/web/setup.sh) share: Debian's
# packages installed where missing, and Debian's own sources of libmpg123 and pixman fetched
# and unpacked, to be built as static libraries into a prefix marked with the versions it
# was built from. Sourced; expects SUDO ("" or "sudo").

# install_missing PACKAGE...: installs those that are not installed yet.
install_missing() {
    local p missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        $SUDO apt-get update -qq
        $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
}

# add_deb_src: a deb-src entry beside each binary one, when apt knows no source packages.
add_deb_src() {
    apt-get source --print-uris mpg123 >/dev/null 2>&1 && return 0
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            $SUDO tee /etc/apt/sources.list.d/xmascard-deb-src.sources >/dev/null
    else
        grep -h '^deb ' /etc/apt/sources.list 2>/dev/null | sed 's/^deb /deb-src /' |
            $SUDO tee /etc/apt/sources.list.d/xmascard-deb-src.list >/dev/null
    fi
    $SUDO apt-get update -qq
}

# source_version SOURCE: the version of Debian's source package.
source_version() { apt-cache showsrc "$1" | awk '/^Version:/ {print $2; exit}'; }

# deps_built PREFIX BUILT-FROM: whether PREFIX holds both libraries, built from BUILT-FROM.
deps_built() {
    [ -f "$1/.built-from" ] && [ "$(cat "$1/.built-from")" = "$2" ] &&
        [ -f "$1/lib/libmpg123.a" ] && [ -f "$1/lib/libpixman-1.a" ]
}

# unpack_sources LABEL SOURCE...: fetches and unpacks each into the current directory.
unpack_sources() {
    local label=$1 source dsc orig
    shift
    # apt's download sandbox user cannot write into a root-only temporary directory.
    chmod 755 .
    for source in "$@"; do
        # Some mirrors lack the upstream signature (.orig.tar.*.asc) the .dsc lists: apt
        # then reports a failure though the tarballs came, checked against the signed index.
        apt-get source -qq --download-only "$source" >/dev/null 2>&1 || true
        dsc=$(ls "${source}"_*.dsc 2>/dev/null | head -n 1)
        [ -n "$dsc" ] || { echo "xmascard: could not fetch Debian's source of $source" >&2; exit 1; }
        if ! dpkg-source -q --no-check -x "$dsc" >/dev/null 2>&1; then
            # Without the Debian diff (also missing on some mirrors) the upstream tarball alone.
            orig=$(ls "${source}"_*.orig.tar.* | grep -v '\.asc$' | head -n 1)
            echo "$label deps: $source without Debian's changes (its diff could not be fetched)"
            tar -xf "$orig"
        fi
    done
}

# install_mpg123 PREFIX: installs the decoder library built in the current mpg123 tree.
install_mpg123() {
    install -D -m 644 src/libmpg123/.libs/libmpg123.a "$1/lib/libmpg123.a"
    install -D -m 644 -t "$1/include" src/libmpg123/mpg123.h src/libmpg123/fmt123.h
    install -D -m 644 -t "$1/lib/pkgconfig" libmpg123.pc
}
