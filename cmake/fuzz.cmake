# The libFuzzer target for the picture pipeline, built with clang and
# nothing else of the tree: only the picture sources and the Text that Err
# holds, so none of the message tables, whose Shift-JIS texts clang cannot
# write, is needed.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "PLUMWICK_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++")
endif()

set(FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -O1 -g)
add_executable(picture_fuzzer
    tests/fuzz/picture_fuzzer.cpp
    src/picture/bitmap_header.cpp
    src/picture/bitmap_check.cpp
    src/picture/rle_codes.cpp
    src/picture/bitmap_rows.cpp
    src/picture/area_average.cpp
    src/picture/scaled_picture.cpp
    src/picture/quantise.cpp
    src/picture/make_logo.cpp
    src/text/text.cpp
)
target_compile_options(picture_fuzzer PRIVATE ${FUZZ_FLAGS} ${PLUMWICK_WARNINGS})
target_link_options(picture_fuzzer PRIVATE ${FUZZ_FLAGS})
