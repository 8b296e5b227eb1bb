# The warnings every target of our own code is built with. They are errors when
# BRENVIK_WERROR is on (the build scripts and CI turn it on); off by default, so that a
# newer compiler's new warnings never stop a user's build.
option(BRENVIK_WERROR "Treat compiler warnings as errors" OFF)

add_library(brenvik_warnings INTERFACE)
add_library(Brenvik::warnings ALIAS brenvik_warnings)
target_compile_options(brenvik_warnings INTERFACE
  -Wall -Wextra -Wpedantic $<$<BOOL:${BRENVIK_WERROR}>:-Werror>
  -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-align
  -Wconversion -Wformat=2 -Wimplicit-fallthrough)
