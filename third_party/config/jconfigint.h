/* libjpeg-turbo's internal settings for the tool's build. No getenv():
 * the Windows exe has no C runtime, and nothing should change how much
 * memory the decoder takes from outside. */
#define BUILD  "plumwick"
#undef inline
#define INLINE  __inline__
#define THREAD_LOCAL
#define PACKAGE_NAME  "libjpeg-turbo"
#define VERSION  "2.1.5"
#define SIZEOF_SIZE_T  __SIZEOF_SIZE_T__
#define NO_GETENV
#define NO_PUTENV
#define FALLTHROUGH  __attribute__((fallthrough));
