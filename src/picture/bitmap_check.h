#pragma once
#include <stdint.h>

#include "picture/bitmap_header.h"

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

// The largest picture the tool takes: the area average's sums, at most 255
// times the area, then stay below 2^32.
constexpr uint32_t kMaxPictureArea = 1u << 24;
// Enough for the largest picture, 32 bits a pixel, and its headers.
constexpr uint32_t kMaxBitmapFileSize = 4 * kMaxPictureArea + 64 * 1024;

// A bitmap is checked completely before any of it reaches the drawing
// code: every count and offset must stay inside the file, and compressed
// pixel data must stay inside the picture.
bool CheckBitmapFile(const uint8_t* data, uint32_t size, BitmapLayout* layout);
