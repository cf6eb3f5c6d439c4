#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "picture/byte_source.h"

using Bytes = std::vector<uint8_t>;

// A whole file from the host, of at most maxSize bytes: 0, or the errno
// that kept it (EISDIR for a folder, EFBIG for a larger file).
int ReadHostBytes(const std::string& path, uint64_t maxSize, Bytes* data);
// All the bytes to a descriptor: 0, or the errno that stopped them.
int WriteHostBytes(int fd, const Bytes& data);
// A whole file from the host; a UserError naming it if it cannot be read:
// missing, a folder, or not readable, each said so.
Bytes ReadHostFile(const std::string& path);
// A host file to read a piece at a time, as pictures are read.
class HostFile final : public ByteSource {
public:
    // Opens it: 0, or the errno that kept it (EISDIR for a folder, EFBIG
    // past 4 GB, more than any bitmap holds).
    int open(const std::string& path);
    ~HostFile() override;
    uint32_t size() const override { return size_; }
    // A failed read is kErrDeviceIO; error() says why.
    Err read(uint32_t offset, uint8_t* into, uint32_t count, uint32_t* got) override;
    int error() const { return error_; }

private:
    int fd_ = -1;
    uint32_t size_ = 0;
    int error_ = 0;
};
// Opens it as ReadHostFile reads it, with the same UserError.
void OpenHostFile(const std::string& path, HostFile* file);
// Writes the whole file through a temporary name beside it, so that a
// failure never leaves half a file under the name; a UserError if it cannot.
void WriteHostFile(const std::string& path, const Bytes& data);
// Whether both names lead to one file (links and all); false if either is
// not there.
bool SameHostFile(const std::string& a, const std::string& b);

// Bytes held as a file in memory, which the process alone can reach by its
// path, and which goes with it however it ends.
class MemoryFile {
public:
    explicit MemoryFile(const Bytes& data);
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    const std::string& path() const { return path_; }
    int fd() const { return fd_; }

private:
    int fd_;
    std::string path_;
};
