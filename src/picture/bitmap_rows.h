#pragma once
#include <stdint.h>

#include "picture/bitmap_check.h"

// Reads the pixels of any bitmap that CheckBitmapFile accepts, one row at a
// time in the order the file stores them, so that a large picture never
// needs a second copy in memory. Pictures of up to 8 bits a pixel come out
// as one palette index a pixel; deeper ones as blue, green, red.
class BitmapRows {
public:
    // Checks the whole file first; false if it is not a bitmap.
    bool open(const uint8_t* data, uint32_t size);
    const BitmapLayout& layout() const { return layout_; }
    bool indexed() const { return layout_.bitCount <= 8; }
    // Bytes in one row that next() writes: width, or width * 3.
    uint32_t rowBytes() const { return static_cast<uint32_t>(layout_.width) * (indexed() ? 1 : 3); }
    // 256 entries of blue, green, red, 0: the file's own, then black.
    const uint8_t* palette() const { return palette_; }
    // The next stored row: its number counted from the top, and its pixels.
    // Pixels that compressed data skips are index 0. False after the last.
    bool next(int32_t* y, uint8_t* pixels);

private:
    struct Channel {
        uint32_t mask, shift;  // the bits, and where the kept top 8 of them start
        uint8_t scale[256];    // kept bits to 0..255
    };
    void setChannel(Channel& c, uint32_t mask);
    void unpackDeep(const uint8_t* in, uint8_t* out) const;
    void runRow(uint8_t* out);

    const uint8_t* data_ = nullptr;
    BitmapLayout layout_{};
    uint8_t palette_[1024];
    Channel channels_[3];  // blue, green, red
    uint32_t stored_ = 0;  // rows handed out so far
    // Compressed data: where the next code is, and the row and column
    // where it draws (a delta may skip rows).
    uint32_t at_ = 0, codeRow_ = 0, codeX_ = 0;
    bool ended_ = false;
};
