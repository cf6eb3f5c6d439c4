// The little of a C and C++ runtime the tool needs, over KERNEL32 alone:
// Windows 95 ships no C runtime DLL, and the tool links none.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <new>

#define NO_LOOP_CALLS __attribute__((optimize("no-tree-loop-distribute-patterns")))
// The symbol through which code compiled against the C runtime DLL's
// headers calls one of its functions: a pointer named __imp_ and the
// function's own symbol, which on i686 starts with an underscore.
#ifdef __i386__
#define PLUMWICK_IMPORT_NAME(name) "__imp__" name
#else
#define PLUMWICK_IMPORT_NAME(name) "__imp_" name
#endif

extern "C" {
NO_LOOP_CALLS void* memcpy(void* to, const void* from, size_t n)
{
    auto* d = static_cast<unsigned char*>(to);
    auto* s = static_cast<const unsigned char*>(from);
    while (n--) *d++ = *s++;
    return to;
}

NO_LOOP_CALLS void* memmove(void* to, const void* from, size_t n)
{
    auto* d = static_cast<unsigned char*>(to);
    auto* s = static_cast<const unsigned char*>(from);
    if (d < s) {
        while (n--) *d++ = *s++;
    } else {
        while (n--) d[n] = s[n];
    }
    return to;
}

NO_LOOP_CALLS void* memset(void* to, int value, size_t n)
{
    auto* d = static_cast<unsigned char*>(to);
    while (n--) *d++ = static_cast<unsigned char>(value);
    return to;
}

NO_LOOP_CALLS int memcmp(const void* a, const void* b, size_t n)
{
    auto* x = static_cast<const unsigned char*>(a);
    auto* y = static_cast<const unsigned char*>(b);
    for (; n; --n, ++x, ++y)
        if (*x != *y) return *x < *y ? -1 : 1;
    return 0;
}

NO_LOOP_CALLS size_t strlen(const char* s)
{
    size_t n = 0;
    while (s[n]) ++n;
    return n;
}

NO_LOOP_CALLS int strncmp(const char* a, const char* b, size_t n)
{
    for (; n; --n, ++a, ++b) {
        const unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
        if (x != y) return x < y ? -1 : 1;
        if (!x) break;
    }
    return 0;
}

// The picture decoders' allocation, over the process heap as new is.
void* malloc(size_t n) { return HeapAlloc(GetProcessHeap(), 0, n ? n : 1); }
void* calloc(size_t count, size_t size)
{
    if (size && count > static_cast<size_t>(-1) / size) return nullptr;
    const size_t bytes = count * size;
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes ? bytes : 1);
}
void* realloc(void* p, size_t n)
{
    if (!p) return malloc(n);
    return HeapReAlloc(GetProcessHeap(), 0, p, n ? n : 1);
}
void free(void* p)
{
    if (p) HeapFree(GetProcessHeap(), 0, p);
}

// A decoder stops this way only on a broken promise of its own.
void abort() { ExitProcess(3); }

// giflib's errno: set, never read.
static int decoderErrno;
static int* DecoderErrno() { return &decoderErrno; }
int* (*decoderErrnoImport)() __asm__(PLUMWICK_IMPORT_NAME("_errno")) = DecoderErrno;

// giflib can open files by name and stdio streams; the tool hands it its
// own reading function, so these are never called.
int fclose(FILE*) { return -1; }
size_t fread(void*, size_t, size_t, FILE*) { return 0; }

// A pure virtual call can only be a programming error.
void __cxa_pure_virtual() { ExitProcess(3); }

// The linker collects constructors of global objects between these.
extern void (*__CTOR_LIST__[])();
}

void* operator new(size_t n) { return HeapAlloc(GetProcessHeap(), 0, n ? n : 1); }
void* operator new[](size_t n) { return HeapAlloc(GetProcessHeap(), 0, n ? n : 1); }
void* operator new(size_t n, const std::nothrow_t&) noexcept { return HeapAlloc(GetProcessHeap(), 0, n ? n : 1); }
void* operator new[](size_t n, const std::nothrow_t&) noexcept { return HeapAlloc(GetProcessHeap(), 0, n ? n : 1); }
void operator delete(void* p) noexcept
{
    if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete[](void* p) noexcept
{
    if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete(void* p, size_t) noexcept
{
    if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete[](void* p, size_t) noexcept
{
    if (p) HeapFree(GetProcessHeap(), 0, p);
}

// The list starts with -1 or a count and ends with a null entry; GCC's own
// start-up runs it from the end backwards, and so does this.
void RunGlobalConstructors()
{
    size_t count = 0;
    while (__CTOR_LIST__[count + 1]) ++count;
    for (size_t i = count; i >= 1; --i) __CTOR_LIST__[i]();
}
