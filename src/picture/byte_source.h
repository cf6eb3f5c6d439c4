#pragma once
#include "text/errors.h"

// The bytes of a file that a picture is read from, a piece at a time, so
// that no picture needs to be in memory whole.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint32_t size() const = 0;
    // `count` bytes from `offset` on; fewer only where the file ends, and
    // *got says how many.
    virtual Err read(uint32_t offset, uint8_t* into, uint32_t count, uint32_t* got) = 0;
};

// Bytes that are in memory already: a resource, a logo just made.
class MemorySource final : public ByteSource {
public:
    MemorySource(const uint8_t* data, uint32_t size) : data_(data), size_(size) {}
    uint32_t size() const override { return size_; }
    Err read(uint32_t offset, uint8_t* into, uint32_t count, uint32_t* got) override;

private:
    const uint8_t* data_;
    uint32_t size_;
};
