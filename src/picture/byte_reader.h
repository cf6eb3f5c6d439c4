#pragma once
#include "picture/byte_source.h"

// Reads a stretch of a ByteSource front to back through one buffer, so
// that a large file costs a few reads of kReadBytes and no more memory.
class ByteReader {
public:
    static constexpr uint32_t kReadBytes = 16 * 1024;
    // The bytes from `offset` up to `end`.
    ByteReader(ByteSource& source, uint32_t offset, uint32_t end);
    ~ByteReader();
    ByteReader(const ByteReader&) = delete;
    ByteReader& operator=(const ByteReader&) = delete;

    bool ready() const { return buffer_ != nullptr; }
    // Bytes not yet taken.
    uint32_t left() const { return end_ - at_ + (filled_ - taken_); }
    // The next `count` bytes (at most kReadBytes), valid until the next
    // take; nullptr if the stretch ends first or the file cannot be read,
    // and failed() then says which.
    const uint8_t* take(uint32_t count);
    const Err& failed() const { return failed_; }

private:
    bool refill(uint32_t count);

    ByteSource& source_;
    uint32_t at_, end_;  // the next offset to read, and where the stretch ends
    uint8_t* buffer_;
    uint32_t filled_ = 0, taken_ = 0;
    Err failed_;
};
