# Cross-builds the Windows x86-64 DLLs and programs with Debian's MinGW-w64 GCC
# (g++-mingw-w64-x86-64). The posix thread model gives the standard library its threads and
# mutexes; every module links the C and C++ runtimes statically, so a user needs no MinGW
# DLLs. Tests run under Wine when it is there.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRENVIK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRENVIK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRENVIK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRENVIK_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BRENVIK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

find_program(BRENVIK_WINE NAMES wine wine64)
if(BRENVIK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BRENVIK_WINE})
endif()
