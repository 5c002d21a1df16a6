# SPDX-License-Identifier: MIT
# Every layer is one static library made of the sources in its folder, so adding a
# file needs no edit here. Layers link only downwards:
# app -> show/windows -> shaping -> layout -> platform.
function(xmascard_layer target dir)
  file(GLOB _sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  add_library(${target} STATIC ${_sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(${target} PUBLIC ${ARGN})
endfunction()
