#pragma once
#include <stdint.h>

// Where a Windows bitmap file keeps its numbers, counted from the file's
// start, and the one writer of its headers.

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

// The file header: "BM", the file's size, the pixels' place.
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kFileSizeAt = 2, kBitsOffsetAt = 10;
// The info header that follows it starts with its own size. In one of 40
// bytes or more (the plain one, and the longer V4 and V5 ones):
constexpr uint32_t kInfoSizeAt = kFileHeaderSize;
constexpr uint32_t kWidthAt = 18, kHeightAt = 22, kPlanesAt = 26, kBitCountAt = 28, kCompressionAt = 30,
                   kImageSizeAt = 34, kColoursUsedAt = 46, kColoursImportantAt = 50;
constexpr uint32_t kPlainInfoSize = 40;
// In OS/2's 12-byte one, 16-bit numbers:
constexpr uint32_t kCoreInfoSize = 12;
constexpr uint32_t kCoreWidthAt = 18, kCoreHeightAt = 20, kCorePlanesAt = 22, kCoreBitCountAt = 24;
// The palette's entries: blue, green, red and 0 (three bytes in OS/2's).
constexpr uint32_t kPaletteEntryBytes = 4, kCorePaletteEntryBytes = 3;

// Bytes in one row of uncompressed pixels: rows end on a 4-byte boundary.
inline uint32_t RowBytes(uint32_t width, uint32_t bitCount) { return (width * bitCount + 31) / 32 * 4; }

// The headers of a bottom-up, uncompressed bitmap with the plain info
// header and `colours` palette entries right after it, then its rows: the
// first kFileHeaderSize + kPlainInfoSize bytes at `file`.
void WriteBitmapHeader(uint8_t* file, uint32_t width, uint32_t height, uint16_t bitCount, uint32_t colours,
                       uint32_t coloursImportant = 0);
// Where such a bitmap's pixels start, and its whole size.
uint32_t BitmapPixelsAt(uint32_t colours);
uint32_t BitmapFileSize(uint32_t width, uint32_t height, uint16_t bitCount, uint32_t colours);
