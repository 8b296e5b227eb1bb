# One switch turns on AddressSanitizer and UndefinedBehaviorSanitizer for every target,
# another ThreadSanitizer (they do not combine).
if(BRENVIK_SANITIZE AND BRENVIK_TSAN)
  message(FATAL_ERROR "BRENVIK_SANITIZE and BRENVIK_TSAN exclude each other")
endif()
if(BRENVIK_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(BRENVIK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
  # With clang every target also carries libFuzzer's coverage instrumentation, so that the
  # fuzz targets of the tests see into the libraries they drive.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_compile_options(-fsanitize=fuzzer-no-link)
    set(BRENVIK_FUZZING ON)
  endif()
  # GCC's flow analysis under the sanitizers reports uninitialised members inside the
  # standard library that are not there; the plain build keeps the warning.
  add_compile_options($<$<CXX_COMPILER_ID:GNU>:-Wno-maybe-uninitialized>)
elseif(NOT WIN32)
  # Shared libraries must resolve every symbol they use at link time (a DLL always does).
  add_link_options(-Wl,-z,defs)
endif()
