# brenvik_layer(<folder> [SOURCES ...] [USES <folder>...] [LINKS <target>...])
#
# Builds one source folder as the library brenvik_<folder> (alias Brenvik::<folder>): static
# when it has sources, header-only otherwise. Its sources and its users include its headers
# as "<folder>/...", through an include root in the build tree that holds a link to that
# folder alone. A layer sees only its own folder and the folders it USES (and theirs), so an
# include that points up the layers does not compile.
function(brenvik_layer folder)
  cmake_parse_arguments(L "" "" "SOURCES;USES;LINKS" ${ARGN})
  set(target brenvik_${folder})
  set(root ${CMAKE_BINARY_DIR}/layers/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)

  list(TRANSFORM L_USES PREPEND brenvik_ OUTPUT_VARIABLE uses)
  if(L_SOURCES)
    add_library(${target} STATIC ${L_SOURCES})
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${root}>)
    target_link_libraries(${target} PUBLIC ${uses} PRIVATE brenvik_warnings ${L_LINKS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE $<BUILD_INTERFACE:${root}>)
    target_link_libraries(${target} INTERFACE ${uses} ${L_LINKS})
  endif()
  add_library(Brenvik::${folder} ALIAS ${target})
endfunction()
