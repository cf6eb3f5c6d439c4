# The plumwick command for Linux: the core's conversion and check, pictures
# read and written by Debian's libraries, disk images reached through mtools.
# Packed as a Debian package by CPack.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(GIF REQUIRED)
find_package(Threads REQUIRED)

file(GLOB HOST_SOURCES CONFIGURE_DEPENDS src/host/*.cpp)
add_executable(plumwick ${HOST_SOURCES})
target_link_libraries(plumwick PRIVATE plumwick_core PNG::PNG JPEG::JPEG GIF::GIF Threads::Threads)
install(TARGETS plumwick RUNTIME DESTINATION bin)

# The file system plumwick changes images through, call by call on a real one.
list(FILTER HOST_SOURCES EXCLUDE REGEX "main\\.cpp$")
add_executable(disk_files_tests tests/host/disk_files_test.cpp ${HOST_SOURCES})
target_link_libraries(disk_files_tests PRIVATE plumwick_core PNG::PNG JPEG::JPEG GIF::GIF GTest::gtest_main)
gtest_discover_tests(disk_files_tests DISCOVERY_TIMEOUT 30)

file(STRINGS src/resources/version.h PLUMWICK_VERSION_LINE REGEX "#define PLUMWICK_VERSION_TEXT ")
string(REGEX REPLACE ".*\"([^\"]+)\".*" "\\1" PLUMWICK_VERSION "${PLUMWICK_VERSION_LINE}")

# Packing installs the command alone, built beforehand, not everything.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plumwick)
set(CPACK_PACKAGE_VERSION ${PLUMWICK_VERSION})
set(CPACK_PACKAGE_CONTACT "Plumwick developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Windows 95/98 start-up and shutdown logos into an emulator's disk image")
set(CPACK_PACKAGE_DESCRIPTION "Makes logo.sys, logow.sys and logos.sys from any PNG, JPEG, GIF or BMP picture, shows what Windows will show, and installs the logos into a raw or fixed-VHD disk image of Windows 95 or 98, saving the old ones for a later restore.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS mtools)
set(CPACK_STRIP_FILES ON)
include(CPack)
