#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes a GIF with giflib: the same indexes (one a pixel, top row first)
// in every frame, each frame with its own 256 colours (red, green, blue).
// More than one frame makes an animation that loops for ever, a frame
// shown for frameCentiseconds.
void WriteGif(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint8_t>& indexes,
              const std::vector<std::vector<uint8_t>>& rgbPalettes, int frameCentiseconds);
