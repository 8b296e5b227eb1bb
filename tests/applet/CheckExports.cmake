# Compares the dynamic symbols that MODULE defines with the global list of EXPORTS.
include(${CMAKE_CURRENT_LIST_DIR}/ReviewedExports.cmake)
execute_process(COMMAND nm -D --defined-only ${MODULE} OUTPUT_VARIABLE listing
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${MODULE}")
endif()
string(REGEX MATCHALL "[0-9a-f]+ [TDBRW] ([A-Za-z_][A-Za-z0-9_]*)" entries "${listing}")
set(exported)
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^[0-9a-f]+ [TDBRW] " "" name "${entry}")
  list(APPEND exported ${name})
endforeach()
list(SORT exported)

expect_reviewed_exports("${exported}")
list(LENGTH exported count)
message(STATUS "${count} exports, as reviewed")
