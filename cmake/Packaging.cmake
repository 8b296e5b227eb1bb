# Installing for C++ users and packaging: the client library's headers and library, a CMake
# package exporting Brenvik::host (lib/cmake/Brenvik), a pkg-config file (lib/pkgconfig),
# and a Debian package of the whole installation (cpack -G DEB).
include(CMakePackageConfigHelpers)

install(TARGETS brenvik_host EXPORT BrenvikTargets
        LIBRARY DESTINATION ${BRENVIK_INSTALL_LIB_DIR}
        RUNTIME DESTINATION ${BRENVIK_INSTALL_BIN_DIR}
        ARCHIVE DESTINATION ${BRENVIK_INSTALL_LIB_DIR}
        INCLUDES DESTINATION include)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/host/include/brenvik DESTINATION include)

set(BRENVIK_CMAKE_DIR ${BRENVIK_INSTALL_LIB_DIR}/cmake/Brenvik)
install(EXPORT BrenvikTargets NAMESPACE Brenvik:: DESTINATION ${BRENVIK_CMAKE_DIR}
        FILE BrenvikTargets.cmake)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/BrenvikConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/packaging/BrenvikConfig.cmake
                              INSTALL_DESTINATION ${BRENVIK_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/packaging/BrenvikConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/packaging/BrenvikConfig.cmake
              ${CMAKE_BINARY_DIR}/packaging/BrenvikConfigVersion.cmake
        DESTINATION ${BRENVIK_CMAKE_DIR})

# The pkg-config file finds the installation relative to itself, wherever it was put.
get_target_property(BRENVIK_HOST_LIBRARY_NAME brenvik_host OUTPUT_NAME)
configure_file(${CMAKE_CURRENT_LIST_DIR}/brenvik.pc.in ${CMAKE_BINARY_DIR}/packaging/brenvik.pc
               @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/brenvik.pc
        DESTINATION ${BRENVIK_INSTALL_LIB_DIR}/pkgconfig)

# A Debian package of the installation, self-contained under /opt/brenvik (the applet finds
# its runtime, board and logging dispatcher relative to itself).
set(CPACK_PACKAGE_NAME brenvik)
set(CPACK_PACKAGE_VENDOR "Brenvik")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Acquisition applet on a simulated frame grabber, its tool and its C++ client library")
set(CPACK_PACKAGING_INSTALL_PREFIX /opt/brenvik)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Brenvik developers")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libstdc++6, zlib1g")
include(CPack)
