# The portable core and its unit tests, on the build machine.
# PLUMWICK_SANITIZE=ON builds them with AddressSanitizer and UBSan. Without
# GoogleTest the core and the plumwick command are built alone.
enable_testing()
find_package(GTest)
include(GoogleTest)
option(PLUMWICK_SANITIZE "build the core and its tests with AddressSanitizer and UBSan" OFF)

add_library(plumwick_core STATIC ${CORE_SOURCES})
plumwick_use_decoders(plumwick_core PRIVATE)
target_link_libraries(plumwick_core PUBLIC plumwick_decoders)
target_compile_options(plumwick_core PUBLIC ${PLUMWICK_CHARSET} ${PLUMWICK_WARNINGS})
if(PLUMWICK_SANITIZE)
    set(SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(plumwick_core PUBLIC ${SANITIZERS})
    target_compile_options(plumwick_decoders PRIVATE ${SANITIZERS})
    target_link_options(plumwick_core PUBLIC ${SANITIZERS})
endif()

add_library(plumwick_test_support STATIC tests/support/fake_platform.cpp tests/support/bitmaps.cpp)
target_include_directories(plumwick_test_support PUBLIC tests/support)
target_link_libraries(plumwick_test_support PUBLIC plumwick_core)

if(GTest_FOUND)
    file(GLOB UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
    add_executable(unit_tests ${UNIT_TESTS})
    # Debian's own decoders, to check the tool's readers against.
    find_package(JPEG REQUIRED)
    find_package(PNG REQUIRED)
    find_package(GIF REQUIRED)
    target_link_libraries(unit_tests PRIVATE plumwick_test_support GTest::gtest_main JPEG::JPEG PNG::PNG GIF::GIF)
    target_compile_definitions(unit_tests PRIVATE PLUMWICK_TEST_PICTURES="${CMAKE_SOURCE_DIR}/tests/unit/pictures")
    gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 30)
endif()

if(PLUMWICK_BENCHMARKS)
    # Figures, not tests: printed by bench/preview.py and bench/convert.py.
    add_executable(preview_quality bench/preview_quality.cpp)
    target_link_libraries(preview_quality PRIVATE plumwick_test_support)
    add_executable(convert_quality bench/convert_quality.cpp)
    target_link_libraries(convert_quality PRIVATE plumwick_core)
endif()

# Gives tools/gen_pictures.py's drawings their colours with the core's converter.
add_executable(picture_maker tools/picture_maker.cpp)
target_link_libraries(picture_maker PRIVATE plumwick_core)

include(cmake/host.cmake)
