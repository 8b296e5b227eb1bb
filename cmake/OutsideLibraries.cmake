# The outside libraries of the tool, the front end and the board's PNG reading, each as one
# imported target (Brenvik::zlib, Brenvik::stb, Brenvik::json, Brenvik::httplib) defined only
# where the library was found, for the native and the Windows cross build alike. Debian's
# header-only libraries serve the cross build through a folder of links in the build tree that
# names them alone: the build machine's /usr/include never joins the cross compiler's path.

set(BRENVIK_BUILD_MACHINE_HEADERS ${CMAKE_BINARY_DIR}/build-machine-headers)

# brenvik_headers(<name> <header> <folder>): Brenvik::<name> from <folder>/ of the build
# machine's headers, found by <header>.
function(brenvik_headers name header folder)
  find_path(BRENVIK_${name}_INCLUDE ${header} PATHS /usr/include NO_DEFAULT_PATH
            NO_CMAKE_FIND_ROOT_PATH)
  if(NOT BRENVIK_${name}_INCLUDE)
    return()
  endif()
  set(include ${BRENVIK_${name}_INCLUDE})
  if(CMAKE_CROSSCOMPILING)
    file(MAKE_DIRECTORY ${BRENVIK_BUILD_MACHINE_HEADERS})
    file(CREATE_LINK ${include}/${folder} ${BRENVIK_BUILD_MACHINE_HEADERS}/${folder} SYMBOLIC)
    set(include ${BRENVIK_BUILD_MACHINE_HEADERS})
  endif()
  add_library(Brenvik::${name} INTERFACE IMPORTED GLOBAL)
  # Outside code: its warnings are not ours to mend.
  target_include_directories(Brenvik::${name} SYSTEM INTERFACE ${include})
endfunction()

brenvik_headers(stb stb/stb_image.h stb)
brenvik_headers(json nlohmann/json.hpp nlohmann)

# zlib: the target system's own (libz-mingw-w64-dev for Windows, linked statically like the
# runtimes, so that no zlib1.dll is needed).
if(CMAKE_CROSSCOMPILING)
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB QUIET)
if(ZLIB_FOUND)
  add_library(Brenvik::zlib INTERFACE IMPORTED GLOBAL)
  target_link_libraries(Brenvik::zlib INTERFACE ZLIB::ZLIB)
endif()

# cpp-httplib: natively Debian's split library; the cross build compiles the whole header,
# which scripts/setup.sh takes from Debian's source package, against Winsock.
set(BRENVIK_HTTPLIB_SOURCE /usr/local/src/cpp-httplib CACHE PATH
    "Folder of the whole cpp-httplib header for cross builds")
if(CMAKE_CROSSCOMPILING)
  if(EXISTS ${BRENVIK_HTTPLIB_SOURCE}/httplib.h)
    add_library(Brenvik::httplib INTERFACE IMPORTED GLOBAL)
    target_include_directories(Brenvik::httplib SYSTEM INTERFACE ${BRENVIK_HTTPLIB_SOURCE})
    if(WIN32)
      target_link_libraries(Brenvik::httplib INTERFACE ws2_32)
    endif()
  endif()
else()
  find_package(PkgConfig QUIET)
  if(PkgConfig_FOUND)
    pkg_check_modules(HTTPLIB QUIET IMPORTED_TARGET GLOBAL cpp-httplib)
  endif()
  if(HTTPLIB_FOUND)
    add_library(Brenvik::httplib INTERFACE IMPORTED GLOBAL)
    target_link_libraries(Brenvik::httplib INTERFACE PkgConfig::HTTPLIB)
  endif()
endif()
