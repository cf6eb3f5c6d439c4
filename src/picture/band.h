#pragma once
#include <stdint.h>

// A band that moves across a start-up logo: a strip of rows painted with
// the palette entries Windows turns, from the one biClrImportant names up
// to 255, one step every 150 ms. The picture keeps the rest of the logo.
enum class BandColours : uint8_t {
    Picture,  // from the picture's own darkest and brightest colours
    Blue,     // a classic blue
};
struct Band {
    int32_t top;     // its first row, counted from the logo's top
    int32_t height;  // rows
    BandColours colours;
};

// What a band is made of unless told otherwise: the entries it turns, and
// a strip this many rows high at the bottom of the logo.
constexpr uint32_t kBandEntries = 32;
constexpr int32_t kBandHeight = 24;
Band BottomBand(BandColours colours = BandColours::Picture);
Band TopBand(BandColours colours = BandColours::Picture);

// Within the logo, at least a row high.
bool BandFits(const Band& band);

// Before the picture gets its palette: the strip's rows become copies of
// the nearest row outside it, so that no colour goes to what the band
// covers.
void CoverStrip(uint8_t* picture, const Band& band);

// Where in the logo the picture lies; black around it.
struct LogoArea {
    int32_t x, y, width, height;
};

// Entries `first` to 255 of a logo's palette (blue, green, red, 0), from
// the picture (320 x 400, blue, green, red) in its area, outside the
// strip: a gradient from one colour to the other and back, so that it runs
// on without a seam as the entries turn.
void BandPalette(const uint8_t* picture, const LogoArea& area, const Band& band, uint32_t first, uint8_t* palette);

// The band's pixels, in a logo's bottom-up rows of indexes: the entries
// from `first` on, twice across the logo.
void PaintBand(uint8_t* pixels, const Band& band, uint32_t first);
