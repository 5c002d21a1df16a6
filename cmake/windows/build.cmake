# SPDX-License-Identifier: MIT
# The Windows build: the same layers as on Linux, the Win32 backend in place of Qt and X11,
# and the media engine with a sound backend on winmm (waveOut, and the system's MIDI
# synthesizer for the music). libmpg123 and pixman are the static ones of tools/windows/setup.sh.
enable_language(RC)
find_package(PkgConfig REQUIRED)
pkg_check_modules(MPG123 REQUIRED IMPORTED_TARGET libmpg123)
pkg_check_modules(PIXMAN REQUIRED IMPORTED_TARGET pixman-1)
include(cmake/Layers.cmake)
add_subdirectory(assets)

# Files made and read as on Linux, with Win32 calls in place of the POSIX ones.
add_library(xmascard_io STATIC src/platform/io/whole_files.cpp src/platform/io/shown_text.cpp
            src/platform/io/win32/regular_file_win32.cpp
            src/platform/io/win32/safe_file_win32.cpp src/platform/io/win32/win32_error.cpp)
target_include_directories(xmascard_io PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_compile_definitions(xmascard_io PRIVATE UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
# The media engine is the same as on Linux; only its sound backend differs (media/win32).
xmascard_layer(xmascard_media src/platform/media xmascard_io PkgConfig::MPG123 shlwapi)
# A MIDI device's music, timed by the sound stream's clock; then winmm's devices.
xmascard_layer(xmascard_midi_device src/platform/media/midi_device xmascard_media)
xmascard_layer(xmascard_win32_sound src/platform/media/win32 xmascard_midi_device winmm)
target_compile_definitions(xmascard_win32_sound PRIVATE UNICODE _UNICODE NOMINMAX
                           WIN32_LEAN_AND_MEAN)

# The runtime model, with the files of the Win32 file system in place of the POSIX ones.
file(GLOB _platform CONFIGURE_DEPENDS src/platform/*.cpp src/platform/*.h)
list(REMOVE_ITEM _platform ${PROJECT_SOURCE_DIR}/src/platform/files.cpp)
add_library(xmascard_platform STATIC ${_platform} src/platform/win32/files_win32.cpp)
target_include_directories(xmascard_platform PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(xmascard_platform PUBLIC xmascard_media PkgConfig::PIXMAN
                      $<TARGET_OBJECTS:xmascard_assets>)
add_dependencies(xmascard_platform xmascard_assets)
xmascard_layer(xmascard_layout src/layout xmascard_platform)
xmascard_layer(xmascard_shaping src/shaping xmascard_layout)
xmascard_layer(xmascard_windows src/windows xmascard_shaping)
xmascard_layer(xmascard_show src/show xmascard_windows)

# The Win32 backend.
file(GLOB _win32 CONFIGURE_DEPENDS src/platform/win32/*.cpp src/platform/win32/*.h)
list(REMOVE_ITEM _win32 ${PROJECT_SOURCE_DIR}/src/platform/win32/files_win32.cpp)
add_library(xmascard_win32 STATIC ${_win32})
# Uniscribe before GDI: MinGW's gdi32 also names its calls, which older Windows keep in
# usp10.dll only.
target_link_libraries(xmascard_win32 PUBLIC xmascard_platform usp10 gdiplus gdi32 user32 msimg32
                      comctl32 shell32 ole32 winmm)
# Unicode Win32 calls; no min/max macros from windows.h.
target_compile_definitions(xmascard_win32 PUBLIC UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)

# The program: one exe carrying every picture and sound, the icon and its version.
set(XMASCARD_ICON ${PROJECT_SOURCE_DIR}/assets/icon/tree.ico)
set(XMASCARD_MANIFEST ${PROJECT_SOURCE_DIR}/src/app/windows/xmascard.exe.manifest)
configure_file(src/app/windows/xmascard.rc.in ${CMAKE_BINARY_DIR}/xmascard.rc @ONLY)
file(GLOB _app CONFIGURE_DEPENDS src/app/windows/*.cpp src/app/windows/*.h)
add_executable(xmascard WIN32 ${_app} src/app/audio_choice.cpp ${CMAKE_BINARY_DIR}/xmascard.rc)
target_link_libraries(xmascard PRIVATE xmascard_show xmascard_win32 xmascard_win32_sound)
set_target_properties(xmascard PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# An installer beside the portable exe, where Debian's NSIS is installed.
find_program(MAKENSIS makensis)
if(MAKENSIS)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/xmascard-setup.exe
    COMMAND ${MAKENSIS} -V2 -DEXE=$<TARGET_FILE:xmascard> -DICON=${XMASCARD_ICON}
            -DVERSION=${PROJECT_VERSION} -DOUT=${CMAKE_BINARY_DIR}/xmascard-setup.exe
            ${PROJECT_SOURCE_DIR}/cmake/windows/installer.nsi
    DEPENDS xmascard ${PROJECT_SOURCE_DIR}/cmake/windows/installer.nsi
    COMMENT "Making the installer")
  add_custom_target(xmascard_installer ALL DEPENDS ${CMAKE_BINARY_DIR}/xmascard-setup.exe)
endif()

include(CTest)
if(BUILD_TESTING)
  include(cmake/windows/tests.cmake)
endif()
