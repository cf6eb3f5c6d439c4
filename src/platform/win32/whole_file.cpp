#include "platform/win32/whole_file.h"

#include "platform/win32/system_error.h"

Err ReadWholeFile(const Text& path, uint32_t maxSize, uint8_t** data, uint32_t* size)
{
    *data = nullptr;
    *size = 0;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastError(path);
    DWORD length = GetFileSize(file, nullptr);
    if (length == 0xFFFFFFFF || length > maxSize) {
        CloseHandle(file);
        return Err(kErrInvalidPicture, path);
    }
    uint8_t* bytes = new uint8_t[length ? length : 1];
    if (!bytes) {
        CloseHandle(file);
        return Err(kErrOutOfMemory, path);
    }
    DWORD got = 0, total = 0;
    Err failed;
    while (total < length && !failed) {
        if (!ReadFile(file, bytes + total, length - total, &got, nullptr))
            failed = LastError(path);
        else if (got == 0)
            break;
        total += got;
    }
    CloseHandle(file);
    if (failed) {
        delete[] bytes;
        return failed;
    }
    *data = bytes;
    *size = total;
    return Err();
}

// A write cut short leaves no partial file behind.
Err WriteNewFile(const Text& path, const uint8_t* data, uint32_t size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastError(path);
    DWORD written = 0;
    BOOL whole = WriteFile(file, data, size, &written, nullptr) && written == size;
    Err failed = whole ? Err() : (GetLastError() ? LastError(path) : Err(kErrDiskFull, path));
    if (!CloseHandle(file) && !failed) failed = LastError(path);
    if (failed) DeleteFileA(path.c_str());
    return failed;
}
