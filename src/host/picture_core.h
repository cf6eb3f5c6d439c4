#pragma once
// The portable core's picture code, as the host code uses it: the bitmap
// check, the logo's layout and MakeLogo. Included from here alone, so that
// a move of the core's files changes one line.
#include "../logo_files/make_logo.h"
#include "../platform/bitmap_file.h"

// A palette entry in a bitmap file: blue, green, red, 0.
constexpr uint32_t kPaletteEntryBytes = 4;
