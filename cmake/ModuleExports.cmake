# brenvik_export_list(<target> <list>)
# Limits what the shared library <target> exports to the global names of <list>, a linker
# version script ("global:" names, then "local: *;"). On ELF systems the script itself does
# it, and -Bsymbolic keeps the library's calls to its own functions inside it. On Windows a
# .def file with the same names is generated from the script (the names' BRENVIK_LISTED mark
# is empty there), and no static library linked in adds exports of its own.
function(brenvik_export_list target list)
  if(WIN32)
    file(READ ${list} script)
    string(REGEX REPLACE "/\\*([^*]|\\*[^/])*\\*/" "" script "${script}")
    string(REGEX MATCH "global:(.*)local:" ignored "${script}")
    string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*" names "${CMAKE_MATCH_1}")
    list(JOIN names "\n  " lines)
    set(def ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
    file(CONFIGURE OUTPUT ${def} CONTENT "EXPORTS\n  ${lines}\n")
    target_sources(${target} PRIVATE ${def})
    target_link_options(${target} PRIVATE -Wl,--exclude-libs,ALL)
  else()
    target_link_options(${target} PRIVATE -Wl,-Bsymbolic -Wl,--version-script=${list})
  endif()
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${list})
endfunction()

# brenvik_marked_exports(<target> [<list>])
# A shared library that exports what its sources mark BRENVIK_EXPORT. On ELF systems <list>,
# a version script, also keeps the instantiations of standard templates local, and
# -Bsymbolic binds the library's own calls inside it; on Windows the marks alone decide, and
# no static library linked in adds exports of its own.
function(brenvik_marked_exports target)
  if(WIN32)
    target_link_options(${target} PRIVATE -Wl,--exclude-libs,ALL)
  else()
    target_link_options(${target} PRIVATE -Wl,-Bsymbolic)
    if(ARGC GREATER 1)
      target_link_options(${target} PRIVATE -Wl,--version-script=${ARGV1})
      set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${ARGV1})
    endif()
  endif()
endfunction()

# brenvik_ordinal_exports(<target> <header> <prefix>)
# A platform library that its users import by ordinal on Windows: the ordinals are the ones
# <header> gives in a comment after each declaration of a function named <prefix>..., and
# the generated .def file exports the functions by ordinal alone. On ELF systems the names
# are exported and -Bsymbolic binds the library's own calls inside it.
function(brenvik_ordinal_exports target header prefix)
  if(WIN32)
    file(READ ${header} declarations)
    # Statements end in "|" here: a semicolon would split the matches as a CMake list.
    string(REPLACE ";" "|" declarations "${declarations}")
    string(REGEX MATCHALL "${prefix}[A-Za-z0-9_]*\\([^|]*\\)\\|[ \t]*// [0-9]+" entries
           "${declarations}")
    set(lines)
    foreach(entry IN LISTS entries)
      string(REGEX MATCH "^[A-Za-z0-9_]+" name "${entry}")
      string(REGEX MATCH "[0-9]+$" ordinal "${entry}")
      string(APPEND lines "  ${name} @${ordinal} NONAME\n")
    endforeach()
    if(NOT lines)
      message(FATAL_ERROR "no ${prefix} ordinals in ${header}")
    endif()
    set(def ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
    file(CONFIGURE OUTPUT ${def} CONTENT "EXPORTS\n${lines}")
    target_sources(${target} PRIVATE ${def})
    target_link_options(${target} PRIVATE -Wl,--exclude-libs,ALL)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${header})
  else()
    target_link_options(${target} PRIVATE -Wl,-Bsymbolic)
  endif()
endfunction()
