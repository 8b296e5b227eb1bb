# Builds the Debian package of the build tree BUILD_DIR under WORK_DIR and checks that it
# holds the installation's layout: the applet and its runtime, the tool, the client library
# with its headers, CMake package and pkg-config file.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB packages ${WORK_DIR}/*.deb)
if(NOT status EQUAL 0 OR NOT packages)
  message(FATAL_ERROR "cpack failed (${status}):\n${out}")
endif()
execute_process(COMMAND ${DPKG_DEB} --contents ${packages} RESULT_VARIABLE status
                OUTPUT_VARIABLE listing ERROR_VARIABLE listing)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "dpkg-deb cannot read ${packages}:\n${listing}")
endif()
foreach(file lib/Brenvik.so lib/Brenvik.hap lib/libdravlib5.so lib/libsimboard.so
             lib/libbrenvik-host.so bin/brenvik bin/libcommon-logging-dispatcher.so
             include/brenvik/Applet.h include/brenvik/Host.h
             lib/cmake/Brenvik/BrenvikConfig.cmake lib/cmake/Brenvik/BrenvikConfigVersion.cmake
             lib/cmake/Brenvik/BrenvikTargets.cmake lib/pkgconfig/brenvik.pc)
  if(NOT listing MATCHES " \\./opt/brenvik/${file}( |\n)")
    message(FATAL_ERROR "the package lacks /opt/brenvik/${file}:\n${listing}")
  endif()
endforeach()
if(listing MATCHES "/variants/|/tests/")
  message(FATAL_ERROR "the package holds test files:\n${listing}")
endif()
