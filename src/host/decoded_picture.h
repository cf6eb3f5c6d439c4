#pragma once
#include <cstdint>
#include <vector>

// A picture as a decoder hands it over, top row first, no row padding:
// with a palette (up to 256 entries of blue, green, red, 0), one index a
// pixel; without, blue, green, red a pixel.
struct DecodedPicture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> palette;
    std::vector<uint8_t> pixels;

    bool indexed() const { return !palette.empty(); }
};
