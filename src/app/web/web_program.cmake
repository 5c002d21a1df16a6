# SPDX-License-Identifier: MIT
# The web card: xmascard.html, one file that carries the WebAssembly program and everything
# it plays, made from the page of web/shell.html (not minified: Debian's emcc 3.1.6 fails
# to call htmlmin). No threads (a page from file:// may not
# share memory), so the sound is rendered on the page's own thread.
file(GLOB _app CONFIGURE_DEPENDS web/*.cpp web/*.h)
add_executable(xmascard ${_app})
target_link_libraries(xmascard PRIVATE xmascard_front_door xmascard_web)
set(_shell ${CMAKE_CURRENT_SOURCE_DIR}/web/shell.html)
target_link_options(xmascard PRIVATE
  -sSINGLE_FILE=1 -sMINIFY_HTML=0 -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB -sENVIRONMENT=web
  -sINVOKE_RUN=0 -sEXIT_RUNTIME=0 -sEXPORTED_RUNTIME_METHODS=callMain
  -sEXPORTED_FUNCTIONS=_main,_xmascard_pointer,_xmascard_embedded_file,_xmascard_text_typed,_malloc,_free
  --shell-file ${_shell})
set_target_properties(xmascard PROPERTIES SUFFIX .html RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
                      LINK_DEPENDS ${_shell})
