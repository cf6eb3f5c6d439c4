# The plumwick command for Linux: the core's readers, conversion and check,
# pictures written by Debian's libpng and giflib, disk images reached
# through mtools.
# Packed as a Debian package by CPack.
find_package(PNG REQUIRED)
find_package(GIF REQUIRED)
find_package(Threads REQUIRED)

file(GLOB HOST_SOURCES CONFIGURE_DEPENDS src/host/*.cpp)
add_executable(plumwick ${HOST_SOURCES})
target_link_libraries(plumwick PRIVATE plumwick_core PNG::PNG GIF::GIF Threads::Threads)
install(TARGETS plumwick RUNTIME DESTINATION bin)

# The file system plumwick changes images through, call by call on a real one.
if(GTest_FOUND)
    list(FILTER HOST_SOURCES EXCLUDE REGEX "main\\.cpp$")
    add_executable(disk_files_tests tests/host/disk_files_test.cpp ${HOST_SOURCES})
    target_link_libraries(disk_files_tests PRIVATE plumwick_core PNG::PNG GIF::GIF GTest::gtest_main)
    gtest_discover_tests(disk_files_tests DISCOVERY_TIMEOUT 30)
endif()

file(STRINGS src/resources/version.h PLUMWICK_VERSION_LINE REGEX "#define PLUMWICK_VERSION_TEXT ")
string(REGEX REPLACE ".*\"([^\"]+)\".*" "\\1" PLUMWICK_VERSION "${PLUMWICK_VERSION_LINE}")

# What a Debian package holds beside the command: its manual page and
# changelog, compressed without a time stamp so that a build gives the same
# bytes, its copyright file and its bash completion.
find_program(GZIP gzip REQUIRED)
set(PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
foreach(page plumwick.1 debian/changelog)
    get_filename_component(name ${page} NAME)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${name}.gz
        COMMAND ${GZIP} -n -9 -c ${PACKAGING}/${page} > ${CMAKE_BINARY_DIR}/${name}.gz
        DEPENDS ${PACKAGING}/${page} VERBATIM)
endforeach()
add_custom_target(plumwick_pages ALL DEPENDS ${CMAKE_BINARY_DIR}/plumwick.1.gz ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/plumwick.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz ${PACKAGING}/debian/copyright DESTINATION share/doc/plumwick)
install(FILES ${PACKAGING}/plumwick.bash-completion DESTINATION share/bash-completion/completions
        RENAME plumwick)
install(FILES ${PACKAGING}/debian/lintian-overrides DESTINATION share/lintian/overrides RENAME plumwick)

# Packing installs the command alone, built beforehand, not everything.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plumwick)
set(CPACK_PACKAGE_VERSION ${PLUMWICK_VERSION})
set(CPACK_PACKAGE_CONTACT "Plumwick developers <maintainers@users.noreply.c-seed-77863b17.example>")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Windows 95/98 start-up and shutdown logos into emulators' disk images
Makes logo.sys, logow.sys and logos.sys, the logos Windows 95 and 98 show
while they start and shut down, from any PNG, JPEG, GIF or BMP picture,
shows what Windows will show, and puts the logos into the disk image of an
emulated Windows 95/98 machine: raw, fixed VHD, and through QEMU qcow2, VDI,
VMDK, VHDX, dynamic VHD and QED. The image's own logos are kept for a later
restore.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS mtools)
# Images other than raw ones are reached through QEMU's storage daemon and FUSE.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qemu-system-common, fuse3")
set(CPACK_STRIP_FILES ON)
include(CPack)
