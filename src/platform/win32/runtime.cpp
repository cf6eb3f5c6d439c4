// The little of a C and C++ runtime the tool needs, over KERNEL32 alone:
// Windows 95 ships no C runtime DLL, and the tool links none.
#include <windows.h>

#include <new>

#define NO_LOOP_CALLS __attribute__((optimize("no-tree-loop-distribute-patterns")))

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
