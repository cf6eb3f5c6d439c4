# The same sources for 64-bit Windows, for hosts whose kernel runs no 32-bit
# program: there only 64-bit Wine runs, and the tests drive this build.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PLUMWICK_ARCH_FLAGS "")
set(PLUMWICK_ENTRY PlumwickEntry)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
