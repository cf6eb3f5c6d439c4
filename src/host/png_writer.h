#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes a paletted PNG with libpng: one index a pixel, top row first, and
// 256 colours of red, green, blue.
void WritePalettedPng(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint8_t>& indexes,
                      const std::vector<uint8_t>& rgbPalette);
