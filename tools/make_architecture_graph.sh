#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Draws the project's libraries and programs and what each links, as CMake's own target
# graph has them (Graphviz's `dot` renders it; Debian's graphviz): docs/architecture.png for
# the Linux build, docs/architecture-windows.png for the Windows build and
# docs/architecture-web.png for the web build when they are given ("-" leaves one out).
# Usage: tools/make_architecture_graph.sh [BUILD-DIR [WINDOWS-BUILD-DIR [WEB-BUILD-DIR]]]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

draw() {  # draw BUILD-DIR PICTURE
local build=$1 picture=$2
cat >"$work/CMakeGraphVizOptions.cmake" <<'OPTIONS'
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "_test|_tests|_bench|_probe|harness|x_probe|startup_to_map|_autogen|_assets|media_play|test_backend|gtest|gmock|installer|googletest")
OPTIONS
cp "$work/CMakeGraphVizOptions.cmake" "$build/CMakeGraphVizOptions.cmake"
cmake --graphviz="$work/targets.dot" "$build" >/dev/null
rm -f "$build/CMakeGraphVizOptions.cmake"
# Top to bottom, as the layers read: the program above, the model at the bottom; CMake's
# legend of node shapes left out.
awk '/subgraph clusterLegend/ {skip = 1} !skip {print} skip && /^}/ {skip = 0}' \
    "$work/targets.dot" |
    sed -e 's/^digraph "[^"]*" {/digraph layers {\n  rankdir=TB; node [fontname="Helvetica", fontsize=11];/' \
        >"$work/layers.dot"
dot -Tpng -Gdpi=96 "$work/layers.dot" -o "$root/docs/$picture"
echo "wrote docs/$picture"
}

if [ "${1:-}" != - ]; then draw "${1:-$root/build}" architecture.png; fi
if [ -n "${2:-}" ] && [ "$2" != - ]; then draw "$2" architecture-windows.png; fi
if [ -n "${3:-}" ] && [ "$3" != - ]; then draw "$3" architecture-web.png; fi
