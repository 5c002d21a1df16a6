# SPDX-License-Identifier: MIT
# The Windows card's own tests, run under Wine (the toolchain's emulator): the headless
# tests as one Windows program, the Win32 backend's, and the end-to-end tests of the card
# and its installer under Wine on Xvfb.
#
# One test per executable: each Wine process takes seconds to start, so a test per case
# would spend minutes starting them. GoogleTest's output names any case that fails.
set(_headless "XMASCARD_AUDIO=none;XMASCARD_WINE_GRAPHICS=null")
add_test(NAME windows.unit_tests COMMAND xmascard_tests)
set_tests_properties(windows.unit_tests PROPERTIES ENVIRONMENT "${_headless}" TIMEOUT 600)

# The Windows card under Wine on Xvfb, without a window manager and under openbox.
add_test(NAME e2e.windows_card
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/windows/test_windows_card.sh
          $<TARGET_FILE:xmascard> ${CMAKE_BINARY_DIR}/e2e-artifacts)
set_tests_properties(e2e.windows_card PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE)

# Tests of the Win32 backend itself, with, in the same Wine process, the music's path to a
# MIDI device.
file(GLOB _backend_tests CONFIGURE_DEPENDS backends/win32/*.cpp)
add_executable(xmascard_win32_tests ${_backend_tests} platform/media/midi_device_test.cpp)
target_link_libraries(xmascard_win32_tests PRIVATE xmascard_show xmascard_win32
                      xmascard_midi_device xmascard_test_backend GTest::gmock)
target_compile_definitions(xmascard_win32_tests PRIVATE XMASCARD_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
add_test(NAME windows.backend_tests COMMAND xmascard_win32_tests)
set_tests_properties(windows.backend_tests PROPERTIES ENVIRONMENT "${_headless}" TIMEOUT 600)

if(MAKENSIS)
  add_test(NAME e2e.windows_installer
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/windows/test_installer.sh
            ${CMAKE_BINARY_DIR}/xmascard-setup.exe $<TARGET_FILE:xmascard>)
  set_tests_properties(e2e.windows_installer PROPERTIES TIMEOUT 300)
endif()
