#include "host/host_files.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

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

// The whole of a descriptor's file, or the error that stopped it.
int ReadAll(int fd, Bytes* data)
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return 0;
        data->insert(data->end(), buffer, buffer + n);
    }
}
}

Bytes ReadHostFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw UserError(path + ": " + Why(errno));
    struct stat info;
    int error = fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
    Bytes data;
    if (!error) error = ReadAll(fd, &data);
    close(fd);
    if (error) throw UserError(path + ": " + Why(error));
    return data;
}

void WriteHostFile(const std::string& path, const Bytes& data)
{
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out) throw UserError(path + ": cannot be written (" + std::strerror(errno) + "); check the folder");
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        out.flush();
        if (!out) {
            std::remove(partial.c_str());
            throw UserError(path + ": cannot be written; check the free space");
        }
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        const int e = errno;
        std::remove(partial.c_str());
        throw UserError(path + ": cannot be written (" + std::strerror(e) + ")");
    }
}

bool SameHostFile(const std::string& a, const std::string& b)
{
    struct stat first, second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

MemoryFile::MemoryFile(const Bytes& data) : fd_(memfd_create("plumwick", MFD_CLOEXEC))
{
    size_t done = 0;
    while (fd_ >= 0 && done < data.size()) {
        const ssize_t n = ::write(fd_, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    if (fd_ < 0 || done < data.size()) throw UserError(std::string("cannot hold a logo in memory: ") + std::strerror(errno));
    path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemoryFile::~MemoryFile() { close(fd_); }
