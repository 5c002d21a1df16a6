# SPDX-License-Identifier: MIT
# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (the posix threads flavour, which
# C++ threads and std::mutex need). Programs link libgcc, libstdc++ and winpthread
# statically, so an exe imports only system DLLs. The static libraries the build needs
# (libmpg123, pixman) are found through pkg-config in XMASCARD_WINDOWS_DEPS alone, so
# nothing of the host leaks in.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_mingw}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Release programs without symbol tables (half the size of the exe).
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

if(NOT XMASCARD_WINDOWS_DEPS)
  set(XMASCARD_WINDOWS_DEPS ${CMAKE_CURRENT_LIST_DIR}/../../build-windows/deps)
endif()
get_filename_component(XMASCARD_WINDOWS_DEPS ${XMASCARD_WINDOWS_DEPS} ABSOLUTE)
set(XMASCARD_WINDOWS_DEPS ${XMASCARD_WINDOWS_DEPS} CACHE PATH
    "Prefix of the static Windows libraries made by tools/windows/setup.sh")
list(APPEND CMAKE_FIND_ROOT_PATH ${XMASCARD_WINDOWS_DEPS})
set(ENV{PKG_CONFIG_LIBDIR} ${XMASCARD_WINDOWS_DEPS}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Tests run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../tools/windows/wine_run.sh)
