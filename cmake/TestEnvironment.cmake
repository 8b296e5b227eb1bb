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
