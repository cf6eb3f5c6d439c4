#include "host/image_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "host/user_error.h"

namespace {
[[noreturn]] void InUse(const std::string& path)
{
    throw UserError(path +
                    ": in use by a running emulator (it holds a lock on the image); shut the machine "
                    "down, close the emulator and run plumwick again");
}

// A write lock on the whole file for this open file description: refused at
// once, and nothing taken, if anyone else holds any lock on any of it.
bool LockWholeFile(int fd)
{
    struct flock whole;
    std::memset(&whole, 0, sizeof whole);
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;  // from the start, length 0: to the end, however it grows
    return fcntl(fd, F_OFD_SETLK, &whole) == 0;
}
}

ImageFile::ImageFile(const std::string& path) : path_(path)
{
    fd_ = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd_ < 0) {
        const int e = errno;
        if (e == ENOENT) throw UserError(path + ": no such file; give the emulator's disk image");
        throw UserError(path + ": cannot be opened for writing (" + std::strerror(e) +
                        "); check that it is yours and not read-only");
    }
    struct stat info;
    if (fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd_);
        throw UserError(path + ": not a disk image file; give the image file the emulator uses");
    }
    size_ = static_cast<uint64_t>(info.st_size);
    if (!LockWholeFile(fd_) || flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        close(fd_);
        if (e == EAGAIN || e == EACCES || e == EWOULDBLOCK) InUse(path);
        throw UserError(path + ": cannot be locked (" + std::strerror(e) +
                        "); copy it to a local disk, where plumwick can keep emulators off it while it works");
    }
}

ImageFile::~ImageFile() { close(fd_); }

void ImageFile::unlock()
{
    struct flock whole;
    std::memset(&whole, 0, sizeof whole);
    whole.l_type = F_UNLCK;
    whole.l_whence = SEEK_SET;
    fcntl(fd_, F_OFD_SETLK, &whole);
    flock(fd_, LOCK_UN);
}

Bytes ImageFile::read(uint64_t offset, size_t length) const
{
    Bytes data(length);
    size_t got = 0;
    while (got < length) {
        const ssize_t n = pread(fd_, data.data() + got, length - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw UserError(path_ + ": cannot be read (" + std::strerror(errno) + ")");
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    data.resize(got);
    return data;
}
