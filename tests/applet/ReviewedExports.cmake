# Shared by the export checks: reads the global names of the version script EXPORTS, sorted,
# and compares a module's sorted list of exported names with them.
function(reviewed_exports out)
  file(READ ${EXPORTS} map)
  string(REPLACE ";" " " map "${map}")
  string(REGEX REPLACE "/\\*[^*]*\\*/" "" map "${map}")
  string(REGEX MATCH "global:(.*)local:" globals "${map}")
  string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*" expected "${CMAKE_MATCH_1}")
  list(SORT expected)
  set(${out} ${expected} PARENT_SCOPE)
endfunction()

function(expect_reviewed_exports exported)
  reviewed_exports(expected)
  if(NOT exported STREQUAL expected)
    message(FATAL_ERROR
            "exports differ from the reviewed list:\n  module: ${exported}\n  list:   ${expected}")
  endif()
endfunction()
