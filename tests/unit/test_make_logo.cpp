#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "bitmaps.h"
#include "picture/bitmap_rows.h"
#include "picture/make_logo.h"

namespace {
using Logo = std::vector<uint8_t>;
using Values = std::vector<uint32_t>;

uint32_t Get(const uint8_t* b) { return b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24; }

// A bitmap in the order the tables below give it; negative height: top-down.
struct Source {
    int32_t width, height;
    uint16_t bits;
    Values pixels;
    uint32_t compression = 0, info = 40, colours = 0, important = 0;
    Values masks = {};
    std::vector<uint8_t> raw = {};
    std::string file() const
    {
        BitmapPlan plan(width, height, bits);
        plan.info = info, plan.compression = compression, plan.colours = colours, plan.important = important;
        plan.pixels = pixels, plan.masks = masks, plan.raw = raw;
        return BuildBitmap(plan);
    }
};

Logo Convert(const std::string& file, int error = 0)
{
    Logo logo(kLogoFileSize, 0xCD);
    MemorySource source = SourceOf(file);
    EXPECT_EQ(MakeLogo(source, logo.data()).number(), error);
    return logo;
}
uint32_t Important(const Logo& logo) { return Get(&logo[50]); }
uint32_t Entry(const Logo& logo, uint32_t i) { return Get(&logo[54 + 4 * i]) & 0xFFFFFF; }  // 0xRRGGBB
// A logo's palette index and colour (0xRRGGBB) at (x, y), y 0 being the top row.
uint8_t Index(const Logo& logo, int x, int y) { return logo[kLogoPixelsAt + (399 - y) * 320 + x]; }
uint32_t Colour(const Logo& logo, int x, int y) { return Entry(logo, Index(logo, x, y)); }

// Every kind of bitmap the check accepts: what it reads as (indexes, or
// 0xRRGGBB), its description, and the header of its logo; with its magic
// bytes spoilt it is refused.
struct Format {
    const char* name;
    Source source;
    Values want;
    bool compressed;
};
// clang-format off
const Format kFormats[] = {
    {"bits1", {4, 2, 1, {1, 0, 1, 1, 0, 1, 0, 0}}, {1, 0, 1, 1, 0, 1, 0, 0}, false},
    {"bits4_short_palette", {3, 2, 4, {1, 2, 3, 4, 5, 6}, 0, 40, 7}, {1, 2, 3, 4, 5, 6}, false},
    {"bits8_top_down_cycling", {2, -2, 8, {9, 200, 0, 255}, 0, 40, 0, 7}, {9, 200, 0, 255}, false},  // a made logo does not cycle
    {"os2_bits8", {2, 2, 8, {7, 8, 9, 10}, 0, 12}, {7, 8, 9, 10}, false},
    // Bottom row: 3 literal pixels and a pad; two rows up; a 6; end of line; two 5s; end.
    {"rle8", {4, 4, 8, {}, 1, 40, 0, 0, {}, {0, 3, 1, 2, 3, 0, 0, 2, 0, 2, 1, 6, 0, 0, 2, 5, 0, 1}},
     {5, 5, 0, 0, 0, 0, 0, 6, 0, 0, 0, 0, 1, 2, 3, 0}, true},
    {"rle4", {4, 2, 4, {}, 2, 40, 0, 0, {}, {0, 3, 0x12, 0x30, 0, 0, 4, 0x56, 0, 1}}, {5, 6, 5, 6, 1, 2, 3, 0}, true},
    {"bits16", {2, 2, 16, {0x7C00, 0x03E0, 0x001F, 0x4210}}, {0xFF0000, 0xFF00, 0xFF, 0x848484}, false},
    {"bits16_565", {2, 1, 16, {0xF800, 0x07E0}, 3, 40, 0, 0, {0xF800, 0x07E0, 0x1F}}, {0xFF0000, 0xFF00}, false},
    {"bits24", {3, 1, 24, {0x123456, 0xABCDEF, 0}}, {0x123456, 0xABCDEF, 0}, false},
    {"bits24_v5", {1, -2, 24, {0x010203, 0x040506}, 0, 124}, {0x010203, 0x040506}, false},
    {"bits32", {2, 1, 32, {0xFF123456, 0x00FEDCBA}}, {0x123456, 0xFEDCBA}, false},
    // Ten bits a channel (the top eight kept), and masks with gaps.
    {"bits32_10bit", {2, 1, 32, {0x3FF01000, 0x80200}, 3, 40, 0, 0, {0x3FF00000, 0xFFC00, 0x3FF}}, {0xFF0100, 0x8080}, false},
    {"bits16_gaps_v4", {2, 1, 16, {0x5000, 0x1000}, 3, 108, 0, 0, {0x5000, 0xA00, 5}}, {0xFF0000, 0x330000}, false},
};
// clang-format on
class LogoFromEachFormat : public ::testing::TestWithParam<Format> {};

TEST_P(LogoFromEachFormat, ReadDescribeAndConvert)
{
    const Format& c = GetParam();
    const std::string file = c.source.file();
    const uint32_t width = c.source.width, height = std::abs(c.source.height);
    MemorySource source = SourceOf(file);
    BitmapRows rows;
    ASSERT_FALSE(rows.open(source));
    Values got(width * height, 0xBAD);
    const uint8_t* p;
    for (int32_t y; rows.nextRow(&y);)
        for (uint32_t x = 0, n; (n = rows.piece(&p)) != 0; x += n)
            for (uint32_t i = 0; i < n; ++i) got[y * width + x + i] = rows.indexed() ? p[i] : p[3 * i] | p[3 * i + 1] << 8 | p[3 * i + 2] << 16;
    EXPECT_FALSE(rows.failed());
    EXPECT_EQ(got, c.want);
    const PictureShape& d = rows.shape();
    EXPECT_EQ(Values({uint32_t(d.width), uint32_t(d.height), d.bitCount, d.compressed}), Values({width, height, c.source.bits, c.compressed}));
    const Logo logo = Convert(file);
    std::string bad = file;
    bad[1] = 'X';
    Convert(bad, kErrInvalidPicture);
    MemorySource made(logo.data(), uint32_t(logo.size()));
    EXPECT_TRUE(IsLogoShaped(made));
    EXPECT_EQ(Logo(logo.begin(), logo.begin() + 54),
              Logo({'B', 'M', 0x36, 0xF8, 1, 0, 0, 0, 0,    0, 0x36, 4, 0, 0, 40, 0, 0, 0, 0x40, 1, 0, 0, 0x90, 1, 0, 0, 1,
                    0,   8,   0,    0,    0, 0, 0, 0, 0xF4, 1, 0,    0, 0, 0, 0,  0, 0, 0, 0,    0, 1, 0, 0,    0, 0, 0, 0}));
}
INSTANTIATE_TEST_SUITE_P(Cases, LogoFromEachFormat, ::testing::ValuesIn(kFormats), [](const auto& i) { return std::string(i.param.name); });

// 320 x 400 pictures of up to 8 bits keep palette, indexes and colour
// cycling start; only their storage changes.
struct Kept {
    const char* name;
    uint16_t bits;
    uint32_t colours, compression;
    int32_t height;
    bool shaped;
    uint32_t header;
};
// clang-format off
const Kept kKept[] = {{"plain", 8, 0, 0, 400, true, 40},  {"top_down", 8, 0, 0, -400, false, 40}, {"rle8", 8, 0, 1, 400, false, 40},
                      {"short_palette", 8, 16, 0, 400, false, 40}, {"bits4", 4, 0, 0, 400, false, 40},
                      {"bits1", 1, 0, 0, 400, false, 40}, {"os2_no_cycle_start", 8, 0, 0, 400, false, 12}};
// clang-format on
class LogoOf320x400Indexed : public ::testing::TestWithParam<Kept> {};

TEST_P(LogoOf320x400Indexed, KeepsPaletteIndexesAndCycleStart)
{
    const Kept& k = GetParam();
    const uint32_t last = (k.colours ? k.colours : 1u << k.bits) - 1;
    Source s{320, k.height, k.bits, Values(320 * 400), k.compression, k.header, k.colours, 236};
    for (uint32_t i = 0; i < s.pixels.size(); ++i) s.pixels[i] = (i * 7 + i / 320 * 3) & last;
    for (int at = 399 * 320; k.compression && at >= 0; at -= 320) {  // rows bottom first, two literals each
        for (int half : {at, at + 160}) s.raw.insert(s.raw.insert(s.raw.end(), {0, 160}) + 2, &s.pixels[half], &s.pixels[half + 160]);
        s.raw.insert(s.raw.end(), {0, uint8_t(at ? 0 : 1)});
    }
    const std::string file = s.file();
    const Logo logo = Convert(file);
    MemorySource source = SourceOf(file);
    EXPECT_EQ(IsLogoShaped(source), k.shaped);
    EXPECT_EQ(Important(logo), k.header == 12 ? 0u : 236u);
    for (uint32_t i = 0; i < 256; ++i) ASSERT_EQ(Entry(logo, i), i <= last ? PlanColour(i) : 0) << i;
    for (uint32_t i = 0; i < s.pixels.size(); ++i) ASSERT_EQ(Index(logo, i % 320, i / 320), s.pixels[i]) << i;
}
INSTANTIATE_TEST_SUITE_P(Cases, LogoOf320x400Indexed, ::testing::ValuesIn(kKept), [](const auto& i) { return std::string(i.param.name); });

// A white picture lands in this rectangle of the logo, black around it.
TEST(MakeLogo, FillsOrFitsTheFourByThreeScreen)
{
    const struct {
        int32_t width, height, left, top, right, bottom;
    } kCases[] = {
        {64, 48, 0, 0, 320, 400},    {64, 40, 0, 0, 320, 400},    // 4:3, 16:10
        {100, 100, 40, 0, 280, 400}, {160, 90, 0, 50, 320, 350},  // square, 16:9
        {7, 5, 0, 9, 320, 390},      {7, 9, 66, 0, 253, 400},     // 380.95 and 186.67 rounded
    };
    for (const auto& c : kCases) {
        const Logo logo = Convert(Source{c.width, c.height, 24, Values(c.width * c.height, 0xFFFFFF)}.file());
        std::vector<int> box = {320, 400, 0, 0};
        int white = 0;
        for (int i = 0, x = 0, y = 0; i < 320 * 400; ++i, x = i % 320, y = i / 320)
            if (uint32_t colour = Colour(logo, x, y))
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x + 1), std::max(box[3], y + 1)}, white += colour == 0xFFFFFF;
        EXPECT_EQ(box, std::vector<int>({c.left, c.top, c.right, c.bottom})) << c.width << "x" << c.height;
        EXPECT_EQ(white, (c.right - c.left) * (c.bottom - c.top)) << c.width << "x" << c.height;
    }
}

// More than 256 colours: a full palette, and error diffusion keeps each
// 16 x 16 block's mean where the picture has it (inside the outer ring of
// blocks: no mix of palette colours reaches the extremes).
TEST(MakeLogo, DiffusesTheErrorOfAGradient)
{
    Values pixels(320 * 400);
    for (int i = 0; i < 320 * 400; ++i) pixels[i] = (i / 320 * 255 / 399) << 16 | 0x8000 | i % 320 * 255 / 319;
    const Logo logo = Convert(Source{320, 400, 24, pixels}.file());
    EXPECT_EQ(Important(logo), 0u);
    std::set<uint32_t> palette;
    for (uint32_t i = 0; i < 256; ++i) palette.insert(Entry(logo, i));
    EXPECT_GE(palette.size(), 250u);
    for (int by = 16; by < 384; by += 16)
        for (int bx = 16; bx < 304; bx += 16)
            for (int c = 0, sum = 0; c < 3; ++c, sum = 0) {
                for (int i = 0, x = bx + i % 16, y = by + i / 16; i < 256; ++i, x = bx + i % 16, y = by + i / 16)
                    sum += int(Colour(logo, x, y) >> 8 * c & 255) - int(pixels[y * 320 + x] >> 8 * c & 255);
                ASSERT_LT(std::abs(sum), 256) << bx << "," << by << " channel " << c;
            }
}
// Squares of pure red, green and blue on a flat pale blue, under a band of
// noise of every colour (thousands of colours: a palette is made and the
// error diffused), or under black (five colours, kept exactly). Each
// region's palette entry holds its colour (blue, green, red), and no error
// carried down from the texture puts a speck into the flat colours.
TEST(MakeLogo, FlatColoursKeepTheirEntries)
{
    // clang-format off
    const struct { int left, top, right, bottom; uint32_t colour; Logo entry; } kRegions[] = {
        {0, 160, 320, 400, 0x87CEEB, {0xEB, 0xCE, 0x87, 0}}, {20, 260, 60, 300, 0xFF0000, {0, 0, 0xFF, 0}},
        {140, 260, 180, 300, 0x00FF00, {0, 0xFF, 0, 0}}, {260, 260, 300, 300, 0x0000FF, {0xFF, 0, 0, 0}}};
    // clang-format on
    for (bool texture : {false, true}) {
        Values pixels(320 * 400, 0);
        for (int i = 0; texture && i < 160 * 320; ++i) {
            uint32_t h = uint32_t(i) * 2654435761u;
            pixels[i] = (h ^ h >> 15) & 0xFFFFFF;
        }
        for (const auto& r : kRegions)
            for (int y = r.top; y < r.bottom; ++y) std::fill(&pixels[y * 320 + r.left], &pixels[y * 320 + r.right], r.colour);
        const Logo logo = Convert(Source{320, 400, 24, pixels}.file());
        for (const auto& r : kRegions) {
            const size_t entry = 54 + 4 * logo[kLogoPixelsAt + (399 - r.top - 1) * 320 + r.left + 1];
            EXPECT_EQ(Logo(logo.begin() + entry, logo.begin() + entry + 4), r.entry) << texture;
        }
        int specks = 0;
        for (int i = 160 * 320; i < 320 * 400; ++i) specks += Colour(logo, i % 320, i / 320) != pixels[i];
        EXPECT_EQ(specks, 0) << texture;
    }
}

// Fewer colours for the picture leave the top of the palette to a band
// that moves: the pixels stay below, the entries above are black, and
// biClrImportant names the first of them; a 320 x 400 indexed picture too.
TEST(MakeLogo, LeavesTheTopEntriesFreeWhenAsked)
{
    Values gradient(320 * 400), indexes(320 * 400);
    for (uint32_t i = 0; i < gradient.size(); ++i) gradient[i] = (i / 320 * 255 / 399) << 16 | (i % 320 * 255 / 319) << 8, indexes[i] = i % 256;
    for (const std::string& file : {Source{320, 400, 24, gradient}.file(), Source{320, 400, 8, indexes, 0, 40, 0, 5}.file()}) {
        Logo logo(kLogoFileSize);
        MemorySource source = SourceOf(file);
        ASSERT_FALSE(MakeLogo(source, logo.data(), 200));
        EXPECT_EQ(Important(logo), 200u);
        EXPECT_LT(*std::max_element(logo.begin() + kLogoPixelsAt, logo.end()), 200);
        for (uint32_t i = 200; i < 256; ++i) ASSERT_EQ(Entry(logo, i), 0u) << i;
        EXPECT_EQ(MakeLogo(source, logo.data(), 0).number(), kErrInvalidCall);
    }
}
}  // namespace
