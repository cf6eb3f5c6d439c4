#include "host/host_files.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "host/user_error.h"

namespace {
std::string Why(int error)
{
    switch (error) {
    case ENOENT: return "no such file";
    case EISDIR: return "a folder, not a file";
    default: return std::string("cannot be read (") + std::strerror(error) + ")";
    }
}
}

int ReadHostBytes(const std::string& path, uint64_t maxSize, Bytes* data)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat info;
    int error = fstat(fd, &info) != 0                           ? errno
                : S_ISDIR(info.st_mode)                         ? EISDIR
                : static_cast<uint64_t>(info.st_size) > maxSize ? EFBIG
                                                                : 0;
    char buffer[65536];
    while (!error) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : 0;
            break;
        }
        data->insert(data->end(), buffer, buffer + n);
    }
    close(fd);
    return error;
}

int WriteHostBytes(int fd, const Bytes& data)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : ENOSPC;
        done += static_cast<size_t>(n);
    }
    return 0;
}

int HostFile::open(const std::string& path)
{
    if (fd_ >= 0) close(fd_);
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return errno;
    struct stat info;
    return fstat(fd_, &info) != 0                             ? errno
           : S_ISDIR(info.st_mode)                            ? EISDIR
           : static_cast<uint64_t>(info.st_size) > UINT32_MAX ? EFBIG
                                                              : (size_ = static_cast<uint32_t>(info.st_size), 0);
}

HostFile::~HostFile()
{
    if (fd_ >= 0) close(fd_);
}

Err HostFile::read(uint32_t offset, uint8_t* into, uint32_t count, uint32_t* got)
{
    *got = 0;
    while (*got < count) {
        const ssize_t n = pread(fd_, into + *got, count - *got, static_cast<off_t>(offset) + *got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error_ = errno;
            return Err(kErrDeviceIO);
        }
        if (n == 0) break;
        *got += static_cast<uint32_t>(n);
    }
    return Err();
}

void OpenHostFile(const std::string& path, HostFile* file)
{
    if (const int error = file->open(path))
        throw UserError(path + ": " +
                        (error == EFBIG ? std::string("larger than any picture plumwick takes") : Why(error)));
}

Bytes ReadHostFile(const std::string& path)
{
    Bytes data;
    if (const int error = ReadHostBytes(path, UINT64_MAX, &data)) throw UserError(path + ": " + Why(error));
    return data;
}

// Through a temporary name, so that a failure never leaves half a file
// under the name.
void WriteHostFile(const std::string& path, const Bytes& data)
{
    const std::string partial = path + ".partial";
    const int fd = open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    int error = fd < 0 ? errno : WriteHostBytes(fd, data);
    if (fd >= 0 && close(fd) != 0 && !error) error = errno;
    if (!error && std::rename(partial.c_str(), path.c_str()) != 0) error = errno;
    if (!error) return;
    unlink(partial.c_str());
    throw UserError(path + ": cannot be written (" + std::strerror(error) + "); check the folder and its free space");
}

bool SameHostFile(const std::string& a, const std::string& b)
{
    struct stat first, second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

MemoryFile::MemoryFile(const Bytes& data) : fd_(memfd_create("plumwick", MFD_CLOEXEC))
{
    const int error = fd_ < 0 ? errno : WriteHostBytes(fd_, data);
    if (error) throw UserError(std::string("cannot hold a logo in memory: ") + std::strerror(error));
    path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemoryFile::~MemoryFile() { close(fd_); }
