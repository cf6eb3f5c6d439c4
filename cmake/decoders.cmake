# The JPEG, PNG and GIF decoders, built from the sources of Debian's
# packages kept in third_party/, into every build that reads pictures: the
# Windows exe (freestanding, code for a 386, no SIMD), the core on Linux,
# its tests and fuzzers. Their global names carry a prefix
# (third_party/config/decoder_names.h), so that the plumwick command can
# also link Debian's own libpng and giflib, which write its pictures.
set(THIRD_PARTY ${CMAKE_SOURCE_DIR}/third_party)
set(DECODER_JPEG_SOURCES
    jcomapi.c jdapimin.c jdapistd.c jdcoefct.c jdcolor.c jddctmgr.c jdhuff.c jdinput.c jdmainct.c
    jdmarker.c jdmaster.c jdmerge.c jdphuff.c jdpostct.c jdsample.c jidctflt.c jidctfst.c jidctint.c
    jidctred.c jmemmgr.c jmemnobs.c jquant1.c jquant2.c jutils.c jsimd_none.c)
list(TRANSFORM DECODER_JPEG_SOURCES PREPEND ${THIRD_PARTY}/libjpeg-turbo/)
set(DECODER_PNG_SOURCES png.c pngerror.c pngget.c pngmem.c pngread.c pngrio.c pngrtran.c pngrutil.c pngset.c pngtrans.c)
list(TRANSFORM DECODER_PNG_SOURCES PREPEND ${THIRD_PARTY}/libpng/)
set(DECODER_ZLIB_SOURCES adler32.c crc32.c inffast.c inflate.c inftrees.c zutil.c)
list(TRANSFORM DECODER_ZLIB_SOURCES PREPEND ${THIRD_PARTY}/zlib/)
set(DECODER_GIF_SOURCES dgif_lib.c gifalloc.c openbsd-reallocarray.c)
list(TRANSFORM DECODER_GIF_SOURCES PREPEND ${THIRD_PARTY}/giflib/)

set(DECODER_INCLUDES ${THIRD_PARTY}/config ${THIRD_PARTY}/libjpeg-turbo ${THIRD_PARTY}/libpng
    ${THIRD_PARTY}/zlib ${THIRD_PARTY}/giflib)
# zlib without its own allocation and gz files: libpng hands it memory.
set(DECODER_DEFINITIONS Z_SOLO NO_GETENV NO_PUTENV)

add_library(plumwick_decoders STATIC
    ${DECODER_JPEG_SOURCES} ${DECODER_PNG_SOURCES} ${DECODER_ZLIB_SOURCES} ${DECODER_GIF_SOURCES})
target_include_directories(plumwick_decoders PRIVATE ${DECODER_INCLUDES})
target_compile_definitions(plumwick_decoders PRIVATE ${DECODER_DEFINITIONS})
# Their code as it is: their warnings are theirs to mend.
target_compile_options(plumwick_decoders PRIVATE -w -include ${THIRD_PARTY}/config/decoder_names.h)

# A target whose own sources call the decoders.
function(plumwick_use_decoders target scope)
    target_include_directories(${target} ${scope} ${DECODER_INCLUDES})
    target_compile_definitions(${target} ${scope} ${DECODER_DEFINITIONS})
endfunction()
