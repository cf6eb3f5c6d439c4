#pragma once
#include <stdint.h>

#include "picture/bitmap_check.h"

struct Band;

// The only kind of file Windows shows as a logo: 320 x 400, 256 colours,
// uncompressed, the plain 40-byte header, bottom-up.
constexpr int32_t kLogoWidth = 320, kLogoHeight = 400;
constexpr uint16_t kLogoBitCount = 8;
constexpr uint32_t kLogoPaletteEntries = 256;
constexpr uint32_t kLogoPaletteAt = kFileHeaderSize + kPlainInfoSize;
constexpr uint32_t kLogoPixelsAt = kLogoPaletteAt + kLogoPaletteEntries * kPaletteEntryBytes;
constexpr uint32_t kLogoFileSize = kLogoPixelsAt + kLogoWidth * kLogoHeight;  // 129,078

// The first palette entry that the start-up screen cycles ("colours
// important"); 0 for none, and for a header too short to hold it.
uint32_t ColourCycleStart(const uint8_t* data, uint32_t size);

// Windows turns the start-up logo's colours one step this often.
constexpr uint32_t kColourCycleStepMilliseconds = 150;

// The entry whose colour entry i shows at a step of the cycle from `first`:
// from first on, first + (i - first + step) mod (256 - first); below first,
// or with first 0 (no cycle), entry i itself.
uint32_t CycledEntry(uint32_t i, uint32_t first, uint32_t step);

// A valid bitmap laid out as a logo already: 320 x 400, 8 bits, BI_RGB, a
// 40-byte header, bottom-up, 256 palette entries, pixels right after them.
bool IsLogoLayout(const BitmapLayout& l);
bool IsLogoShaped(ByteSource& file);

// Writes a logo made from any picture: exactly kLogoFileSize bytes at `logo`.
// With stillColours below 256 the picture gets that many colours, always
// through the palette and diffusion, and the entries from there to 255 are
// left black for a band that moves: biClrImportant is stillColours.
// A 320 x 400 picture with a palette (a bitmap of up to 8 bits, a GIF)
// keeps its palette (black after its
// own entries), its indexes and its colour-cycling start (biClrImportant).
// Any other is scaled (area average) to fill the logo if it is 4:3 or
// 16:10, else to fit it as it would fit a 4:3 screen, centred on black;
// then it keeps its colours if they are 256 or fewer, or gets a palette of
// its own and error diffusion; its biClrImportant is 0.
// With a band (stillColours below 256), the band's strip is painted with
// the free entries (see band.h) and the picture gets its colours from the
// rest of the logo.
// The picture is read once, in pieces. Errors: those of opening and
// reading it (see PictureRows); kErrOutOfMemory; kErrInvalidCall for a
// band without free entries or outside the logo.
Err MakeLogo(ByteSource& file, uint8_t* logo, uint32_t stillColours = kLogoPaletteEntries, const Band* band = nullptr);
