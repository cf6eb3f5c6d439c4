#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "bitmaps.h"
#include "picture/band.h"
#include "picture/make_logo.h"
#include "picture/scaled_picture.h"

namespace {
using Logo = std::vector<uint8_t>;
constexpr uint32_t kFirst = kLogoPaletteEntries - kBandEntries;  // 224

uint32_t Entry(const Logo& logo, uint32_t i)  // 0xRRGGBB
{
    const uint8_t* e = &logo[kLogoPaletteAt + 4 * i];
    return e[2] << 16 | e[1] << 8 | e[0];
}
uint8_t Index(const Logo& logo, int x, int y) { return logo[kLogoPixelsAt + (399 - y) * 320 + x]; }

Logo Made(const std::string& file, const Band* band, uint32_t still, int error = 0)
{
    Logo logo(kLogoFileSize, 0xCD);
    MemorySource source = SourceOf(file);
    EXPECT_EQ(MakeLogo(source, logo.data(), still, band).number(), error);
    return logo;
}

// A photo-like 640 x 480 picture: smooth gradients and some detail.
const std::string kPhoto =
    Picture24(640, 480, [](int32_t x, int32_t y) { return uint32_t((x * 255 / 639) << 16 | (y * 255 / 479) << 8 | ((x * y / 37 + x / 3) & 0xFF)); });

// PSNR of the logo's rows outside the band against the picture's own area
// average, 24 bits.
double PictureFidelity(const Logo& logo, const Band& band)
{
    std::vector<uint8_t> exact(320 * 400 * 3);
    MemorySource source = SourceOf(kPhoto);
    EXPECT_FALSE(ScalePicture(source, 320, 400, exact.data()));
    double error = 0;
    int n = 0;
    for (int y = 0; y < 400; ++y) {
        if (y >= band.top && y < band.top + band.height) continue;
        for (int x = 0; x < 320; ++x, ++n) {
            const uint32_t c = Entry(logo, Index(logo, x, y));
            const uint8_t* e = &exact[(y * 320 + x) * 3];
            for (int k = 0; k < 3; ++k) error += std::pow(double(int(c >> (8 * k) & 0xFF) - e[k]), 2);
        }
    }
    return 10 * std::log10(255.0 * 255.0 * 3 * n / error);
}
}

// The band's strip holds the turning entries alone, the picture none of
// them; biClrImportant names the first; the picture around the band is as
// faithful as a plain conversion in as many colours.
TEST(Band, TakesTheTurningEntriesAndTheStripAlone)
{
    const struct {
        Band band;
    } kCases[] = {{BottomBand()}, {TopBand(BandColours::Blue)}, {{150, 7, BandColours::Picture}}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.band.top);
        const Logo logo = Made(kPhoto, &c.band, kFirst);
        EXPECT_EQ(ColourCycleStart(logo.data(), uint32_t(logo.size())), kFirst);
        int strayed = 0;
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 320; ++x) strayed += (Index(logo, x, y) >= kFirst) != (y >= c.band.top && y < c.band.top + c.band.height);
        EXPECT_EQ(strayed, 0);
        const Logo plain = Made(kPhoto, nullptr, kFirst);
        EXPECT_GT(PictureFidelity(logo, c.band), PictureFidelity(plain, c.band) - 0.3);
    }
}

// The gradient runs from one end to the other and back over the entries;
// in blue, or from the picture's darkest and brightest quarters, moved
// apart when they are too alike to be seen to move.
TEST(Band, ColoursFromThePictureOrBlue)
{
    const std::string halves = Picture24(640, 480, [](int32_t, int32_t y) { return y < 240 ? 0x283C50u : 0xDCC8B4u; });
    const std::string flat = Picture24(640, 480, [](int32_t, int32_t) { return 0x808080u; });
    const struct {
        const std::string* picture;
        BandColours colours;
        uint32_t first, middle;  // entries 224 and 240, 0xRRGGBB
    } kCases[] = {
        {&halves, BandColours::Picture, 0x283C50, 0xDCC8B4},
        {&halves, BandColours::Blue, 0x001070, 0x40B0FF},
        {&flat, BandColours::Picture, 0x404040, 0xBFBFBF},
    };
    for (const auto& c : kCases) {
        const Band band = BottomBand(c.colours);
        const Logo logo = Made(*c.picture, &band, kFirst);
        EXPECT_EQ(std::make_tuple(Entry(logo, kFirst), Entry(logo, kFirst + 16), Entry(logo, 255)),
                  std::make_tuple(c.first, c.middle, Entry(logo, kFirst + 1)));
        EXPECT_EQ(Index(logo, 0, 399), kFirst);
        EXPECT_EQ(Index(logo, 160, 399), kFirst);  // twice across
        EXPECT_EQ(Index(logo, 5, 399), kFirst + 1);
    }
}

TEST(Band, OutsideTheLogoOrWithoutFreeEntriesIsNoBand)
{
    for (const Band& band : {Band{390, 11, BandColours::Blue}, Band{-1, 5, BandColours::Blue}, Band{0, 0, BandColours::Blue}})
        Made(kPhoto, &band, kFirst, kErrInvalidCall);
    const Band band = BottomBand();
    Made(kPhoto, &band, kLogoPaletteEntries, kErrInvalidCall);
}
