# The libFuzzer targets, built with clang and nothing else of the tree: the
# picture pipeline's, on the picture sources and the Text that Err holds,
# each decoder's, and the plumwick command's readers', on theirs; none of the message
# tables, whose Shift-JIS texts clang cannot write, is needed.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "PLUMWICK_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++")
endif()

set(FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -O1 -g)
set(FUZZED_PICTURE_SOURCES
    src/picture/bitmap_header.cpp
    src/picture/byte_source.cpp
    src/picture/byte_reader.cpp
    src/picture/bitmap_check.cpp
    src/picture/rle_codes.cpp
    src/picture/bitmap_rows.cpp
    src/picture/exif_orientation.cpp
    src/picture/jpeg_rows.cpp
    src/picture/png_rows.cpp
    src/picture/gif_rows.cpp
    src/picture/picture_rows.cpp
    src/picture/area_average.cpp
    src/picture/scaled_picture.cpp
    src/picture/quantise.cpp
    src/picture/band.cpp
    src/picture/make_logo.cpp
    src/text/text.cpp
)
add_executable(picture_fuzzer tests/fuzz/picture_fuzzer.cpp ${FUZZED_PICTURE_SOURCES})
# The decoders with the fuzzer's coverage and AddressSanitizer; not UBSan,
# whose reports in their code would be theirs, not ours.
target_compile_options(plumwick_decoders PRIVATE -fsanitize=fuzzer-no-link,address -O1 -g)

# One target for each decoder, from the same source.
set(DECODER_FUZZERS jpeg_fuzzer JpegRows png_fuzzer PngRows gif_fuzzer GifRows)
while(DECODER_FUZZERS)
    list(POP_FRONT DECODER_FUZZERS fuzzer rows)
    add_executable(${fuzzer} tests/fuzz/decoder_fuzzer.cpp ${FUZZED_PICTURE_SOURCES})
    target_compile_definitions(${fuzzer} PRIVATE FUZZED_ROWS=${rows})
    list(APPEND FUZZERS ${fuzzer})
endwhile()

add_executable(host_fuzzer
    tests/fuzz/host_fuzzer.cpp
    ${FUZZED_PICTURE_SOURCES}
    src/logo_files/backup_record.cpp
    src/logo_files/slots.cpp
    src/logo_files/safe_replace.cpp
    src/host/dos_drives.cpp
    src/host/child_process.cpp
    src/host/fat_volume.cpp
    src/host/host_files.cpp
    src/host/image_file.cpp
    src/host/image_format.cpp
    src/host/logo_from_picture.cpp
    src/host/msdos_sys.cpp
)

foreach(fuzzer picture_fuzzer host_fuzzer ${FUZZERS})
    plumwick_use_decoders(${fuzzer} PRIVATE)
    target_link_libraries(${fuzzer} PRIVATE plumwick_decoders)
    target_compile_options(${fuzzer} PRIVATE ${FUZZ_FLAGS} ${PLUMWICK_WARNINGS})
    target_link_options(${fuzzer} PRIVATE ${FUZZ_FLAGS})
endforeach()
