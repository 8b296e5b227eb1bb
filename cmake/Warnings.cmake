# Warnings are errors everywhere in our own code.
add_library(brenvik_warnings INTERFACE)
target_compile_options(brenvik_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Werror
  -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-align
  -Wconversion -Wformat=2 -Wimplicit-fallthrough)
