# Reads the applet DLL's tables with OBJDUMP (-p) and checks them: its exports are exactly the
# global names of EXPORTS, each by its plain name; it imports only from system DLLs (the C and
# C++ runtimes are linked in, so no MinGW DLL is needed) and from the platform's libraries,
# whose functions it imports by ordinal alone.
include(${CMAKE_CURRENT_LIST_DIR}/ReviewedExports.cmake)
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} failed on ${MODULE}")
endif()
string(REPLACE ";" "," listing "${listing}")

string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n(\t\\[ *[0-9]+\\] [^\n]*\n)*" table
       "${listing}")
string(REGEX MATCHALL "\t\\[ *[0-9]+\\] [^\n]+" entries "${table}")
set(exported)
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^\t\\[ *[0-9]+\\] " "" name "${entry}")
  list(APPEND exported ${name})
endforeach()
list(SORT exported)
expect_reviewed_exports("${exported}")

# One block per imported DLL: its name, then one line per imported function.
set(systemDlls kernel32.dll msvcrt.dll advapi32.dll user32.dll ntdll.dll)
set(platformDlls molvrt.dll vurn_hw.dll)
string(REGEX MATCHALL "DLL Name: [^\n]+\n[^\n]*\n(\t[0-9a-f]+\t[^\n]*\n)*" blocks "${listing}")
if(NOT blocks)
  message(FATAL_ERROR "no import tables in ${MODULE}")
endif()
set(imported)
foreach(block IN LISTS blocks)
  string(REGEX MATCH "DLL Name: ([^\n]+)" ignored "${block}")
  string(TOLOWER "${CMAKE_MATCH_1}" dll)
  list(APPEND imported ${dll})
  if(dll IN_LIST platformDlls)
    # An import by ordinal has no member name.
    string(REGEX MATCHALL "\n\t[0-9a-f]+\t[^\n]*" functions "${block}")
    foreach(function IN LISTS functions)
      if(NOT function MATCHES "<none>$")
        message(FATAL_ERROR "${dll} is imported by name:${function}")
      endif()
    endforeach()
  elseif(NOT dll IN_LIST systemDlls AND NOT dll MATCHES "^api-ms-win-")
    message(FATAL_ERROR "${MODULE} imports ${dll}, which is no system DLL")
  endif()
endforeach()
list(LENGTH exported count)
message(STATUS "${count} exports, as reviewed; imports from ${imported}")
