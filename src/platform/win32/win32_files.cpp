// The Windows file system, through the ANSI functions Windows 95 has.
#include "platform/win32/win32_files.h"

#include "platform/win32/system_error.h"

namespace {
bool Reported(FileQuery kind, DWORD attributes)
{
    bool folder = attributes & FILE_ATTRIBUTE_DIRECTORY;
    bool concealed = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    return kind == FileQuery::Directory ? !concealed : !folder;
}

// A search that found nothing, or nothing where there is no such folder, is
// no error; any other failure of FindFirstFileA is.
Err NothingFoundOr(const Text& path)
{
    DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_NO_MORE_FILES) return Err();
    return SystemError(code, path);
}

bool Missing(const Text& path) { return GetFileAttributesA(path.c_str()) == 0xFFFFFFFF; }

// An open file, read where asked; it stays open, and shared for reading,
// until deleted.
class Win32File final : public ByteSource {
public:
    Win32File(HANDLE file, DWORD size, const Text& path) : file_(file), size_(size), path_(path) {}
    ~Win32File() override { CloseHandle(file_); }
    uint32_t size() const override { return size_; }
    Err read(uint32_t offset, uint8_t* into, uint32_t count, uint32_t* got) override
    {
        *got = 0;
        if (SetFilePointer(file_, static_cast<LONG>(offset), nullptr, FILE_BEGIN) == 0xFFFFFFFF &&
            GetLastError() != NO_ERROR)
            return LastError(path_);
        while (*got < count) {
            DWORD read = 0;
            if (!ReadFile(file_, into + *got, count - *got, &read, nullptr)) return LastError(path_);
            if (read == 0) break;
            *got += read;
        }
        return Err();
    }

private:
    HANDLE file_;
    DWORD size_;
    Text path_;
};
}

Err Win32Files::findFile(const Text& path, FileQuery kind, Text* name)
{
    *name = Text();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return NothingFoundOr(path);
    FindClose(search);
    if (Reported(kind, found.dwFileAttributes)) *name = Text(found.cFileName);
    return Err();
}

Err Win32Files::makeFolder(const Text& path)
{
    if (CreateDirectoryA(path.c_str(), nullptr)) return Err();
    DWORD code = GetLastError();
    // An existing name is an access error, as for any folder that cannot be made.
    return SystemError(code == ERROR_ALREADY_EXISTS ? ERROR_ACCESS_DENIED : code, path);
}

// The copy is a plain file whatever the source was, so that a logo taken
// from a CD-ROM does not turn read-only.
Err Win32Files::copyFile(const Text& from, const Text& to)
{
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
        DWORD code = GetLastError();
        if (Missing(from)) return SystemError(code == ERROR_PATH_NOT_FOUND ? code : ERROR_FILE_NOT_FOUND, from);
        return SystemError(code, to);
    }
    SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    return Err();
}

Err Win32Files::removeFolder(const Text& path) { return RemoveDirectoryA(path.c_str()) ? Err() : LastError(path); }

Err Win32Files::moveFile(const Text& from, const Text& to)
{
    if (MoveFileA(from.c_str(), to.c_str())) return Err();
    DWORD code = GetLastError();
    return SystemError(code, Missing(from) ? from : to);
}

Err Win32Files::deleteFile(const Text& path) { return DeleteFileA(path.c_str()) ? Err() : LastError(path); }

Err Win32Files::attributes(const Text& path, uint32_t* bits)
{
    const DWORD found = GetFileAttributesA(path.c_str());
    if (found == 0xFFFFFFFF) return LastError(path);
    *bits = found & (kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive);
    return Err();
}

Err Win32Files::setAttributes(const Text& path, uint32_t bits)
{
    return SetFileAttributesA(path.c_str(), bits ? bits : FILE_ATTRIBUTE_NORMAL) ? Err() : LastError(path);
}

Err Win32Files::checkReadable(const Text& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastError(path);
    CloseHandle(file);
    return Err();
}

// Walked a character at a time: a Shift-JIS character's second byte may be
// a backslash or a full stop.
Text Win32Files::fileTitle(const Text& path)
{
    const char* name = path.c_str();
    const char* dot = nullptr;
    for (const char* c = path.c_str(); *c; c = CharNextA(c)) {
        if (*c == '\\' || *c == ':') {
            name = c + 1;
            dot = nullptr;
        } else if (*c == '.') {
            dot = c;
        }
    }
    const char* end = dot && dot > name ? dot : path.c_str() + path.size();
    return Text(name, static_cast<size_t>(end - name));
}

Text Win32Files::fullPath(const Text& path)
{
    char full[MAX_PATH];
    char* name = nullptr;
    DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, &name);
    return length == 0 || length >= MAX_PATH ? path : Text(full, length);
}

Err Win32Files::listFiles(const Text& folder, FileNames& names)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return NothingFoundOr(folder);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.found(Text(found.cFileName));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return Err();
}

Err Win32Files::readFile(const Text& path, uint32_t maxSize, uint8_t** data, uint32_t* size)
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

Err Win32Files::openFile(const Text& path, ByteSource** file)
{
    *file = nullptr;
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return LastError(path);
    DWORD high = 0;
    const DWORD size = GetFileSize(handle, &high);
    Err failed = size == 0xFFFFFFFF && GetLastError() != NO_ERROR ? LastError(path)
                 : high                                           ? Err(kErrOverflow, path)  // past 4 GB: no bitmap
                                                                  : Err();
    if (!failed) {
        *file = new Win32File(handle, size, path);
        if (*file) return Err();
        failed = Err(kErrOutOfMemory, path);
    }
    CloseHandle(handle);
    return failed;
}

// A write cut short leaves no partial file behind.
Err Win32Files::writeNewFile(const Text& path, const uint8_t* data, uint32_t size)
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
