# Installs the build tree BUILD_DIR under WORK_DIR, builds the examples (SOURCE_DIR/examples)
# as a project of their own against the installation, once through its CMake package and, when
# PKG_CONFIG is given, once through pkg-config, and runs the grabs from another folder. With
# TOOLCHAIN the examples are cross-built with it and run through EMULATOR, with the
# installation's bin/ on Wine's search path.
set(prefix ${WORK_DIR}/prefix)
set(examples ${WORK_DIR}/examples)
file(REMOVE_RECURSE ${prefix} ${WORK_DIR}/by-pkg-config)
file(MAKE_DIRECTORY ${WORK_DIR}/by-pkg-config)

function(step description)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out
                  WORKING_DIRECTORY ${WORK_DIR})
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${description} failed (${status}):\n${out}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

function(expectTenFrames program)
  step("running ${program}" ${EMULATOR} ${program})
  if(NOT output MATCHES "frame 1: 512 x 1024, mean [0-9.e+]+\n.*frame 10: 512 x 1024, mean")
    message(FATAL_ERROR "${program} printed:\n${output}")
  endif()
endfunction()

step("installing" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(file include/brenvik/Host.h lib/cmake/Brenvik/BrenvikConfig.cmake
             lib/cmake/Brenvik/BrenvikConfigVersion.cmake lib/pkgconfig/brenvik.pc)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "the installation lacks ${file}")
  endif()
endforeach()

if(TOOLCHAIN)
  # The toolchain looks for packages in the target system's root alone: name this one.
  set(compiler -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DBrenvik_DIR=${prefix}/lib/cmake/Brenvik)
  set(ENV{WINEPATH} ${prefix}/bin)
  set(program grab.exe)
else()
  set(compiler -DCMAKE_CXX_COMPILER=${CXX_COMPILER})
  set(program grab)
endif()
step("configuring the examples" ${CMAKE_COMMAND} --fresh -S ${SOURCE_DIR}/examples -B ${examples}
     -G ${GENERATOR} ${compiler} -DCMAKE_PREFIX_PATH=${prefix})
step("building the examples" ${CMAKE_COMMAND} --build ${examples})
expectTenFrames(${examples}/${program})
if(NOT PKG_CONFIG)
  return()
endif()

set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig)
step("asking pkg-config" ${PKG_CONFIG} --cflags --libs brenvik)
string(STRIP "${output}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
step("compiling with pkg-config's flags" ${CXX_COMPILER} ${SOURCE_DIR}/examples/grab.cpp
     ${flags} -o ${WORK_DIR}/by-pkg-config/grab)
expectTenFrames(${WORK_DIR}/by-pkg-config/grab)
