# SPDX-License-Identifier: MIT
# The Linux card's own tests: the headless tests discovered case by case, the Qt and X11
# backends and the program's parts, the media engine and the video encoder, end-to-end
# tests on Xvfb, the seam between the model and its backends, and the installed tree.
# The POSIX files' own cases (the Win32 ones are the Windows backend's tests).
file(GLOB _io_tests CONFIGURE_DEPENDS platform/io/*.cpp)
target_sources(xmascard_tests PRIVATE ${_io_tests})
gtest_discover_tests(xmascard_tests
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XMASCARD_AUDIO=none"
  DISCOVERY_TIMEOUT 60)

# Tests of the Qt and X11 backends.
file(GLOB _backend_tests CONFIGURE_DEPENDS backends/qt/*.cpp backends/x11/*.cpp)
add_executable(xmascard_backend_tests ${_backend_tests})
target_link_libraries(xmascard_backend_tests PRIVATE xmascard_show xmascard_qt xmascard_x11
                      xmascard_test_backend GTest::gmock)
gtest_discover_tests(xmascard_backend_tests
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XMASCARD_AUDIO=none"
  DISCOVERY_TIMEOUT 60)

# The media engine has its own tests (offline renders, fuzzing), and so has the video
# encoder, free of Qt like the encoder.
add_subdirectory(platform/media)
add_subdirectory(platform/media/ffmpeg)

# End-to-end tests drive the real program on a real X server (Xvfb), each test on displays
# of its own. Most run alone; the ones that mostly wait while whole shows play in real time
# run beside each other and the unit tests (the test presets run three tests at a time).
set(_e2e_side_by_side test_show_on_x test_window_managers test_card_names)
file(GLOB _e2e_scripts CONFIGURE_DEPENDS e2e/test_*.sh)
foreach(_script ${_e2e_scripts})
  get_filename_component(_name ${_script} NAME_WE)
  add_test(NAME e2e.${_name}
    COMMAND bash ${_script} $<TARGET_FILE:xmascard> ${CMAKE_CURRENT_BINARY_DIR}/e2e-artifacts)
  set_tests_properties(e2e.${_name} PROPERTIES TIMEOUT 300)
  if(NOT _name IN_LIST _e2e_side_by_side)
    set_tests_properties(e2e.${_name} PROPERTIES RUN_SERIAL TRUE)
  endif()
endforeach()

# The end-to-end scripts show single windows through this harness; it lands beside the
# program so that the scripts find it from the program's path.
add_executable(window_harness e2e/window_harness.cpp)
target_link_libraries(window_harness PRIVATE xmascard_show xmascard_qt)
set_target_properties(window_harness PROPERTIES AUTOMOC ON)
set_target_properties(window_harness PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Reads window shapes and the pointer's cursor back from the X server for those scripts.
pkg_check_modules(XPROBE REQUIRED IMPORTED_TARGET x11 xext xfixes)
add_executable(x_probe e2e/x_probe.cpp)
target_link_libraries(x_probe PRIVATE PkgConfig::XPROBE)
set_target_properties(x_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The check of the seam catches what is planted where it does not belong.
add_test(NAME architecture.seam_check_plants
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/architecture/check_seam_test.py
          ${PROJECT_SOURCE_DIR})

# The installed tree, checked with the desktop's own validators.
add_test(NAME install.installed_tree
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install/test_installed_tree.sh
    ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR}/installed-tree)
