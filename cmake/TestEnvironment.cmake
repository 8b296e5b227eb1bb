# Environment switches of the applet are cleared for every test process; a test that needs
# one sets it through ENVIRONMENT.
set(BRENVIK_CLEAN_ENVIRONMENT
  VURN_ENABLE_DRA=unset:
  VURN_ENABLE_DTOLQA=unset:
  __VURN_FORCE_EXTERNAL_HAP=unset:
  VURNDIR5=unset:
  VURNDIR5_64=unset:
  BRENVIK_LOG=unset:
  BRENVIK_LOG_FILE=unset:)

# The sanitizer runtimes intercept dlopen, which hides the applet's own run path from the
# dynamic loader when the applet loads the SDK runtime by plain name; in that build the
# tests name the library directory on the search path instead (a test that picks a runtime
# variant replaces it).
if(BRENVIK_SANITIZE OR BRENVIK_TSAN)
  list(APPEND BRENVIK_CLEAN_ENVIRONMENT LD_LIBRARY_PATH=set:${BRENVIK_LIB_DIR})
endif()

# Cross-built Windows tests run under Wine (the emulator of cmake/toolchains), headless, in a
# prefix of their own inside the build tree (created once by scripts/test.sh). The DLLs sit in
# bin/, which the test programs in tests/ find on PATH (set for Wine through WINEPATH).
if(WIN32 AND CMAKE_CROSSCOMPILING)
  list(APPEND BRENVIK_CLEAN_ENVIRONMENT
    WINEPREFIX=set:${CMAKE_BINARY_DIR}/wine
    WINEDEBUG=set:-all
    WINEDLLOVERRIDES=set:mscoree,mshtml=
    WINEPATH=set:${BRENVIK_BIN_DIR})
endif()

# brenvik_library_search(<variable> <directory>)
# Sets <variable> to the NAME=VALUE environment entry that puts <directory> first on a test
# process's library search path, so that a runtime variant there wins over the ordinary
# runtime: LD_LIBRARY_PATH on ELF systems; on Windows the PATH of the Wine process, before
# the bin folder that the test programs need too.
function(brenvik_library_search variable directory)
  if(WIN32)
    # A semicolon would split the entry as a CMake list: brenvik_test_run turns the
    # placeholder into an escaped one when it hands the entries to CTest.
    set(${variable} "WINEPATH=${directory}<PATH-SEPARATOR>${BRENVIK_BIN_DIR}" PARENT_SCOPE)
  else()
    set(${variable} "LD_LIBRARY_PATH=${directory}" PARENT_SCOPE)
  endif()
endfunction()
