#include "picture/byte_reader.h"

ByteReader::ByteReader(ByteSource& source, uint32_t offset, uint32_t end)
    : source_(source), at_(offset), end_(end < offset ? offset : end), buffer_(new uint8_t[kReadBytes])
{
    if (!buffer_) failed_ = Err(kErrOutOfMemory);
}

ByteReader::~ByteReader() { delete[] buffer_; }

// What is left of the buffer moves to its start, and the rest is read.
bool ByteReader::refill(uint32_t count)
{
    const uint32_t kept = filled_ - taken_;
    for (uint32_t i = 0; i < kept; ++i) buffer_[i] = buffer_[taken_ + i];
    filled_ = kept;
    taken_ = 0;
    while (filled_ < count) {
        uint32_t want = kReadBytes - filled_, got = 0;
        if (want > end_ - at_) want = end_ - at_;
        if (want == 0) break;
        if (Err e = source_.read(at_, buffer_ + filled_, want, &got)) {
            failed_ = e;
            return false;
        }
        if (got == 0) break;
        at_ += got;
        filled_ += got;
    }
    if (filled_ >= count) return true;
    // The file is shorter than it was when its headers were read.
    failed_ = Err(kErrInvalidPicture);
    return false;
}

const uint8_t* ByteReader::take(uint32_t count)
{
    if (failed_ || count > kReadBytes) return nullptr;
    if (filled_ - taken_ < count) {
        if (count > left()) {
            failed_ = Err(kErrInvalidPicture);
            return nullptr;
        }
        if (!refill(count)) return nullptr;
    }
    const uint8_t* p = buffer_ + taken_;
    taken_ += count;
    return p;
}
