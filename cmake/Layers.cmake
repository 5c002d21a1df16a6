# SPDX-License-Identifier: MIT
# Every layer is one static library made of the sources in its folders (under src/), so
# adding a file needs no edit here. Layers link only downwards:
# app -> show/windows -> shaping -> layout -> platform.
#
#   xmascard_layer(TARGET FOLDER... [LINKS LIBRARY...])
function(xmascard_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 _layer "" "" "LINKS")
  set(_sources "")
  foreach(_dir IN LISTS _layer_UNPARSED_ARGUMENTS)
    file(GLOB _found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${_dir}/*.cpp
         ${PROJECT_SOURCE_DIR}/src/${_dir}/*.h)
    list(APPEND _sources ${_found})
  endforeach()
  add_library(${target} STATIC ${_sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(${target} PUBLIC ${_layer_LINKS})
endfunction()

# Win32 code takes the wide (UTF-16) calls and no min/max macros from windows.h.
function(xmascard_win32_definitions target scope)
  target_compile_definitions(${target} ${scope} UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
endfunction()
