#pragma once
#include <cstdint>
#include <string>

#include "host/host_files.h"

// A disk image opened for writing, and locked for as long as it is open so
// that no emulator starts on it meanwhile. It refuses, before any change,
// an image that an emulator has open: QEMU holds byte-range locks (open
// file description locks), others may hold a flock lock; both are tested
// without ever taking one away from its holder.
class ImageFile {
public:
    explicit ImageFile(const std::string& path);
    ~ImageFile();
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;

    const std::string& path() const { return path_; }
    int descriptor() const { return fd_; }
    // Lets the locks go, for QEMU to take its own.
    void unlock();
    uint64_t size() const { return size_; }
    // `length` bytes at `offset`; fewer past the end.
    Bytes read(uint64_t offset, size_t length) const;

private:
    std::string path_;
    int fd_ = -1;
    uint64_t size_ = 0;
};
