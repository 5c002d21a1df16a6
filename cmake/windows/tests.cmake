# SPDX-License-Identifier: MIT
# The headless unit tests as a Windows program, run under Wine (the toolchain's emulator),
# and the end-to-end test of the Windows card under Wine on Xvfb. GoogleTest is built from
# Debian's sources of it (package googletest).
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(_target gtest gtest_main gmock gmock_main)
  target_compile_options(${_target} PRIVATE -w)
endforeach()

set(_tests ${PROJECT_SOURCE_DIR}/tests)
add_library(xmascard_test_backend STATIC ${_tests}/support/win32/test_backend.cpp
            ${_tests}/support/test_graphics.cpp)
target_include_directories(xmascard_test_backend PUBLIC ${_tests})
target_link_libraries(xmascard_test_backend PUBLIC xmascard_platform gtest PRIVATE xmascard_win32)

file(GLOB _unit_tests CONFIGURE_DEPENDS
  ${_tests}/platform/*.cpp ${_tests}/layout/*.cpp ${_tests}/shaping/*.cpp
  ${_tests}/windows/*.cpp ${_tests}/show/*.cpp)
add_executable(xmascard_tests ${_unit_tests})
target_link_libraries(xmascard_tests PRIVATE xmascard_show xmascard_test_backend gmock)
# One test per executable: each Wine process takes seconds to start, so a test per case
# would spend minutes starting them. GoogleTest's output names any case that fails.
set(_headless "XMASCARD_AUDIO=none;XMASCARD_WINE_GRAPHICS=null")
add_test(NAME windows.unit_tests COMMAND xmascard_tests)
set_tests_properties(windows.unit_tests PROPERTIES ENVIRONMENT "${_headless}" TIMEOUT 600)

# The Windows card under Wine on Xvfb, without a window manager and under openbox.
add_test(NAME e2e.windows_card
  COMMAND bash ${_tests}/e2e/windows/test_windows_card.sh $<TARGET_FILE:xmascard>
          ${CMAKE_BINARY_DIR}/e2e-artifacts)
set_tests_properties(e2e.windows_card PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE)

# Tests of the Win32 backend itself.
file(GLOB _backend_tests CONFIGURE_DEPENDS ${_tests}/platform/win32/*.cpp)
# With them, in the same Wine process, the music's path to a MIDI device and the Windows
# program's command line.
add_executable(xmascard_win32_tests ${_backend_tests} ${_tests}/platform/media/midi_device_test.cpp
               ${PROJECT_SOURCE_DIR}/src/app/windows/windows_command_line.cpp)
target_link_libraries(xmascard_win32_tests PRIVATE xmascard_show xmascard_win32
                      xmascard_midi_device xmascard_test_backend gmock)
target_compile_definitions(xmascard_win32_tests PRIVATE XMASCARD_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
add_test(NAME windows.backend_tests COMMAND xmascard_win32_tests)
set_tests_properties(windows.backend_tests PROPERTIES ENVIRONMENT "${_headless}" TIMEOUT 600)

if(MAKENSIS)
  add_test(NAME e2e.windows_installer
    COMMAND bash ${_tests}/e2e/windows/test_installer.sh ${CMAKE_BINARY_DIR}/xmascard-setup.exe
            $<TARGET_FILE:xmascard>)
  set_tests_properties(e2e.windows_installer PROPERTIES TIMEOUT 300)
endif()
