# glyphward_add_resources(<target> <type> <name> <file> [<type> <name> <file>]...)
#
# Makes the static library <target> that embeds each file as a resource of
# the given type and name (a number, as MAKEINTRESOURCE, or a string) and
# registers them, when the module that links <target> is loaded, under that
# module's handle. One resource per line at the call, for example:
#   glyphward_add_resources(my_resources
#     WAVE 203 ${CMAKE_CURRENT_SOURCE_DIR}/resources/wave_header.bin)
function(glyphward_add_resources target)
  set(args ${ARGN})
  list(LENGTH args arg_count)
  math(EXPR remainder "${arg_count} % 3")
  if(arg_count EQUAL 0 OR NOT remainder EQUAL 0)
    message(FATAL_ERROR "glyphward_add_resources: expected <type> <name> <file> triples")
  endif()

  set(manifest "${CMAKE_CURRENT_BINARY_DIR}/${target}_manifest.cmake")
  set(source "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp")
  string(MAKE_C_IDENTIFIER "GlyphwardResources_${target}" anchor)
  set(files "")
  set(content "set(ANCHOR \"${anchor}\")\nset(RESOURCES \"\")\n")
  while(args)
    list(POP_FRONT args type name file)
    cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND files "${file}")
    string(APPEND content "list(APPEND RESOURCES \"${type}\" \"${name}\" \"${file}\")\n")
  endwhile()
  file(CONFIGURE OUTPUT "${manifest}" CONTENT "${content}")

  set(generator "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/EmbedResources.cmake")
  add_custom_command(
    OUTPUT "${source}"
    COMMAND ${CMAKE_COMMAND} -DMANIFEST=${manifest} -DOUTPUT=${source} -P ${generator}
    DEPENDS ${files} "${manifest}" "${generator}"
    COMMENT "Embedding resources of ${target}"
    VERBATIM)

  add_library(${target} STATIC "${source}")
  set_target_properties(${target} PROPERTIES
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_link_libraries(${target} PUBLIC win_resources)
  # Nothing refers to the table, so without this the linker would leave the
  # archive member, and with it the registration, out of every module.
  target_link_options(${target} INTERFACE "LINKER:--undefined=${anchor}")
endfunction()
