#include "picture/band.h"

#include "picture/make_logo.h"

namespace {
// The gradient runs this many times across the logo.
constexpr uint32_t kBandRepeats = 2;
// The picture's darkest and brightest colours: the mean of this share of
// its pixels at either end of their brightness (1 in 8).
constexpr uint32_t kEndShare = 8;
// Ends closer in brightness than this are moved apart, so that the band is
// seen to move on a picture of one colour too.
constexpr uint32_t kLeastContrast = 96;
constexpr int32_t kRowBytes = kLogoWidth * 3;

struct Colour {
    uint32_t b, g, r;
};
constexpr Colour kDarkBlue = {112, 16, 0}, kLightBlue = {255, 176, 64};

// Brightness, 0 to 255, in integers: (R * 2 + G * 5 + B) / 8.
uint32_t Brightness(uint32_t b, uint32_t g, uint32_t r) { return (r * 2 + g * 5 + b) / 8; }
uint32_t Brightness(const uint8_t* bgr) { return Brightness(bgr[0], bgr[1], bgr[2]); }

bool InStrip(const Band& band, int32_t y) { return y >= band.top && y < band.top + band.height; }

// The means of the darkest and the brightest share of the picture's
// pixels outside the strip (all of them if the strip covers it).
void PictureEnds(const uint8_t* picture, const LogoArea& area, Band band, Colour* dark, Colour* bright)
{
    uint32_t counts[256] = {};
    uint32_t total = 0;
    for (int pass = 0; pass < 2 && total == 0; ++pass, band.height = 0)
        for (int32_t y = area.y; y < area.y + area.height; ++y)
            if (!InStrip(band, y))
                for (int32_t x = area.x; x < area.x + area.width; ++x, ++total)
                    ++counts[Brightness(picture + y * kRowBytes + x * 3)];
    const uint32_t share = total / kEndShare ? total / kEndShare : 1;
    uint32_t low = 0, high = 255;
    for (uint32_t seen = counts[0]; seen < share && low < 255;) seen += counts[++low];
    for (uint32_t seen = counts[255]; seen < share && high > 0;) seen += counts[--high];
    uint64_t sums[2][3] = {}, n[2] = {};
    for (int32_t y = area.y; y < area.y + area.height; ++y) {
        if (InStrip(band, y)) continue;
        for (int32_t x = area.x; x < area.x + area.width; ++x) {
            const uint8_t* p = picture + y * kRowBytes + x * 3;
            const uint32_t v = Brightness(p);
            for (int end = 0; end < 2; ++end)
                if (end == 0 ? v <= low : v >= high) {
                    ++n[end];
                    for (int c = 0; c < 3; ++c) sums[end][c] += p[c];
                }
        }
    }
    Colour* ends[2] = {dark, bright};
    for (int end = 0; end < 2; ++end) {
        const uint64_t count = n[end] ? n[end] : 1;
        *ends[end] = {static_cast<uint32_t>((sums[end][0] + count / 2) / count),
                      static_cast<uint32_t>((sums[end][1] + count / 2) / count),
                      static_cast<uint32_t>((sums[end][2] + count / 2) / count)};
    }
}

// Halfway to black and halfway to white, where the ends are too alike.
void Spread(Colour* dark, Colour* bright)
{
    if (Brightness(bright->b, bright->g, bright->r) - Brightness(dark->b, dark->g, dark->r) >= kLeastContrast) return;
    *dark = {dark->b / 2, dark->g / 2, dark->r / 2};
    *bright = {bright->b + (255 - bright->b) / 2, bright->g + (255 - bright->g) / 2, bright->r + (255 - bright->r) / 2};
}
}

Band BottomBand(BandColours colours) { return {kLogoHeight - kBandHeight, kBandHeight, colours}; }
Band TopBand(BandColours colours) { return {0, kBandHeight, colours}; }

bool BandFits(const Band& band)
{
    return band.top >= 0 && band.height >= 1 && band.top < kLogoHeight && band.height <= kLogoHeight - band.top;
}

void CoverStrip(uint8_t* picture, const Band& band)
{
    const int32_t below = band.top + band.height;
    if (band.top == 0 && below == kLogoHeight) return;  // nothing outside it
    const int32_t from = band.top > 0 ? band.top - 1 : below;
    for (int32_t y = band.top; y < below; ++y)
        for (int32_t i = 0; i < kRowBytes; ++i) picture[y * kRowBytes + i] = picture[from * kRowBytes + i];
}

void BandPalette(const uint8_t* picture, const LogoArea& area, const Band& band, uint32_t first, uint8_t* palette)
{
    Colour a = kDarkBlue, b = kLightBlue;
    if (band.colours == BandColours::Picture) {
        PictureEnds(picture, area, band, &a, &b);
        Spread(&a, &b);
    }
    const uint32_t count = kLogoPaletteEntries - first, half = count / 2 ? count / 2 : 1;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t t = i <= half ? i : count - i;  // 0 to half and back
        uint8_t* entry = palette + (first + i) * kPaletteEntryBytes;
        const uint32_t from[3] = {a.b, a.g, a.r}, to[3] = {b.b, b.g, b.r};
        for (int c = 0; c < 3; ++c)
            entry[c] = static_cast<uint8_t>((from[c] * (half - t) + to[c] * t + half / 2) / half);
        entry[3] = 0;
    }
}

void PaintBand(uint8_t* pixels, const Band& band, uint32_t first)
{
    const uint32_t count = kLogoPaletteEntries - first;
    for (int32_t y = band.top; y < band.top + band.height; ++y) {
        uint8_t* row = pixels + (kLogoHeight - 1 - y) * kLogoWidth;
        for (uint32_t x = 0; x < static_cast<uint32_t>(kLogoWidth); ++x)
            row[x] = static_cast<uint8_t>(first + x * count * kBandRepeats / kLogoWidth % count);
    }
}
