# lum_embed_resources(target folder): compiles every file directly in the folder into the
# target as a resource named after the file without extension, in upper case (see
# framework/win32/gdi/Resources.h). The table is regenerated when a file changes, and the
# glob is checked again at each build, so added or removed files are noticed too.
#
# Each table registers itself from a static initialiser. A linker drops archive members
# that nothing references, so the target also asks everything that links it to keep the
# table's symbol (--undefined), which pulls its object file in from a static library.

include_guard(GLOBAL)

add_executable(lum_embed_resources_tool ${CMAKE_CURRENT_LIST_DIR}/EmbedResources.cpp)

function(lum_embed_resources target folder)
  file(GLOB files LIST_DIRECTORIES false CONFIGURE_DEPENDS ${folder}/*)
  list(FILTER files EXCLUDE REGEX "/\\.[^/]*$")
  list(SORT files)
  string(MAKE_C_IDENTIFIER "lum_resources_${target}" symbol)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND lum_embed_resources_tool ${output} ${symbol} ${files}
    DEPENDS lum_embed_resources_tool ${files}
    COMMENT "Embedding the resources of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
  target_link_options(${target} INTERFACE "LINKER:--undefined=${symbol}")
endfunction()
