# The portable core and its unit tests, on the build machine.
enable_testing()
find_package(GTest REQUIRED)

add_library(plumwick_core STATIC ${CORE_SOURCES})
target_compile_options(plumwick_core PUBLIC ${PLUMWICK_CHARSET} -Wall -Wextra)

add_library(plumwick_fake STATIC tests/fake/fake_platform.cpp)
target_link_libraries(plumwick_fake PUBLIC plumwick_core)

file(GLOB UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE plumwick_fake GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 30)

# Figures, not tests: printed by bench/preview.sh.
add_executable(preview_quality bench/preview_quality.cpp)
target_link_libraries(preview_quality PRIVATE plumwick_fake)
# Printed by bench/convert.py.
add_executable(convert_quality bench/convert_quality.cpp)
target_link_libraries(convert_quality PRIVATE plumwick_core)

include(cmake/host.cmake)
