# One switch turns on AddressSanitizer and UndefinedBehaviorSanitizer for every target.
if(BRENVIK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
  # GCC's flow analysis under the sanitizers reports uninitialised members inside the
  # standard library that are not there; the plain build keeps the warning.
  add_compile_options($<$<CXX_COMPILER_ID:GNU>:-Wno-maybe-uninitialized>)
elseif(NOT WIN32)
  # Shared libraries must resolve every symbol they use at link time (a DLL always does).
  add_link_options(-Wl,-z,defs)
endif()
