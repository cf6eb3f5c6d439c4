#pragma once
#include <cstdint>
#include <vector>

#include "host/host_files.h"

// What Windows puts on the screen for a logo: 640 x 480, each logo pixel
// two screen pixels wide, each screen row the logo row nearest to it.
constexpr uint32_t kScreenWidth = 640, kScreenHeight = 480;

// One palette index a screen pixel, top row first, of a logo that
// IsLogoShaped accepts.
std::vector<uint8_t> ScreenIndexes(const Bytes& logo);

// The first entry the start-up screen cycles, 0 for none (as the tool's
// preview reads it: biClrImportant from 1 to 255).
uint32_t CycledFrom(const Bytes& logo);
// Steps in one full cycle: 256 - first, or 1 when nothing cycles.
uint32_t CycleSteps(const Bytes& logo);

// The 256 colours (red, green, blue) that the palette shows at a step of
// the cycle: entry i >= first shows entry first + (i - first + step) mod
// (256 - first).
std::vector<uint8_t> ScreenPalette(const Bytes& logo, uint32_t step);
