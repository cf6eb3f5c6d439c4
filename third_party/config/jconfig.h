/* libjpeg-turbo's build settings for the tool: an 8-bit decoder without
 * SIMD, arithmetic decoding or the in-memory source, which the tool does
 * not use (its pictures come through its own source manager). */
#define JPEG_LIB_VERSION  62
#define LIBJPEG_TURBO_VERSION  2.1.5
#define LIBJPEG_TURBO_VERSION_NUMBER  2001005
#define BITS_IN_JSAMPLE  8
