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
