# Configures SOURCE_DIR without tests in a Release build with the default generator, builds
# and installs it under WORK_DIR, checks the installation's layout, and runs the installed
# tool with a clean environment from another folder while the build tree is out of reach.
set(tree ${WORK_DIR}/tree)
set(hiddenTree ${WORK_DIR}/tree.hidden)
set(prefix ${WORK_DIR}/prefix)
set(elsewhere ${WORK_DIR}/elsewhere)
# A run stopped while the tree was hidden leaves it there.
if(EXISTS ${hiddenTree} AND NOT EXISTS ${tree})
  file(RENAME ${hiddenTree} ${tree})
endif()
file(REMOVE_RECURSE ${prefix} ${elsewhere})
file(MAKE_DIRECTORY ${elsewhere})

function(step description)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${description} failed (${status}):\n${out}")
  endif()
endfunction()

# --fresh drops the cache, so each run configures as a first one; the objects stay.
step("configuring" ${CMAKE_COMMAND} --fresh -S ${SOURCE_DIR} -B ${tree} -G "Unix Makefiles"
     -DCMAKE_C_COMPILER=${C_COMPILER} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
     -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DBRENVIK_WERROR=ON)
# Nothing that only the tests and benchmarks need was looked for (pkg-config may be: the
# tool's web front end finds its optional HTTP library through it).
file(READ ${tree}/CMakeCache.txt cache)
foreach(testOnly GTest_DIR benchmark_DIR BRENVIK_XMLLINT)
  if(cache MATCHES "(^|\n)${testOnly}:")
    message(FATAL_ERROR "a build without tests looked for ${testOnly}")
  endif()
endforeach()
step("building" ${CMAKE_COMMAND} --build ${tree} --parallel 2)
step("installing" ${CMAKE_COMMAND} --install ${tree} --prefix ${prefix})

foreach(file lib/Brenvik.so lib/Brenvik.hap lib/libdravlib5.so lib/libmolvrt.so
             lib/libvurn_hw.so lib/libsimboard.so bin/brenvik
             bin/libcommon-logging-dispatcher.so)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "the installation lacks ${file}")
  endif()
endforeach()
if(EXISTS ${prefix}/lib/variants)
  message(FATAL_ERROR "the runtime variants for failure tests were installed")
endif()

# Runs the installed tool with a clean environment plus the ENV=VALUE settings and arguments
# in ARGN, and checks its exit status and output; the tree is moved away first so that
# nothing installed can reach into it.
function(runInstalled expectedStatus pattern)
  file(RENAME ${tree} ${hiddenTree})
  execute_process(COMMAND ${ENV} -i PATH=/usr/bin:/bin ${ARGN}
                  WORKING_DIRECTORY ${elsewhere}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  file(RENAME ${hiddenTree} ${tree})
  string(REPLACE "\n" " " flat "${out}")
  if(NOT status STREQUAL expectedStatus OR NOT flat MATCHES "${pattern}")
    message(FATAL_ERROR "'${ARGN}' exited with ${status}, expected ${expectedStatus} and "
                        "'${pattern}':\n${out}")
  endif()
endfunction()
set(tool ${prefix}/bin/brenvik)
runInstalled(0 "creation +ok.*applet name \\(0x1050\\) +Brenvik" ${tool} info)
runInstalled(0 "FG_WIDTH \\(100\\) = 1024" ${tool} get FG_WIDTH)
# The applet's log line shows that it found the logging dispatcher in the installation.
runInstalled(1 "vurn.wrapper.Brenvik .4. .*trying to get unknown SDK parameter '12345'"
             BRENVIK_LOG=*=4 ${tool} get 12345)
