#pragma once
#include <stdint.h>

// Where the parts of a bitmap file lie, once the file has been checked.
struct BitmapLayout {
    int32_t width;
    int32_t height;  // rows, always positive
    bool topDown;
    uint16_t bitCount;
    uint32_t compression;
    uint32_t maskCount;    // colour masks that follow the header
    uint32_t colourCount;  // palette entries
    uint32_t bitsOffset;
    uint32_t bitsSize;
};

enum : uint32_t { kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3 };

// The file header before the info header; in an info header of 40 bytes or
// more, "colours important" stands 36 bytes in.
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kColoursImportantAt = kFileHeaderSize + 36;

// Numbers in a bitmap file are little-endian.
inline uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t U32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
inline void Put16(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void Put32(uint8_t* p, uint32_t v)
{
    Put16(p, v);
    Put16(p + 2, v >> 16);
}
// The largest picture the tool takes: the area average's sums, at most 255
// times the area, then stay below 2^32.
constexpr uint32_t kMaxPictureArea = 1u << 24;
// Enough for the largest picture, 32 bits a pixel, and its headers.
constexpr uint32_t kMaxBitmapFileSize = 4 * kMaxPictureArea + 64 * 1024;

// A bitmap is checked completely before any of it reaches the drawing
// code: every count and offset must stay inside the file, and compressed
// pixel data must stay inside the picture.
bool CheckBitmapFile(const uint8_t* data, uint32_t size, BitmapLayout* layout);

// Bytes in one row of uncompressed pixels: rows end on a 4-byte boundary.
inline uint32_t RowBytes(uint32_t width, uint32_t bitCount) { return (width * bitCount + 31) / 32 * 4; }
