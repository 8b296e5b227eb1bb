# brenvik_embed_resource(<variable> <input file> <symbol>)
# Turns a file into a C++ source defining `<symbol>`: an EmbeddedBlock record (size in
# bytes, then pointer) over the file's bytes, and sets <variable> to the source's path.
set(BRENVIK_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cmake)

function(brenvik_embed_resource variable input symbol)
  get_filename_component(name ${input} NAME)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded/${name}.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${BRENVIK_EMBED_SCRIPT}
    DEPENDS ${input} ${BRENVIK_EMBED_SCRIPT}
    COMMENT "Embedding ${name}"
    VERBATIM)
  set(${variable} ${output} PARENT_SCOPE)
endfunction()
