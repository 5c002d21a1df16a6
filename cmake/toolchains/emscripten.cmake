# SPDX-License-Identifier: MIT
# Cross-builds the card for the browser with Debian's Emscripten. The static libraries the
# build needs (pixman, libmpg123) are found through pkg-config in XMASCARD_WEB_DEPS alone,
# as tools/web/setup.sh built them, so nothing of the host leaks in. Programs run under
# node: CTest runs the unit tests through it as the Windows ones run under Wine.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

if(NOT XMASCARD_WEB_DEPS)
  set(XMASCARD_WEB_DEPS ${CMAKE_CURRENT_LIST_DIR}/../../build-web/deps)
endif()
get_filename_component(XMASCARD_WEB_DEPS ${XMASCARD_WEB_DEPS} ABSOLUTE)
set(XMASCARD_WEB_DEPS ${XMASCARD_WEB_DEPS} CACHE PATH
    "Prefix of the static WebAssembly libraries made by tools/web/setup.sh")
list(APPEND CMAKE_FIND_ROOT_PATH ${XMASCARD_WEB_DEPS})
set(ENV{PKG_CONFIG_LIBDIR} ${XMASCARD_WEB_DEPS}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Emscripten's optimizer, run when a program links, needs Debian's acorn module, which a
# node from elsewhere does not look for.
set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)

# node 18 and later have a fetch() that Emscripten 3.1.6 takes for a browser's, and then
# fails to read the program's own .wasm file: without it, node's file system reads it.
find_program(XMASCARD_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${XMASCARD_NODE};--no-experimental-fetch)
