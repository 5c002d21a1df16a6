# SPDX-License-Identifier: MIT
# The browser card's own tests: the headless tests as one WebAssembly program under node
# (the toolchain's emulator), with the machine's files through node's (NODERAWFS), as the
# Windows ones run under Wine.
set(_node_program -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1 -sENVIRONMENT=node)
target_link_options(xmascard_tests PRIVATE ${_node_program})
# Left out: two start-up tests that read the card's messages back through GoogleTest's
# capture of standard error, which Emscripten's descriptors do not carry (the messages
# vanish); the same code is tested so on Linux and Windows.
add_test(NAME web.unit_tests
  COMMAND xmascard_tests --gtest_filter=-StartUp.GoesOnWhenAFileCannotBeWritten:StartUp.GoesOnWhenTheDirectoryIsMissing)
set_tests_properties(web.unit_tests PROPERTIES ENVIRONMENT "XMASCARD_AUDIO=none" TIMEOUT 600)

# The card end to end in Debian's Chromium, headless, on Playwright's fake clock: the file
# alone in an empty folder from file://, on a desktop and a phone viewport. Playwright's
# library comes from tools/web/setup.sh.
add_test(NAME web.e2e_card_in_browser
  COMMAND ${XMASCARD_NODE} ${CMAKE_CURRENT_SOURCE_DIR}/e2e/web/test_card_in_browser.js
          $<TARGET_FILE:xmascard> ${CMAKE_CURRENT_BINARY_DIR}/e2e-artifacts/web)
set_tests_properties(web.e2e_card_in_browser PROPERTIES TIMEOUT 600 LABELS e2e)

# Tests of the web backend itself: the page's windows and pixels, the rendered music.
file(GLOB _backend_tests CONFIGURE_DEPENDS backends/web/*.cpp)
add_executable(xmascard_web_tests ${_backend_tests})
target_link_libraries(xmascard_web_tests PRIVATE xmascard_web xmascard_test_backend GTest::gmock)
target_compile_definitions(xmascard_web_tests PRIVATE XMASCARD_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_link_options(xmascard_web_tests PRIVATE ${_node_program})
add_test(NAME web.backend_tests COMMAND xmascard_web_tests)
set_tests_properties(web.backend_tests PROPERTIES ENVIRONMENT "XMASCARD_AUDIO=none" TIMEOUT 600)
