# SPDX-License-Identifier: MIT
# The libraries each system's card is built on. On Linux they are Debian's; for Windows,
# libmpg123 and pixman are the static ones tools/windows/setup.sh cross-builds, found
# through the toolchain's pkg-config, and the rest is the system's own DLLs; for the
# browser, tools/web/setup.sh builds them for WebAssembly, and stb comes as headers.
find_package(PkgConfig REQUIRED)
pkg_check_modules(MPG123 REQUIRED IMPORTED_TARGET libmpg123)
pkg_check_modules(PIXMAN REQUIRED IMPORTED_TARGET pixman-1)
if(XMASCARD_SYSTEM STREQUAL linux)
  find_package(Qt6 6.2 REQUIRED COMPONENTS Core Gui Widgets)
  pkg_check_modules(FLUIDSYNTH REQUIRED IMPORTED_TARGET fluidsynth)
  pkg_check_modules(ALSA REQUIRED IMPORTED_TARGET alsa)
  pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb xcb-shape)
  pkg_check_modules(PULSE REQUIRED IMPORTED_TARGET libpulse)
  pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET
    libavformat libavcodec libswscale libswresample libavutil)
  pkg_check_modules(GLIB REQUIRED IMPORTED_TARGET glib-2.0)
elseif(XMASCARD_SYSTEM STREQUAL windows)
  enable_language(RC)
elseif(XMASCARD_SYSTEM STREQUAL web)
  # Debian's header-only stb (pictures, PNG writing, TrueType): its folder holds nothing else.
  find_path(STB_INCLUDE_DIR stb_truetype.h PATHS /usr/include/stb NO_CMAKE_FIND_ROOT_PATH
            REQUIRED)
  add_library(xmascard_stb INTERFACE)
  target_include_directories(xmascard_stb SYSTEM INTERFACE ${STB_INCLUDE_DIR})
endif()
