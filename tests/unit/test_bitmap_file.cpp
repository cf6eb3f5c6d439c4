#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "../../src/platform/bitmap_file.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& b, size_t at, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<uint8_t>(v >> 8 * i);
}
void Put16(Bytes& b, size_t at, uint32_t v) { Put(b, at, v, 2); }
void Put32(Bytes& b, size_t at, uint32_t v) { Put(b, at, v, 4); }

// What goes into a bitmap file; Build() lays it out the usual way: file
// header, info header, masks, palette, pixel data.
struct Plan {
    uint32_t infoSize = 40;
    int32_t width = 5, height = 3;
    uint16_t planes = 1, bitCount = 8;
    uint32_t compression = kBiRgb;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
    Bytes masks;  // after a 40-byte header, or inside a longer one
    bool pixelsGiven = false;
    Bytes pixels;      // default: zeros, every row padded to 4 bytes
    uint32_t gap = 0;  // unused bytes between palette and pixels

    uint32_t Stride() const { return (uint32_t(width) * bitCount + 31) / 32 * 4; }
    uint32_t Rows() const { return height < 0 ? uint32_t(-int64_t(height)) : uint32_t(height); }
    int Entries() const { return clrUsed ? int(clrUsed) : bitCount <= 8 ? 1 << bitCount : 0; }
    uint32_t EntryBytes() const { return infoSize == 12 ? 3 : 4; }
    uint32_t MasksAfterHeader() const { return infoSize == 40 ? uint32_t(masks.size()) : 0; }
    uint32_t PaletteAt() const { return 14 + infoSize + MasksAfterHeader(); }
    uint32_t BitsAt() const { return PaletteAt() + Entries() * EntryBytes() + gap; }

    void Fields(uint16_t bits, uint32_t r, uint32_t g, uint32_t b)
    {
        bitCount = bits;
        compression = kBiBitfields;
        masks.assign(12, 0);
        Put32(masks, 0, r);
        Put32(masks, 4, g);
        Put32(masks, 8, b);
    }
    void Rle(uint32_t kind, int32_t w, int32_t h, Bytes runs)
    {
        compression = kind;
        bitCount = kind == kBiRle4 ? 4 : 8;
        width = w;
        height = h;
        pixelsGiven = true;
        pixels = std::move(runs);
    }
};

// Palette entry i: blue i, green 255 - i, red i ^ 0x5A; 4-byte entries carry
// 0xFF in their spare byte so that a copy of it would show.
Bytes Build(const Plan& s)
{
    Bytes pixels = s.pixelsGiven ? s.pixels : Bytes(size_t(s.Stride()) * s.Rows(), 0);
    Bytes f(s.BitsAt() + pixels.size(), 0);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 2, uint32_t(f.size()));
    Put32(f, 10, s.BitsAt());
    Put32(f, 14, s.infoSize);
    if (s.infoSize == 12) {
        Put16(f, 18, uint32_t(s.width));
        Put16(f, 20, uint32_t(s.height));
        Put16(f, 22, s.planes);
        Put16(f, 24, s.bitCount);
    } else {
        Put32(f, 18, uint32_t(s.width));
        Put32(f, 22, uint32_t(s.height));
        Put16(f, 26, s.planes);
        Put16(f, 28, s.bitCount);
        Put32(f, 30, s.compression);
        Put32(f, 34, s.sizeImage);
        Put32(f, 46, s.clrUsed);
    }
    for (size_t i = 0; i < s.masks.size(); ++i) f[14 + 40 + i] = s.masks[i];
    for (int i = 0; i < s.Entries(); ++i) {
        size_t at = s.PaletteAt() + i * s.EntryBytes();
        f[at] = uint8_t(i);
        f[at + 1] = uint8_t(255 - i);
        f[at + 2] = uint8_t(i ^ 0x5A);
        if (s.EntryBytes() == 4) f[at + 3] = 0xFF;
    }
    std::copy(pixels.begin(), pixels.end(), f.begin() + s.BitsAt());
    return f;
}

bool Check(const Bytes& f, BitmapLayout* layout = nullptr)
{
    BitmapLayout scratch{};
    return CheckBitmapFile(f.data(), uint32_t(f.size()), layout ? layout : &scratch);
}

// Row 0 (the bottom): a run of 4; row 1: three literal pixels, then one.
const Bytes kRle8Runs = {4, 9, 0, 0, 0, 3, 1, 2, 3, 0, 1, 7, 0, 1};
// Width 5: a run of 5 alternating nibbles; four literal pixels, then a run of 1.
const Bytes kRle4Runs = {5, 0x12, 0, 0, 0, 4, 0x34, 0x56, 1, 0x70, 0, 1};

// The canonical form as the drawing code wants it, from the plan alone:
// a 40-byte header, three masks for bitfields, 4-byte palette entries.
Bytes ExpectedCanonical(const Plan& s)
{
    const bool fields = s.compression == kBiBitfields, rle = s.compression == kBiRle8 || s.compression == kBiRle4;
    Bytes info(40 + (fields ? 12 : 0) + s.Entries() * 4, 0);
    Put32(info, 0, 40);
    Put32(info, 4, uint32_t(s.width));
    Put32(info, 8, uint32_t(s.height));
    Put16(info, 12, 1);
    Put16(info, 14, s.bitCount);
    Put32(info, 16, s.compression);
    uint32_t dataSize = rle ? (s.sizeImage ? s.sizeImage : uint32_t(s.pixels.size())) : s.Stride() * s.Rows();
    Put32(info, 20, s.compression == kBiRgb ? 0 : dataSize);
    Put32(info, 32, uint32_t(s.Entries()));
    if (fields) std::copy(s.masks.begin(), s.masks.end(), info.begin() + 40);
    for (int i = 0, at = fields ? 52 : 40; i < s.Entries(); ++i, at += 4) {
        info[at] = uint8_t(i);
        info[at + 1] = uint8_t(255 - i);
        info[at + 2] = uint8_t(i ^ 0x5A);
    }
    return info;
}

struct ValidCase {
    const char* name;
    void (*plan)(Plan&);
};

const ValidCase kValid[] = {
    {"bpp1", [](Plan& s) { s.bitCount = 1; s.width = 33; }},
    {"bpp4", [](Plan& s) { s.bitCount = 4; }},
    {"bpp8", [](Plan&) {}},
    {"bpp8_short_palette", [](Plan& s) { s.clrUsed = 16; }},
    {"bpp16", [](Plan& s) { s.bitCount = 16; }},
    {"bpp24", [](Plan& s) { s.bitCount = 24; }},
    {"bpp24_with_palette", [](Plan& s) { s.bitCount = 24; s.clrUsed = 4; }},
    {"bpp32", [](Plan& s) { s.bitCount = 32; }},
    {"bitfields16", [](Plan& s) { s.Fields(16, 0xF800, 0x07E0, 0x001F); }},
    {"bitfields_with_palette", [](Plan& s) { s.Fields(16, 0xF800, 0x07E0, 0x001F); s.clrUsed = 3; }},
    {"bitfields32_top_down", [](Plan& s) { s.Fields(32, 0xFF0000, 0xFF00, 0xFF); s.height = -2; }},
    {"bitfields_in_v3_header", [](Plan& s) { s.infoSize = 56; s.Fields(16, 0x7C00, 0x03E0, 0x001F); }},
    {"bitfields_in_v4_header", [](Plan& s) { s.infoSize = 108; s.Fields(32, 0x7C00, 0x03E0, 0x001F); }},
    {"v5_header", [](Plan& s) { s.infoSize = 124; s.bitCount = 24; }},
    {"top_down", [](Plan& s) { s.height = -3; }},
    {"gap_before_pixels", [](Plan& s) { s.gap = 6; }},
    {"size_image_absurd", [](Plan& s) { s.sizeImage = 0xFFFFFFF0; }},
    {"os2_bpp8", [](Plan& s) { s.infoSize = 12; s.width = 80; s.height = 60; }},
    {"os2_bpp4", [](Plan& s) { s.infoSize = 12; s.bitCount = 4; }},
    // 4096 x 4096 is exactly the largest area; one bit a pixel keeps it small.
    {"largest_area", [](Plan& s) { s.bitCount = 1; s.width = 4096; s.height = 4096; }},
    {"rle8", [](Plan& s) { s.Rle(kBiRle8, 4, 2, kRle8Runs); }},
    {"rle4", [](Plan& s) { s.Rle(kBiRle4, 5, 2, kRle4Runs); }},
    {"rle8_delta", [](Plan& s) { s.Rle(kBiRle8, 4, 3, {2, 5, 0, 2, 2, 1, 0, 0, 4, 6, 0, 1}); }},
    // A delta may end exactly on the right edge and the top.
    {"rle8_delta_to_the_corner", [](Plan& s) { s.Rle(kBiRle8, 4, 2, {0, 2, 4, 2, 0, 1}); }},
    // The pad after an odd literal is skipped whatever it holds.
    {"rle8_literal_pad", [](Plan& s) { s.Rle(kBiRle8, 4, 2, {0, 3, 1, 2, 3, 0xFF, 1, 7, 0, 1}); }},
    {"rle4_literal_pad", [](Plan& s) { s.Rle(kBiRle4, 8, 1, {0, 5, 0x12, 0x34, 0x50, 0xFF, 3, 0x44, 0, 1}); }},
    // A literal may end exactly at the end of the data.
    {"rle8_literal_ends_the_data", [](Plan& s) { s.Rle(kBiRle8, 4, 2, {0, 3, 1, 2, 3, 0}); }},
    {"rle4_literal_ends_the_data", [](Plan& s) { s.Rle(kBiRle4, 8, 2, {0, 5, 0x12, 0x34, 0x50, 0}); }},
    {"rle8_end_of_line_after_last_row", [](Plan& s) { s.Rle(kBiRle8, 2, 1, {2, 1, 0, 0, 0, 1}); }},
    // Nothing after the end of the picture is looked at.
    {"rle8_junk_after_the_end", [](Plan& s) { s.Rle(kBiRle8, 2, 1, {2, 1, 0, 1, 200, 200}); }},
    {"rle8_junk_past_size_image", [](Plan& s) { s.Rle(kBiRle8, 2, 1, {2, 1, 200, 200}); s.sizeImage = 2; }},
    {"rle4_zeros_past_size_image", [](Plan& s) { s.Rle(kBiRle4, 5, 2, kRle4Runs); s.pixels.resize(16); s.sizeImage = 12; }},
};

class ValidBitmap : public ::testing::TestWithParam<ValidCase> {};

// The layout, and the canonical header written from it, match the plan.
TEST_P(ValidBitmap, IsAcceptedWithItsLayoutAndCanonicalHeader)
{
    Plan s;
    GetParam().plan(s);
    const Bytes f = Build(s);
    BitmapLayout l{};
    ASSERT_TRUE(Check(f, &l));
    EXPECT_EQ(l.width, s.width);
    EXPECT_EQ(uint32_t(l.height), s.Rows());
    EXPECT_EQ(l.topDown, s.height < 0);
    EXPECT_EQ(l.bitCount, s.bitCount);
    EXPECT_EQ(l.compression, s.compression);
    EXPECT_EQ(l.colourCount, uint32_t(s.Entries()));
    EXPECT_EQ(l.maskCount, s.MasksAfterHeader() / 4);
    EXPECT_EQ(l.bitsOffset, s.BitsAt());
    EXPECT_LE(l.bitsOffset + l.bitsSize, f.size());
    if (!s.pixelsGiven) {
        EXPECT_EQ(l.bitsSize, s.Stride() * s.Rows());
    }

    const Bytes want = ExpectedCanonical(s);
    EXPECT_EQ(CanonicalInfoSize(l), want.size());
    Bytes info(want.size() + 16, 0xCD);  // a guard after the claimed size
    WriteCanonicalInfo(f.data(), l, info.data());
    EXPECT_EQ(Bytes(info.begin(), info.begin() + want.size()), want);
    EXPECT_EQ(Bytes(info.begin() + want.size(), info.end()), Bytes(16, 0xCD));
}

INSTANTIATE_TEST_SUITE_P(Cases, ValidBitmap, ::testing::ValuesIn(kValid),
                         [](const auto& info) { return std::string(info.param.name); });

// A valid plan, one change to it, then one change to its bytes.
struct BadCase {
    const char* name;
    void (*plan)(Plan&);
    void (*bytes)(Bytes&);
};

void Same(Bytes&) {}
void Keep(Plan&) {}

const BadCase kBad[] = {
    {"empty", Keep, [](Bytes& f) { f.clear(); }},
    {"file_header_only", Keep, [](Bytes& f) { f.resize(14); }},
    {"info_header_cut", Keep, [](Bytes& f) { f.resize(14 + 20); }},
    {"os2_header_cut", [](Plan& s) { s.infoSize = 12; }, [](Bytes& f) { f.resize(25); }},
    {"header_longer_than_file", [](Plan& s) { s.infoSize = 124; }, [](Bytes& f) { f.resize(14 + 100); }},
    {"magic_swapped", Keep, [](Bytes& f) { f[0] = 'M'; f[1] = 'B'; }},
    {"header_size_41", Keep, [](Bytes& f) { Put32(f, 14, 41); }},
    {"header_size_os2_v2", Keep, [](Bytes& f) { Put32(f, 14, 64); }},
    {"planes_2", [](Plan& s) { s.planes = 2; }, Same},
    {"os2_planes_0", [](Plan& s) { s.infoSize = 12; s.planes = 0; }, Same},
    {"bit_count_0", Keep, [](Bytes& f) { Put16(f, 28, 0); }},
    {"bit_count_2", [](Plan& s) { s.bitCount = 2; }, Same},
    {"rle8_with_4_bits", [](Plan& s) { s.Rle(kBiRle8, 4, 2, kRle8Runs); s.bitCount = 4; }, Same},
    {"rle4_with_8_bits", [](Plan& s) { s.Rle(kBiRle4, 5, 2, kRle4Runs); s.bitCount = 8; }, Same},
    {"bitfields_with_24_bits", [](Plan& s) { s.Fields(24, 0xFF0000, 0xFF00, 0xFF); }, Same},
    {"jpeg_inside", [](Plan& s) { s.compression = 4; }, Same},
    {"top_down_rle8", [](Plan& s) { s.Rle(kBiRle8, 4, 2, kRle8Runs); s.height = -2; }, Same},
    {"zero_width", Keep, [](Bytes& f) { Put32(f, 18, 0); }},
    {"negative_width", Keep, [](Bytes& f) { Put32(f, 18, uint32_t(-5)); }},
    {"zero_height", Keep, [](Bytes& f) { Put32(f, 22, 0); }},
    {"int32_min_height", Keep, [](Bytes& f) { Put32(f, 22, uint32_t(INT32_MIN)); }},
    {"os2_zero_width", [](Plan& s) { s.infoSize = 12; s.width = 0; }, Same},
    // Full pixel data is there: only the area is too large.
    {"area_one_row_too_many", [](Plan& s) { s.bitCount = 1; s.width = 4096; s.height = 4097; }, Same},
    {"widest_claim", Keep, [](Bytes& f) { Put32(f, 18, INT32_MAX); Put32(f, 22, 1); }},
    {"palette_past_the_end", Keep, [](Bytes& f) { f.resize(14 + 40 + 1000); }},
    {"os2_palette_past_the_end", [](Plan& s) { s.infoSize = 12; }, [](Bytes& f) { f.resize(14 + 12 + 500); }},
    {"more_colours_than_4_bits_hold", [](Plan& s) { s.bitCount = 4; s.clrUsed = 17; }, Same},
    {"palette_over_256", [](Plan& s) { s.bitCount = 24; s.clrUsed = 257; }, Same},
    {"bits_inside_the_header", Keep, [](Bytes& f) { Put32(f, 10, 20); }},
    {"bits_inside_the_masks", [](Plan& s) { s.Fields(32, 0xFF0000, 0xFF00, 0xFF); },
     [](Bytes& f) { Put32(f, 10, 14 + 40 + 8); }},
    {"bits_at_the_end", Keep, [](Bytes& f) { Put32(f, 10, uint32_t(f.size())); }},
    {"rle_bits_at_the_end", [](Plan& s) { s.Rle(kBiRle8, 4, 2, kRle8Runs); },
     [](Bytes& f) { Put32(f, 10, uint32_t(f.size())); }},
    {"bits_far_past_the_end", Keep, [](Bytes& f) { Put32(f, 10, 0xFFFFFFF0); }},
    {"pixels_one_byte_short", Keep, [](Bytes& f) { f.pop_back(); }},
    {"rle8_run_past_the_row", [](Plan& s) { s.Rle(kBiRle8, 4, 2, {3, 9, 2, 9, 0, 1}); }, Same},
    {"rle8_literal_past_the_row", [](Plan& s) { s.Rle(kBiRle8, 4, 2, {0, 5, 1, 2, 3, 4, 5, 0, 0, 1}); }, Same},
    {"rle8_run_below_the_last_row", [](Plan& s) { s.Rle(kBiRle8, 2, 1, {2, 1, 0, 0, 1, 1, 0, 1}); }, Same},
    {"rle8_literal_below_the_last_row", [](Plan& s) { s.Rle(kBiRle8, 4, 1, {0, 0, 0, 3, 1, 2, 3, 0, 0, 1}); }, Same},
    {"rle8_delta_past_the_row", [](Plan& s) { s.Rle(kBiRle8, 4, 2, {0, 2, 5, 0, 0, 1}); }, Same},
    {"rle8_delta_below_the_picture", [](Plan& s) { s.Rle(kBiRle8, 4, 2, {0, 2, 0, 3, 0, 1}); }, Same},
    // The data ends inside the delta; the byte after it is not the picture's.
    {"rle8_delta_cut_off", [](Plan& s) { s.Rle(kBiRle8, 4, 2, {0, 2, 1, 0}); s.sizeImage = 3; }, Same},
    {"rle8_literal_reads_past_the_data", [](Plan& s) { s.Rle(kBiRle8, 8, 2, {0, 6, 1, 2}); }, Same},
    {"rle8_size_image_cuts_a_literal", [](Plan& s) { s.Rle(kBiRle8, 4, 2, kRle8Runs); s.sizeImage = 7; }, Same},
    {"rle4_run_past_the_row", [](Plan& s) { s.Rle(kBiRle4, 5, 2, {6, 0x12, 0, 1}); }, Same},
    // Five nibbles take three bytes; two are there.
    {"rle4_literal_reads_past_the_data", [](Plan& s) { s.Rle(kBiRle4, 8, 2, {0, 5, 0x12, 0x34}); }, Same},
};

class BadBitmap : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadBitmap, IsRefused)
{
    Plan s;
    GetParam().plan(s);
    Bytes f = Build(s);
    GetParam().bytes(f);
    EXPECT_FALSE(Check(f));
}

INSTANTIATE_TEST_SUITE_P(Cases, BadBitmap, ::testing::ValuesIn(kBad),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
