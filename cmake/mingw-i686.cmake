# Release build for Windows 95/98: 32-bit, code for a 386.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PLUMWICK_ARCH_FLAGS -march=i386 -mtune=i386)
set(PLUMWICK_ENTRY _PlumwickEntry@0)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
