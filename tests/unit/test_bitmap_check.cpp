#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "bitmaps.h"
#include "picture/bitmap_check.h"

namespace {

// An 8-bit 5 x 3 picture, changed by each case.
struct Plan : BitmapPlan {
    Plan() : BitmapPlan{5, 3, 8} {}
    void Fields(uint16_t b, uint32_t r, uint32_t g, uint32_t bl) { bits = b, compression = kBiBitfields, masks = {r, g, bl}; }
    void Rle(uint32_t kind, int32_t w, int32_t h, std::vector<uint8_t> runs)
    {
        compression = kind, bits = kind == kBiRle4 ? 4 : 8, width = w, height = h, raw = std::move(runs);
    }
};
using File = std::string;
void Put(File& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + i] = char(v >> 8 * i);
}
bool Check(const File& f, BitmapLayout* l) { return CheckBitmapFile(Data(f), uint32_t(f.size()), l); }

using Change = void (*)(Plan&);
const std::vector<uint8_t> kRle8 = {4, 9, 0, 0, 0, 3, 1, 2, 3, 0, 1, 7, 0, 1};  // a run of 4; a literal of 3, a run of 1
const std::vector<uint8_t> kRle4 = {5, 0x12, 0, 0, 0, 4, 0x34, 0x56, 1, 0x70, 0, 1};

struct Valid {
    const char* name;
    Change plan;
    uint32_t colours, masks, bitsAt, bitsSize;
};
// clang-format off
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
// clang-format on

TEST(CheckBitmapFile, AcceptsValidFilesWithTheirLayout)
{
    for (const Valid& c : kValid) {
        Plan s;
        c.plan(s);
        BitmapLayout l{};
        ASSERT_TRUE(Check(BuildBitmap(s), &l)) << c.name;
        EXPECT_EQ(std::vector<uint32_t>({uint32_t(l.width), uint32_t(l.height), l.topDown, l.bitCount, l.compression}),
                  std::vector<uint32_t>({uint32_t(s.width), uint32_t(s.height < 0 ? -s.height : s.height), s.height < 0, s.bits, s.compression}))
            << c.name;
        EXPECT_EQ(std::vector<uint32_t>({l.colourCount, l.maskCount, l.bitsOffset, l.bitsSize}),
                  std::vector<uint32_t>({c.colours, c.masks, c.bitsAt, c.bitsSize}))
            << c.name;
    }
}

// A valid plan, one change to it, then one change to its bytes.
struct Bad {
    const char* name;
    Change plan;
    void (*bytes)(File&);
};
// clang-format off
const Bad kBad[] = {
    {"empty", nullptr, [](File& f) { f.clear(); }},
    {"os2_header_cut", [](Plan& s) { s.info = 12; }, [](File& f) { f.resize(25); }},
    {"header_longer_than_file", [](Plan& s) { s.info = 124; }, [](File& f) { f.resize(14 + 100); }},
    {"magic_swapped", nullptr, [](File& f) { f[0] = 'M', f[1] = 'B'; }},
    {"planes_2", [](Plan& s) { s.planes = 2; }, nullptr},
    {"os2_planes_0", [](Plan& s) { s.info = 12, s.planes = 0; }, nullptr},
    {"bit_count_2", [](Plan& s) { s.bits = 2; }, nullptr},
    {"rle8_with_4_bits", [](Plan& s) { s.Rle(kBiRle8, 4, 2, kRle8), s.bits = 4; }, nullptr},
    {"bitfields_with_24_bits", [](Plan& s) { s.Fields(24, 0xFF0000, 0xFF00, 0xFF); }, nullptr},
    {"jpeg_inside", [](Plan& s) { s.compression = 4; }, nullptr},
    {"top_down_rle8", [](Plan& s) { s.Rle(kBiRle8, 4, 2, kRle8), s.height = -2; }, nullptr},
    {"zero_width", nullptr, [](File& f) { Put(f, 18, 0); }},
    {"negative_width", nullptr, [](File& f) { Put(f, 18, uint32_t(-5)); }},
    {"int32_min_height", nullptr, [](File& f) { Put(f, 22, uint32_t(INT32_MIN)); }},
    {"area_one_row_too_many", [](Plan& s) { s.bits = 1, s.width = 4096, s.height = 4097; }, nullptr},
    {"widest_claim", nullptr, [](File& f) { Put(f, 18, INT32_MAX), Put(f, 22, 1); }},
    // The pixels would fit, read from inside the missing palette.
    {"palette_past_the_end_pixels_fit", nullptr, [](File& f) { f.resize(54 + 24), Put(f, 10, 54); }},
    {"os2_palette_past_the_end_pixels_fit", [](Plan& s) { s.info = 12; }, [](File& f) { f.resize(26 + 12), Put(f, 10, 26); }},
    {"more_colours_than_4_bits_hold", [](Plan& s) { s.bits = 4, s.colours = 17; }, nullptr},
    {"palette_over_256", [](Plan& s) { s.bits = 24, s.colours = 257; }, nullptr},
    {"bits_inside_the_header", nullptr, [](File& f) { Put(f, 10, 20); }},
    {"bits_inside_the_masks", [](Plan& s) { s.Fields(32, 0xFF0000, 0xFF00, 0xFF); }, [](File& f) { Put(f, 10, 62); }},
    {"bits_at_the_end", nullptr, [](File& f) { Put(f, 10, uint32_t(f.size())); }},
    {"pixels_one_byte_short", nullptr, [](File& f) { f.pop_back(); }},
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
// clang-format on

TEST(CheckBitmapFile, RefusesBadFiles)
{
    for (const Bad& c : kBad) {
        Plan s;
        if (c.plan) c.plan(s);
        File f = BuildBitmap(s);
        if (c.bytes) c.bytes(f);
        BitmapLayout l{};
        EXPECT_FALSE(Check(f, &l)) << c.name;
    }
}

}  // namespace
