#include "platform/win32/system_error.h"

namespace {
struct Mapping {
    DWORD code;
    int number;
};

const Mapping kMappings[] = {
    {ERROR_FILE_NOT_FOUND, kErrFileNotFound},
    {ERROR_PATH_NOT_FOUND, kErrPathNotFound},
    {ERROR_BAD_PATHNAME, kErrPathNotFound},
    {ERROR_INVALID_DRIVE, kErrPathNotFound},
    {ERROR_ACCESS_DENIED, kErrPathFileAccess},
    {ERROR_SHARING_VIOLATION, kErrPathFileAccess},
    {ERROR_LOCK_VIOLATION, kErrPathFileAccess},
    {ERROR_INVALID_NAME, kErrBadFileName},
    {ERROR_FILENAME_EXCED_RANGE, kErrBadFileName},
    {ERROR_FILE_EXISTS, kErrFileExists},
    {ERROR_ALREADY_EXISTS, kErrFileExists},
    {ERROR_DISK_FULL, kErrDiskFull},
    {ERROR_HANDLE_DISK_FULL, kErrDiskFull},
    {ERROR_WRITE_PROTECT, kErrPermissionDenied},
    {ERROR_NOT_READY, kErrDiskNotReady},
    {ERROR_NOT_ENOUGH_MEMORY, kErrOutOfMemory},
    {ERROR_OUTOFMEMORY, kErrOutOfMemory},
    {ERROR_CRC, kErrDeviceIO},
    {ERROR_READ_FAULT, kErrDeviceIO},
    {ERROR_WRITE_FAULT, kErrDeviceIO},
    {ERROR_GEN_FAILURE, kErrDeviceIO},
};
}

// Whatever the system does not name precisely is an access error, the
// one a user can act on.
Err SystemError(DWORD code, const Text& path)
{
    for (const Mapping& m : kMappings)
        if (m.code == code) return Err(m.number, path);
    return Err(kErrPathFileAccess, path);
}

Err LastError(const Text& path) { return SystemError(GetLastError(), path); }
