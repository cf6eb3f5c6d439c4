#pragma once
#include <stdint.h>

#include "picture/bitmap_header.h"
#include "picture/byte_source.h"

// Where the parts of a bitmap file lie, once its headers have been checked.
struct BitmapLayout {
    int32_t width;
    int32_t height;  // rows, always positive
    bool topDown;
    uint16_t bitCount;
    uint32_t compression;
    uint32_t infoSize;
    uint32_t coloursImportant;  // 0 in OS/2's header
    uint32_t maskCount;         // colour masks that follow the header
    uint32_t masks[3];          // blue, green and red of a 16- or 32-bit pixel
    uint32_t colourCount;       // palette entries
    uint32_t bitsOffset;
    uint32_t bitsSize;
};

enum : uint32_t { kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3 };

// The largest picture the tool takes: the area average's sums of a row,
// 255 times the width, stay within 32 bits, and its count of pixels too.
constexpr uint32_t kMaxPictureWidth = 0xFFFFFFFFu / 255;
constexpr uint64_t kMaxPictureArea = 0xFFFFFFFFu;
// Compressed data of a few bytes can claim any size, and every pixel
// costs time: a compressed picture has this many pixels at most.
constexpr uint64_t kMaxCompressedArea = 1u << 24;
// The headers and the palette lie within this many bytes of the start.
constexpr uint32_t kMaxHeadersSize = kFileHeaderSize + 124 + 3 * 4 + 256 * kPaletteEntryBytes;

// A bitmap's headers are checked completely before any pixel is read:
// every count and offset must stay inside the file. Compressed pixel data
// is checked as it is decoded. `palette`, if given, gets 256 entries of
// blue, green, red, 0: the file's own, then black. Errors:
// kErrInvalidPicture for a file that is no bitmap, kErrOverflow for one
// larger than the tool takes, and the file's own read errors.
Err ReadBitmapLayout(ByteSource& file, BitmapLayout* layout, uint8_t* palette = nullptr);
