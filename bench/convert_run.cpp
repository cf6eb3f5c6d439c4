// Times MakeLogo in the release build: `convert_run <picture> <runs>`
// converts the picture that many times and writes the milliseconds of each
// run (GetTickCount) to convert_times.txt and the logo to convert_out.sys,
// both in the current folder (bench/convert.py runs it).
#include <windows.h>

#include "picture/make_logo.h"

void RunGlobalConstructors();

namespace {
// The next argument of a command line, quotes removed; walked with
// CharNextA so that no trail byte of a double-byte character counts.
char* NextArgument(char*& at)
{
    while (*at == ' ' || *at == '\t') ++at;
    if (!*at) return nullptr;
    char *start = at, *out = at;
    bool quoted = false;
    while (*at && (quoted || (*at != ' ' && *at != '\t'))) {
        char* next = CharNextA(at);
        if (*at == '"')
            quoted = !quoted;
        else
            for (char* p = at; p < next;) *out++ = *p++;
        at = next;
    }
    if (*at) ++at;
    *out = 0;
    return start;
}

bool WriteWhole(const char* path, const void* data, DWORD size)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, data, size, &written, nullptr) && written == size;
    CloseHandle(file);
    return ok;
}
}

extern "C" void WINAPI PlumwickEntry()
{
    RunGlobalConstructors();
    char* line = GetCommandLineA();
    NextArgument(line);
    const char* path = NextArgument(line);
    const char* count = NextArgument(line);
    int runs = 0;
    for (const char* p = count; p && *p >= '0' && *p <= '9'; ++p) runs = runs * 10 + (*p - '0');
    HANDLE file = path ? CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)
                       : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE || runs <= 0 || runs > 1000) ExitProcess(2);
    DWORD size = GetFileSize(file, nullptr), read = 0;
    uint8_t* data = new uint8_t[size];
    uint8_t* logo = new uint8_t[kLogoFileSize];
    if (!data || !logo || !ReadFile(file, data, size, &read, nullptr) || read != size) ExitProcess(3);
    CloseHandle(file);
    char* text = new char[runs * 12 + 2];
    if (!text) ExitProcess(3);
    int length = 0;
    for (int i = 0; i < runs; ++i) {
        DWORD start = GetTickCount();
        MemorySource source(data, size);
        if (MakeLogo(source, logo)) ExitProcess(4);
        length += wsprintfA(text + length, "%lu ", GetTickCount() - start);
    }
    text[length++] = '\n';
    bool ok = WriteWhole("convert_times.txt", text, static_cast<DWORD>(length)) &&
              WriteWhole("convert_out.sys", logo, kLogoFileSize);
    ExitProcess(ok ? 0 : 5);
}
