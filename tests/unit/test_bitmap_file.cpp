#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "picture/bitmap_check.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& b, size_t at, uint32_t v, int n = 4)
{
    for (int i = 0; i < n; ++i) b[at + i] = uint8_t(v >> 8 * i);
}

// What goes into a bitmap file, laid out the usual way: file header, info
// header, masks, palette, pixels (zero rows padded to 4 bytes unless given).
struct Plan {
    uint32_t info = 40;
    int32_t width = 5, height = 3;
    uint16_t planes = 1, bits = 8;
    uint32_t compression = kBiRgb, sizeImage = 0, colours = 0, gap = 0;
    Bytes masks, pixels;
    void Fields(uint16_t b, uint32_t r, uint32_t g, uint32_t bl)
    {
        bits = b, compression = kBiBitfields, masks.assign(12, 0);
        Put(masks, 0, r), Put(masks, 4, g), Put(masks, 8, bl);
    }
    void Rle(uint32_t kind, int32_t w, int32_t h, Bytes runs)
    {
        compression = kind, bits = kind == kBiRle4 ? 4 : 8, width = w, height = h, pixels = std::move(runs);
    }
};

// Palette entry i: blue i, green 255 - i, red i ^ 0x5A; 4-byte entries carry
// 0xFF in their spare byte, so that a copy of it would show.
Bytes Build(const Plan& s)
{
    const uint32_t entries = s.colours ? s.colours : s.bits <= 8 ? 1u << s.bits : 0, entry = s.info == 12 ? 3 : 4;
    const uint32_t rows = uint32_t(s.height < 0 ? -int64_t(s.height) : s.height);
    const uint32_t paletteAt = 14 + s.info + (s.info == 40 ? uint32_t(s.masks.size()) : 0);
    const uint32_t bitsAt = paletteAt + entries * entry + s.gap;
    Bytes pixels = s.pixels.empty() ? Bytes((uint32_t(s.width) * s.bits + 31) / 32 * 4 * rows) : s.pixels;
    Bytes f(bitsAt + pixels.size());
    f[0] = 'B', f[1] = 'M';
    Put(f, 2, uint32_t(f.size())), Put(f, 10, bitsAt), Put(f, 14, s.info);
    if (s.info == 12) Put(f, 18, s.width, 2), Put(f, 20, s.height, 2), Put(f, 22, s.planes, 2), Put(f, 24, s.bits, 2);
    if (s.info != 12) Put(f, 18, s.width), Put(f, 22, s.height), Put(f, 26, s.planes, 2), Put(f, 28, s.bits, 2);
    if (s.info != 12) Put(f, 30, s.compression), Put(f, 34, s.sizeImage), Put(f, 46, s.colours);
    std::copy(s.masks.begin(), s.masks.end(), f.begin() + 54);
    for (uint32_t i = 0; i < entries; ++i) {
        const uint8_t bytes[] = {uint8_t(i), uint8_t(255 - i), uint8_t(i ^ 0x5A), 0xFF};
        std::copy(bytes, bytes + entry, f.begin() + paletteAt + i * entry);
    }
    std::copy(pixels.begin(), pixels.end(), f.begin() + bitsAt);
    return f;
}

using Change = void (*)(Plan&);
const Bytes kRle8 = {4, 9, 0, 0, 0, 3, 1, 2, 3, 0, 1, 7, 0, 1};  // a run of 4; a literal of 3, a run of 1
const Bytes kRle4 = {5, 0x12, 0, 0, 0, 4, 0x34, 0x56, 1, 0x70, 0, 1};

struct Valid {
    const char* name;
    Change plan;
    uint32_t colours, masks, bitsAt, bitsSize;
};
const Valid kValid[] = {
    {"bpp8", [](Plan&) {}, 256, 0, 1078, 24},
    {"bpp1", [](Plan& s) { s.bits = 1, s.width = 33; }, 2, 0, 62, 24},
    {"bpp4", [](Plan& s) { s.bits = 4; }, 16, 0, 118, 12},
    {"bpp8_short_palette", [](Plan& s) { s.colours = 16; }, 16, 0, 118, 24},
    {"bpp16", [](Plan& s) { s.bits = 16; }, 0, 0, 54, 36},
    {"bpp24_with_palette", [](Plan& s) { s.bits = 24, s.colours = 4; }, 4, 0, 70, 48},
    {"bitfields_with_palette", [](Plan& s) { s.Fields(16, 0xF800, 0x07E0, 0x1F), s.colours = 3; }, 3, 3, 78, 36},
    {"bitfields_top_down", [](Plan& s) { s.Fields(32, 0xFF0000, 0xFF00, 0xFF), s.height = -2; }, 0, 3, 66, 40},
    {"bitfields_in_v3_header", [](Plan& s) { s.info = 56, s.Fields(16, 0x7C00, 0x03E0, 0x1F); }, 0, 0, 70, 36},
    {"v5_header", [](Plan& s) { s.info = 124, s.bits = 24; }, 0, 0, 138, 48},
    {"gap_before_pixels", [](Plan& s) { s.gap = 6; }, 256, 0, 1084, 24},
    {"os2_bpp8", [](Plan& s) { s.info = 12, s.width = 80, s.height = 60; }, 256, 0, 794, 4800},
    {"largest_area", [](Plan& s) { s.bits = 1, s.width = 4096, s.height = 4096; }, 2, 0, 62, 2097152},
    {"rle8", [](Plan& s) { s.Rle(kBiRle8, 4, 2, kRle8); }, 256, 0, 1078, 14},
    {"rle4", [](Plan& s) { s.Rle(kBiRle4, 5, 2, kRle4); }, 16, 0, 118, 12},
    {"rle8_delta", [](Plan& s) { s.Rle(kBiRle8, 4, 3, {2, 5, 0, 2, 2, 1, 0, 0, 4, 6, 0, 1}); }, 256, 0, 1078, 12},
    {"rle8_delta_to_the_corner", [](Plan& s) { s.Rle(kBiRle8, 4, 2, {0, 2, 4, 2, 0, 1}); }, 256, 0, 1078, 6},
    {"rle8_literal_pad", [](Plan& s) { s.Rle(kBiRle8, 4, 2, {0, 3, 1, 2, 3, 0xFF, 1, 7, 0, 1}); }, 256, 0, 1078, 10},
    {"rle4_literal_pad", [](Plan& s) { s.Rle(kBiRle4, 8, 1, {0, 5, 0x12, 0x34, 0x50, 0xFF, 3, 0x44, 0, 1}); }, 16, 0, 118, 10},
    {"rle8_literal_ends_the_data", [](Plan& s) { s.Rle(kBiRle8, 4, 2, {0, 3, 1, 2, 3, 0}); }, 256, 0, 1078, 6},
    {"rle8_junk_past_size_image", [](Plan& s) { s.Rle(kBiRle8, 2, 1, {2, 1, 200, 200}), s.sizeImage = 2; }, 256, 0, 1078, 2},
};

TEST(CheckBitmapFile, AcceptsValidFilesWithTheirLayout)
{
    for (const Valid& c : kValid) {
        Plan s;
        c.plan(s);
        const Bytes f = Build(s);
        BitmapLayout l{};
        ASSERT_TRUE(CheckBitmapFile(f.data(), uint32_t(f.size()), &l)) << c.name;
        EXPECT_EQ(std::vector<uint32_t>({uint32_t(l.width), uint32_t(l.height), l.topDown, l.bitCount, l.compression}),
                  std::vector<uint32_t>({uint32_t(s.width), uint32_t(s.height < 0 ? -s.height : s.height), s.height < 0, s.bits, s.compression})) << c.name;
        EXPECT_EQ(std::vector<uint32_t>({l.colourCount, l.maskCount, l.bitsOffset, l.bitsSize}),
                  std::vector<uint32_t>({c.colours, c.masks, c.bitsAt, c.bitsSize})) << c.name;
    }
}

// The header every drawing code understands: 40 bytes, the masks, 4-byte
// palette entries with a zero spare byte; nothing written past its size.
TEST(CanonicalInfo, HeaderMasksAndPalette)
{
    const struct {
        Change plan;
        uint32_t size;
        std::vector<std::pair<size_t, Bytes>> spans;  // offset, bytes expected there
    } cases[] = {
        {[](Plan& s) { s.info = 12, s.bits = 4; }, 104,
         {{0, {40, 0, 0, 0, 5, 0, 0, 0, 3, 0, 0, 0, 1, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0}}, {32, {16, 0, 0, 0}},
          {40, {0, 255, 0x5A, 0, 1, 254, 0x5B, 0}}, {100, {15, 240, 0x55, 0}}}},
        {[](Plan& s) { s.height = -3; }, 1064, {{8, {0xFD, 0xFF, 0xFF, 0xFF}}, {1060, {255, 0, 0xA5, 0}}}},
        {[](Plan& s) { s.info = 108, s.Fields(32, 0x7C00, 0x03E0, 0x1F); }, 52,
         {{16, {3, 0, 0, 0}}, {40, {0, 0x7C, 0, 0, 0xE0, 3, 0, 0, 0x1F, 0, 0, 0}}}},
        {[](Plan& s) { s.Fields(16, 0xF800, 0x07E0, 0x1F), s.colours = 3; }, 64,
         {{40, {0, 0xF8, 0, 0, 0xE0, 7, 0, 0, 0x1F, 0, 0, 0, 0, 255, 0x5A, 0}}}},
        {[](Plan& s) { s.Rle(kBiRle8, 4, 2, kRle8); }, 1064, {{16, {1, 0, 0, 0, 14, 0, 0, 0}}}},
    };
    for (const auto& c : cases) {
        Plan s;
        c.plan(s);
        const Bytes f = Build(s);
        BitmapLayout l{};
        ASSERT_TRUE(CheckBitmapFile(f.data(), uint32_t(f.size()), &l));
        ASSERT_EQ(CanonicalInfoSize(l), c.size);
        Bytes info(c.size + 16, 0xCD);
        WriteCanonicalInfo(f.data(), l, info.data());
        for (const auto& [at, want] : c.spans) EXPECT_EQ(Bytes(info.begin() + at, info.begin() + at + want.size()), want) << at;
        EXPECT_EQ(Bytes(info.end() - 16, info.end()), Bytes(16, 0xCD));
    }
}

// A valid plan, one change to it, then one change to its bytes.
struct Bad {
    const char* name;
    Change plan;
    void (*bytes)(Bytes&);
};
const Bad kBad[] = {
    {"empty", nullptr, [](Bytes& f) { f.clear(); }},
    {"os2_header_cut", [](Plan& s) { s.info = 12; }, [](Bytes& f) { f.resize(25); }},
    {"header_longer_than_file", [](Plan& s) { s.info = 124; }, [](Bytes& f) { f.resize(14 + 100); }},
    {"magic_swapped", nullptr, [](Bytes& f) { f[0] = 'M', f[1] = 'B'; }},
    {"planes_2", [](Plan& s) { s.planes = 2; }, nullptr},
    {"os2_planes_0", [](Plan& s) { s.info = 12, s.planes = 0; }, nullptr},
    {"bit_count_2", [](Plan& s) { s.bits = 2; }, nullptr},
    {"rle8_with_4_bits", [](Plan& s) { s.Rle(kBiRle8, 4, 2, kRle8), s.bits = 4; }, nullptr},
    {"bitfields_with_24_bits", [](Plan& s) { s.Fields(24, 0xFF0000, 0xFF00, 0xFF); }, nullptr},
    {"jpeg_inside", [](Plan& s) { s.compression = 4; }, nullptr},
    {"top_down_rle8", [](Plan& s) { s.Rle(kBiRle8, 4, 2, kRle8), s.height = -2; }, nullptr},
    {"zero_width", nullptr, [](Bytes& f) { Put(f, 18, 0); }},
    {"negative_width", nullptr, [](Bytes& f) { Put(f, 18, uint32_t(-5)); }},
    {"int32_min_height", nullptr, [](Bytes& f) { Put(f, 22, uint32_t(INT32_MIN)); }},
    {"area_one_row_too_many", [](Plan& s) { s.bits = 1, s.width = 4096, s.height = 4097; }, nullptr},
    {"widest_claim", nullptr, [](Bytes& f) { Put(f, 18, INT32_MAX), Put(f, 22, 1); }},
    // The pixels would fit, read from inside the missing palette.
    {"palette_past_the_end_pixels_fit", nullptr, [](Bytes& f) { f.resize(54 + 24), Put(f, 10, 54); }},
    {"os2_palette_past_the_end_pixels_fit", [](Plan& s) { s.info = 12; }, [](Bytes& f) { f.resize(26 + 12), Put(f, 10, 26); }},
    {"more_colours_than_4_bits_hold", [](Plan& s) { s.bits = 4, s.colours = 17; }, nullptr},
    {"palette_over_256", [](Plan& s) { s.bits = 24, s.colours = 257; }, nullptr},
    {"bits_inside_the_header", nullptr, [](Bytes& f) { Put(f, 10, 20); }},
    {"bits_inside_the_masks", [](Plan& s) { s.Fields(32, 0xFF0000, 0xFF00, 0xFF); }, [](Bytes& f) { Put(f, 10, 62); }},
    {"bits_at_the_end", nullptr, [](Bytes& f) { Put(f, 10, uint32_t(f.size())); }},
    {"pixels_one_byte_short", nullptr, [](Bytes& f) { f.pop_back(); }},
    {"rle8_run_past_the_row", [](Plan& s) { s.Rle(kBiRle8, 4, 2, {3, 9, 2, 9, 0, 1}); }, nullptr},
    {"rle8_run_below_the_last_row", [](Plan& s) { s.Rle(kBiRle8, 2, 1, {2, 1, 0, 0, 1, 1, 0, 1}); }, nullptr},
    {"rle8_literal_below_the_last_row", [](Plan& s) { s.Rle(kBiRle8, 4, 1, {0, 0, 0, 3, 1, 2, 3, 0, 0, 1}); }, nullptr},
    {"rle8_delta_past_the_row", [](Plan& s) { s.Rle(kBiRle8, 4, 2, {0, 2, 5, 0, 0, 1}); }, nullptr},
    {"rle8_delta_below_the_picture", [](Plan& s) { s.Rle(kBiRle8, 4, 2, {0, 2, 0, 3, 0, 1}); }, nullptr},
    {"rle8_delta_cut_off", [](Plan& s) { s.Rle(kBiRle8, 4, 2, {0, 2, 1, 0}), s.sizeImage = 3; }, nullptr},
    {"rle8_literal_reads_past_the_data", [](Plan& s) { s.Rle(kBiRle8, 8, 2, {0, 6, 1, 2}); }, nullptr},
    {"rle8_size_image_cuts_a_literal", [](Plan& s) { s.Rle(kBiRle8, 4, 2, kRle8), s.sizeImage = 7; }, nullptr},
    {"rle4_run_past_the_row", [](Plan& s) { s.Rle(kBiRle4, 5, 2, {6, 0x12, 0, 1}); }, nullptr},
    {"rle4_literal_reads_past_the_data", [](Plan& s) { s.Rle(kBiRle4, 8, 2, {0, 5, 0x12, 0x34}); }, nullptr},
};

TEST(CheckBitmapFile, RefusesBadFiles)
{
    for (const Bad& c : kBad) {
        Plan s;
        if (c.plan) c.plan(s);
        Bytes f = Build(s);
        if (c.bytes) c.bytes(f);
        BitmapLayout l{};
        EXPECT_FALSE(CheckBitmapFile(f.data(), uint32_t(f.size()), &l)) << c.name;
    }
}

}  // namespace
