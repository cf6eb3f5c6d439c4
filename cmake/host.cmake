# The plumwick command for Linux: the core's conversion and check, pictures
# read and written by Debian's libraries, disk images reached through mtools.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(GIF REQUIRED)
find_package(Threads REQUIRED)

file(GLOB HOST_SOURCES CONFIGURE_DEPENDS src/host/*.cpp)
add_executable(plumwick ${HOST_SOURCES})
target_link_libraries(plumwick PRIVATE plumwick_core PNG::PNG JPEG::JPEG GIF::GIF Threads::Threads)
install(TARGETS plumwick RUNTIME DESTINATION bin)

# The core's MakeLogo alone, for the tests to compare the command with.
add_executable(make_logo_reference tests/host/make_logo_reference.cpp)
target_link_libraries(make_logo_reference PRIVATE plumwick_core)
