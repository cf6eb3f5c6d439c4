#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "picture/byte_source.h"

// The tests' one writer of bitmap files. A plan says what goes in, laid out
// the usual way: file header, info header, masks, palette, pixels.
struct BitmapPlan {
    BitmapPlan(int32_t w = 5, int32_t h = 3, uint16_t b = 24) : width(w), height(h), bits(b) {}
    int32_t width, height;  // a negative height stores the rows top-down
    uint16_t bits;
    uint32_t info = 40;  // 12: an OS/2 header, 3-byte palette entries
    uint32_t compression = 0, sizeImage = 0, colours = 0, important = 0;
    uint32_t gap = 0;  // bytes between the palette and the pixels
    uint16_t planes = 1;
    std::vector<uint32_t> masks;    // after a 40-byte header, or inside a longer one
    std::vector<uint32_t> palette;  // 0xRRGGBB (a short one is declared); if empty, entry i is red i ^ 0x5A, green 255 - i, blue i
    std::vector<uint32_t> pixels;   // top row first: indexes, 16- or 32-bit values, or 0xRRGGBB
    std::vector<uint8_t> raw;       // the stored pixel data as it is (RLE), instead of pixels
};
std::string BuildBitmap(const BitmapPlan& plan);

// 0xRRGGBB of the stand-in palette's entry i.
uint32_t PlanColour(uint32_t i);

// A 24-bit picture whose pixel (x, y), y = 0 at the top, is rgb(x, y).
std::string Picture24(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& rgb);

// A file laid out as Windows shows a logo: 320 x 400, 256 colours.
std::string LogoFile(const std::vector<uint32_t>& palette, const std::function<uint32_t(int32_t, int32_t)>& index, uint32_t firstCycled = 0);

inline const uint8_t* Data(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }
// The bytes of a built file, as the core reads a file.
inline MemorySource SourceOf(const std::string& s) { return MemorySource(Data(s), uint32_t(s.size())); }
