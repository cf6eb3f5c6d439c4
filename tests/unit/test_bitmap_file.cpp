#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "../../src/platform/bitmap_file.h"
#include "tool_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, size_t at, uint32_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(Bytes& b, size_t at, uint32_t v)
{
    Put16(b, at, v);
    Put16(b, at + 2, v >> 16);
}

uint32_t Get32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

// What goes into a bitmap file; Build() lays it out the usual way: file
// header, info header, masks, palette, pixel data.
struct Plan {
    uint32_t infoSize = 40;
    int32_t width = 5, height = 3;
    uint16_t planes = 1, bitCount = 8;
    uint32_t compression = kBiRgb;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
    Bytes masks;              // after a 40-byte header, or inside a longer one
    bool pixelsGiven = false;
    Bytes pixels;  // default: zeros, every row padded to 4 bytes
    uint32_t gap = 0;  // unused bytes between palette and pixels

    uint32_t Stride() const { return (uint32_t(width) * bitCount + 31) / 32 * 4; }
    uint32_t Rows() const { return height < 0 ? uint32_t(-int64_t(height)) : uint32_t(height); }
    int Entries() const
    {
        if (clrUsed) return int(clrUsed);
        return bitCount <= 8 ? 1 << bitCount : 0;
    }
    uint32_t EntryBytes() const { return infoSize == 12 ? 3 : 4; }
    uint32_t MasksAfterHeader() const { return infoSize == 40 ? uint32_t(masks.size()) : 0; }
    uint32_t PaletteAt() const { return 14 + infoSize + MasksAfterHeader(); }
    uint32_t BitsAt() const { return PaletteAt() + Entries() * EntryBytes() + gap; }
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
        Put32(f, 38, 2835);
        Put32(f, 42, 2835);
        Put32(f, 46, s.clrUsed);
        for (size_t i = 0; i < s.masks.size() && s.infoSize > 40; ++i) f[14 + 40 + i] = s.masks[i];
    }
    for (size_t i = 0; i < s.MasksAfterHeader(); ++i) f[14 + 40 + i] = s.masks[i];
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

Bytes Masks(uint32_t r, uint32_t g, uint32_t b)
{
    Bytes m(12);
    Put32(m, 0, r);
    Put32(m, 4, g);
    Put32(m, 8, b);
    return m;
}

Plan Rle(uint32_t compression, int32_t width, int32_t height, Bytes runs)
{
    Plan s;
    s.compression = compression;
    s.bitCount = compression == kBiRle4 ? 4 : 8;
    s.width = width;
    s.height = height;
    s.pixelsGiven = true;
    s.pixels = std::move(runs);
    return s;
}

bool Check(const Bytes& f, BitmapLayout* layout = nullptr)
{
    BitmapLayout scratch{};
    return CheckBitmapFile(f.data(), uint32_t(f.size()), layout ? layout : &scratch);
}

struct ValidCase {
    const char* name;
    std::function<Plan()> plan;
};

Plan With(const std::function<void(Plan&)>& change)
{
    Plan s;
    change(s);
    return s;
}

class ValidBitmap : public ::testing::TestWithParam<ValidCase> {};

TEST_P(ValidBitmap, IsAcceptedWithItsLayout)
{
    const Plan s = GetParam().plan();
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
    if (s.compression == kBiRgb || s.compression == kBiBitfields) {
        EXPECT_EQ(l.bitsSize, s.Stride() * s.Rows());
    }
}

// Row 0 (the bottom): a run of 4; row 1: three literal pixels, then one.
const Bytes kRle8Runs = {4, 9, 0, 0, 0, 3, 1, 2, 3, 0, 1, 7, 0, 1};
// Width 5: a run of 5 alternating nibbles; four literal pixels, then a run of 1.
const Bytes kRle4Runs = {5, 0x12, 0, 0, 0, 4, 0x34, 0x56, 1, 0x70, 0, 1};

INSTANTIATE_TEST_SUITE_P(
    Cases, ValidBitmap,
    ::testing::Values(
        ValidCase{"bpp1", [] { return With([](Plan& s) { s.bitCount = 1; s.width = 33; }); }},
        ValidCase{"bpp4", [] { return With([](Plan& s) { s.bitCount = 4; }); }},
        ValidCase{"bpp8", [] { return Plan(); }},
        ValidCase{"bpp8_logo_size", [] { return With([](Plan& s) { s.width = 320; s.height = 400; }); }},
        ValidCase{"bpp8_short_palette", [] { return With([](Plan& s) { s.clrUsed = 16; }); }},
        ValidCase{"bpp8_one_by_one", [] { return With([](Plan& s) { s.width = 1; s.height = 1; }); }},
        ValidCase{"bpp16", [] { return With([](Plan& s) { s.bitCount = 16; }); }},
        ValidCase{"bpp24", [] { return With([](Plan& s) { s.bitCount = 24; }); }},
        ValidCase{"bpp24_with_palette", [] { return With([](Plan& s) { s.bitCount = 24; s.clrUsed = 4; }); }},
        ValidCase{"bpp32", [] { return With([](Plan& s) { s.bitCount = 32; }); }},
        ValidCase{"bitfields16",
                  [] {
                      return With([](Plan& s) {
                          s.bitCount = 16;
                          s.compression = kBiBitfields;
                          s.masks = Masks(0xF800, 0x07E0, 0x001F);
                      });
                  }},
        ValidCase{"bitfields32",
                  [] {
                      return With([](Plan& s) {
                          s.bitCount = 32;
                          s.compression = kBiBitfields;
                          s.masks = Masks(0xFF0000, 0xFF00, 0xFF);
                      });
                  }},
        ValidCase{"bitfields_in_v4_header",
                  [] {
                      return With([](Plan& s) {
                          s.infoSize = 108;
                          s.bitCount = 16;
                          s.compression = kBiBitfields;
                          s.masks = Masks(0x7C00, 0x03E0, 0x001F);
                      });
                  }},
        ValidCase{"v5_header", [] { return With([](Plan& s) { s.infoSize = 124; s.bitCount = 24; }); }},
        ValidCase{"top_down", [] { return With([](Plan& s) { s.height = -3; }); }},
        ValidCase{"top_down_bitfields",
                  [] {
                      return With([](Plan& s) {
                          s.height = -2;
                          s.bitCount = 32;
                          s.compression = kBiBitfields;
                          s.masks = Masks(0xFF0000, 0xFF00, 0xFF);
                      });
                  }},
        ValidCase{"gap_before_pixels", [] { return With([](Plan& s) { s.gap = 6; }); }},
        ValidCase{"size_image_absurd", [] { return With([](Plan& s) { s.sizeImage = 0xFFFFFFF0; }); }},
        ValidCase{"rle8", [] { return Rle(kBiRle8, 4, 2, kRle8Runs); }},
        ValidCase{"rle8_delta",
                  [] { return Rle(kBiRle8, 4, 3, {2, 5, 0, 2, 2, 1, 0, 0, 4, 6, 0, 1}); }},
        // The delta may end exactly on the right edge and the top.
        ValidCase{"rle8_delta_to_the_corner", [] { return Rle(kBiRle8, 4, 2, {0, 2, 4, 2, 0, 1}); }},
        // The pad after an odd literal is skipped whatever it holds.
        ValidCase{"rle8_literal_pad_skipped", [] { return Rle(kBiRle8, 4, 2, {0, 3, 1, 2, 3, 0xFF, 1, 7, 0, 1}); }},
        ValidCase{"rle4_literal_pad_skipped",
                  [] { return Rle(kBiRle4, 8, 1, {0, 5, 0x12, 0x34, 0x50, 0xFF, 3, 0x44, 0, 1}); }},
        ValidCase{"rle8_end_of_line_after_last_row", [] { return Rle(kBiRle8, 2, 1, {2, 1, 0, 0, 0, 1}); }},
        ValidCase{"rle8_size_image_stops_before_junk",
                  [] {
                      Plan s = Rle(kBiRle8, 2, 1, {2, 1, 200, 200});
                      s.sizeImage = 2;
                      return s;
                  }},
        ValidCase{"rle4", [] { return Rle(kBiRle4, 5, 2, kRle4Runs); }},
        ValidCase{"os2_bpp8",
                  [] {
                      return With([](Plan& s) {
                          s.infoSize = 12;
                          s.width = 80;
                          s.height = 60;
                      });
                  }},
        ValidCase{"os2_bpp24", [] { return With([](Plan& s) { s.infoSize = 12; s.bitCount = 24; }); }},
        ValidCase{"os2_bpp1", [] { return With([](Plan& s) { s.infoSize = 12; s.bitCount = 1; }); }},
        // 4096 x 4096 is exactly the largest area; one bit a pixel keeps it small.
        ValidCase{"largest_area",
                  [] {
                      return With([](Plan& s) {
                          s.bitCount = 1;
                          s.width = 4096;
                          s.height = 4096;
                      });
                  }}),
    CaseName());

struct BadCase {
    const char* name;
    std::function<Bytes()> file;
};

class BadBitmap : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadBitmap, IsRefused)
{
    EXPECT_FALSE(Check(GetParam().file()));
}

// A valid file with one change made to its bytes.
Bytes Changed(const Plan& s, const std::function<void(Bytes&)>& change)
{
    Bytes f = Build(s);
    change(f);
    return f;
}

Bytes Cut(const Plan& s, size_t size)
{
    Bytes f = Build(s);
    f.resize(size);
    return f;
}

Bytes CutEnd(const Plan& s, size_t bytes) { return Cut(s, Build(s).size() - bytes); }

INSTANTIATE_TEST_SUITE_P(
    Cases, BadBitmap,
    ::testing::Values(
        BadCase{"empty", [] { return Bytes(); }},
        BadCase{"file_header_only", [] { return Cut(Plan(), 14); }},
        BadCase{"os2_header_cut", [] { return Cut(With([](Plan& s) { s.infoSize = 12; }), 25); }},
        BadCase{"info_header_cut", [] { return Cut(Plan(), 14 + 20); }},
        BadCase{"magic_swapped", [] { return Changed(Plan(), [](Bytes& f) { f[0] = 'M'; f[1] = 'B'; }); }},
        BadCase{"magic_lower_case", [] { return Changed(Plan(), [](Bytes& f) { f[0] = 'b'; f[1] = 'm'; }); }},
        BadCase{"header_size_0", [] { return Changed(Plan(), [](Bytes& f) { Put32(f, 14, 0); }); }},
        BadCase{"header_size_41", [] { return Changed(Plan(), [](Bytes& f) { Put32(f, 14, 41); }); }},
        BadCase{"header_size_os2_v2", [] { return Changed(Plan(), [](Bytes& f) { Put32(f, 14, 64); }); }},
        BadCase{"header_longer_than_file", [] { return Cut(With([](Plan& s) { s.infoSize = 124; }), 14 + 100); }},
        BadCase{"planes_0", [] { return Changed(Plan(), [](Bytes& f) { Put16(f, 26, 0); }); }},
        BadCase{"planes_2", [] { return Changed(Plan(), [](Bytes& f) { Put16(f, 26, 2); }); }},
        BadCase{"os2_planes_2", [] { return Build(With([](Plan& s) { s.infoSize = 12; s.planes = 2; })); }},
        BadCase{"bit_count_7", [] { return Changed(Plan(), [](Bytes& f) { Put16(f, 28, 7); }); }},
        BadCase{"bit_count_0", [] { return Changed(Plan(), [](Bytes& f) { Put16(f, 28, 0); }); }},
        BadCase{"bit_count_2", [] { return Build(With([](Plan& s) { s.bitCount = 2; })); }},
        BadCase{"bit_count_64", [] { return Changed(Plan(), [](Bytes& f) { Put16(f, 28, 64); }); }},
        BadCase{"rle8_with_4_bits",
                [] {
                    Plan s = Rle(kBiRle8, 4, 2, kRle8Runs);
                    s.bitCount = 4;
                    return Build(s);
                }},
        BadCase{"rle4_with_8_bits",
                [] {
                    Plan s = Rle(kBiRle4, 5, 2, kRle4Runs);
                    s.bitCount = 8;
                    return Build(s);
                }},
        BadCase{"bitfields_with_24_bits",
                [] {
                    return Build(With([](Plan& s) {
                        s.bitCount = 24;
                        s.compression = kBiBitfields;
                        s.masks = Masks(0xFF0000, 0xFF00, 0xFF);
                    }));
                }},
        BadCase{"bitfields_with_8_bits",
                [] {
                    return Build(With([](Plan& s) {
                        s.compression = kBiBitfields;
                        s.masks = Masks(0xE0, 0x1C, 0x03);
                    }));
                }},
        BadCase{"jpeg_inside", [] { return Build(With([](Plan& s) { s.compression = 4; })); }},
        BadCase{"png_inside", [] { return Build(With([](Plan& s) { s.compression = 5; })); }},
        BadCase{"top_down_rle8",
                [] {
                    Plan s = Rle(kBiRle8, 4, 2, kRle8Runs);
                    s.height = -2;
                    return Build(s);
                }},
        BadCase{"top_down_rle4",
                [] {
                    Plan s = Rle(kBiRle4, 5, 2, kRle4Runs);
                    s.height = -2;
                    return Build(s);
                }},
        BadCase{"zero_width", [] { return Changed(Plan(), [](Bytes& f) { Put32(f, 18, 0); }); }},
        BadCase{"negative_width", [] { return Changed(Plan(), [](Bytes& f) { Put32(f, 18, uint32_t(-5)); }); }},
        BadCase{"zero_height", [] { return Changed(Plan(), [](Bytes& f) { Put32(f, 22, 0); }); }},
        BadCase{"int32_min_height",
                [] { return Changed(Plan(), [](Bytes& f) { Put32(f, 22, uint32_t(INT32_MIN)); }); }},
        BadCase{"os2_zero_width", [] { return Build(With([](Plan& s) { s.infoSize = 12; s.width = 0; })); }},
        // Full pixel data is there: only the area is too large.
        BadCase{"area_one_row_too_many",
                [] {
                    return Build(With([](Plan& s) {
                        s.bitCount = 1;
                        s.width = 4096;
                        s.height = 4097;
                    }));
                }},
        BadCase{"huge_claim",
                [] { return Changed(Plan(), [](Bytes& f) { Put32(f, 18, 100000); Put32(f, 22, 100000); }); }},
        BadCase{"widest_claim",
                [] { return Changed(Plan(), [](Bytes& f) { Put32(f, 18, INT32_MAX); Put32(f, 22, 1); }); }},
        BadCase{"palette_past_the_end", [] { return Cut(Plan(), 14 + 40 + 1000); }},
        BadCase{"declared_palette_past_the_end",
                [] { return Cut(With([](Plan& s) { s.clrUsed = 200; s.width = 1; s.height = 1; }), 14 + 40 + 400); }},
        BadCase{"os2_palette_past_the_end", [] { return Cut(With([](Plan& s) { s.infoSize = 12; }), 14 + 12 + 500); }},
        BadCase{"more_colours_than_4_bits_hold",
                [] { return Build(With([](Plan& s) { s.bitCount = 4; s.clrUsed = 17; })); }},
        BadCase{"more_colours_than_1_bit_holds",
                [] { return Build(With([](Plan& s) { s.bitCount = 1; s.clrUsed = 3; })); }},
        BadCase{"palette_over_256",
                [] { return Build(With([](Plan& s) { s.bitCount = 24; s.clrUsed = 257; })); }},
        BadCase{"bits_inside_the_header", [] { return Changed(Plan(), [](Bytes& f) { Put32(f, 10, 20); }); }},
        BadCase{"bits_inside_the_masks",
                [] {
                    Plan s = With([](Plan& s) {
                        s.bitCount = 32;
                        s.compression = kBiBitfields;
                        s.masks = Masks(0xFF0000, 0xFF00, 0xFF);
                    });
                    return Changed(s, [](Bytes& f) { Put32(f, 10, 14 + 40 + 8); });
                }},
        BadCase{"bits_at_the_end", [] { return Changed(Plan(), [](Bytes& f) { Put32(f, 10, uint32_t(f.size())); }); }},
        BadCase{"bits_past_the_end",
                [] { return Changed(Plan(), [](Bytes& f) { Put32(f, 10, uint32_t(f.size()) + 1000); }); }},
        BadCase{"bits_far_past_the_end", [] { return Changed(Plan(), [](Bytes& f) { Put32(f, 10, 0xFFFFFFF0); }); }},
        BadCase{"pixels_one_byte_short", [] { return CutEnd(Plan(), 1); }},
        BadCase{"pixels_one_row_short", [] { return CutEnd(Plan(), 8); }},
        BadCase{"bpp24_pixels_short", [] { return CutEnd(With([](Plan& s) { s.bitCount = 24; }), 1); }},
        BadCase{"rle8_run_past_the_row", [] { return Build(Rle(kBiRle8, 4, 2, {5, 9, 0, 1})); }},
        BadCase{"rle8_second_run_past_the_row", [] { return Build(Rle(kBiRle8, 4, 2, {3, 9, 2, 9, 0, 1})); }},
        BadCase{"rle8_literal_past_the_row", [] { return Build(Rle(kBiRle8, 4, 2, {0, 5, 1, 2, 3, 4, 5, 0, 0, 1})); }},
        BadCase{"rle8_run_below_the_last_row", [] { return Build(Rle(kBiRle8, 2, 1, {2, 1, 0, 0, 1, 1, 0, 1})); }},
        BadCase{"rle8_literal_below_the_last_row",
                [] { return Build(Rle(kBiRle8, 4, 1, {0, 0, 0, 3, 1, 2, 3, 0, 0, 1})); }},
        BadCase{"rle8_delta_past_the_row", [] { return Build(Rle(kBiRle8, 4, 2, {0, 2, 5, 0, 0, 1})); }},
        BadCase{"rle8_delta_below_the_picture", [] { return Build(Rle(kBiRle8, 4, 2, {0, 2, 0, 3, 0, 1})); }},
        BadCase{"rle8_delta_cut_off", [] { return Build(Rle(kBiRle8, 4, 2, {0, 2, 1})); }},
        BadCase{"rle8_literal_reads_past_the_data", [] { return Build(Rle(kBiRle8, 8, 2, {0, 6, 1, 2})); }},
        BadCase{"rle8_size_image_cuts_a_literal",
                [] {
                    Plan s = Rle(kBiRle8, 4, 2, kRle8Runs);
                    s.sizeImage = 7;
                    return Build(s);
                }},
        BadCase{"rle4_run_past_the_row", [] { return Build(Rle(kBiRle4, 5, 2, {6, 0x12, 0, 1})); }},
        BadCase{"rle4_literal_past_the_row",
                [] { return Build(Rle(kBiRle4, 5, 2, {0, 6, 0x12, 0x34, 0x56, 0, 0, 1})); }},
        // Five nibbles take three bytes; two are there.
        BadCase{"rle4_literal_reads_past_the_data", [] { return Build(Rle(kBiRle4, 8, 2, {0, 5, 0x12, 0x34})); }},
        BadCase{"rle4_run_below_the_last_row", [] { return Build(Rle(kBiRle4, 5, 1, {5, 0x12, 0, 0, 1, 0x10})); }}),
    CaseName());

TEST(BitmapFileTest, PixelDataEndingExactlyAtTheFileEndIsEnough)
{
    // The short cases above are one byte from this one.
    EXPECT_TRUE(Check(Build(Plan())));
    EXPECT_TRUE(Check(Build(Rle(kBiRle8, 4, 2, {0, 3, 1, 2, 3, 0}))));
    EXPECT_TRUE(Check(Build(Rle(kBiRle4, 8, 2, {0, 5, 0x12, 0x34, 0x50, 0}))));
}

// The fixture's pictures and the files a user is likely to pick.
TEST(BitmapFileTest, AcceptsThePicturesTheTestsAndTheToolUse)
{
    for (auto [w, h] : {std::pair{32, 40}, std::pair{320, 400}, std::pair{640, 400}, std::pair{1, 1}}) {
        std::string file = Logo(0x123456, w, h);
        BitmapLayout l{};
        ASSERT_TRUE(CheckBitmapFile(reinterpret_cast<const uint8_t*>(file.data()), uint32_t(file.size()), &l));
        EXPECT_EQ(l.width, w);
        EXPECT_EQ(l.height, h);
        EXPECT_EQ(l.bitsOffset, 54u);
    }
}

class CanonicalInfo : public ::testing::Test {
protected:
    // Writes the canonical header of a checked file into a buffer with a
    // guard after the size it claims.
    Bytes Write(const Bytes& f, BitmapLayout* layout)
    {
        EXPECT_TRUE(Check(f, layout));
        uint32_t size = CanonicalInfoSize(*layout);
        Bytes info(size + 16, 0xCD);
        WriteCanonicalInfo(f.data(), *layout, info.data());
        for (size_t i = size; i < info.size(); ++i) EXPECT_EQ(info[i], 0xCD) << "written past the claimed size";
        info.resize(size);
        return info;
    }

    static void ExpectHeader(const Bytes& info, int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                             uint32_t sizeImage, uint32_t colours)
    {
        ASSERT_GE(info.size(), 40u);
        EXPECT_EQ(Get32(&info[0]), 40u);
        EXPECT_EQ(int32_t(Get32(&info[4])), width);
        EXPECT_EQ(int32_t(Get32(&info[8])), height);
        EXPECT_EQ(info[12] | info[13] << 8, 1);
        EXPECT_EQ(info[14] | info[15] << 8, bits);
        EXPECT_EQ(Get32(&info[16]), compression);
        EXPECT_EQ(Get32(&info[20]), sizeImage);
        EXPECT_EQ(Get32(&info[32]), colours);
    }

    static void ExpectPalette(const Bytes& info, size_t at, int entries)
    {
        ASSERT_EQ(info.size(), at + entries * 4u);
        for (int i = 0; i < entries; ++i) {
            const uint8_t* e = &info[at + i * 4];
            ASSERT_EQ(e[0], uint8_t(i)) << "entry " << i;
            ASSERT_EQ(e[1], uint8_t(255 - i)) << "entry " << i;
            ASSERT_EQ(e[2], uint8_t(i ^ 0x5A)) << "entry " << i;
            ASSERT_EQ(e[3], 0) << "entry " << i;
        }
    }
};

TEST_F(CanonicalInfo, Plain8BitKeepsItsPalette)
{
    BitmapLayout l{};
    Bytes info = Write(Build(Plan()), &l);
    EXPECT_EQ(info.size(), 40u + 256 * 4);
    ExpectHeader(info, 5, 3, 8, kBiRgb, 0, 256);
    ExpectPalette(info, 40, 256);
}

TEST_F(CanonicalInfo, ShortPaletteKeepsItsCount)
{
    BitmapLayout l{};
    Bytes info = Write(Build(With([](Plan& s) { s.clrUsed = 16; })), &l);
    ExpectHeader(info, 5, 3, 8, kBiRgb, 0, 16);
    ExpectPalette(info, 40, 16);
}

TEST_F(CanonicalInfo, Os2PaletteWidensToFourByteEntries)
{
    BitmapLayout l{};
    Bytes info = Write(Build(With([](Plan& s) {
                           s.infoSize = 12;
                           s.width = 300;
                           s.height = 200;
                       })),
                       &l);
    ExpectHeader(info, 300, 200, 8, kBiRgb, 0, 256);
    ExpectPalette(info, 40, 256);
}

TEST_F(CanonicalInfo, Os2FourBitPalette)
{
    BitmapLayout l{};
    Bytes info = Write(Build(With([](Plan& s) {
                           s.infoSize = 12;
                           s.bitCount = 4;
                       })),
                       &l);
    ExpectHeader(info, 5, 3, 4, kBiRgb, 0, 16);
    ExpectPalette(info, 40, 16);
}

TEST_F(CanonicalInfo, TopDownStaysTopDown)
{
    BitmapLayout l{};
    Bytes info = Write(Build(With([](Plan& s) {
                           s.height = -3;
                           s.bitCount = 24;
                       })),
                       &l);
    ExpectHeader(info, 5, -3, 24, kBiRgb, 0, 0);
    EXPECT_EQ(info.size(), 40u);
}

struct MaskCase {
    const char* name;
    uint32_t infoSize;
    uint16_t bits;
    int32_t height;
};

class CanonicalMasks : public CanonicalInfo, public ::testing::WithParamInterface<MaskCase> {};

// The masks follow the 40-byte header whether the file had them after its
// header or inside a longer one.
TEST_P(CanonicalMasks, FollowThe40ByteHeader)
{
    const MaskCase& c = GetParam();
    Plan s;
    s.infoSize = c.infoSize;
    s.bitCount = c.bits;
    s.height = c.height;
    s.compression = kBiBitfields;
    s.masks = Masks(0x7C00, 0x03E0, 0x001F);
    BitmapLayout l{};
    Bytes info = Write(Build(s), &l);
    ASSERT_EQ(info.size(), 52u);
    ExpectHeader(info, 5, c.height, c.bits, kBiBitfields, s.Stride() * s.Rows(), 0);
    EXPECT_EQ(Get32(&info[40]), 0x7C00u);
    EXPECT_EQ(Get32(&info[44]), 0x03E0u);
    EXPECT_EQ(Get32(&info[48]), 0x001Fu);
}

INSTANTIATE_TEST_SUITE_P(Cases, CanonicalMasks,
                         ::testing::Values(MaskCase{"after_header_16", 40, 16, 3},
                                           MaskCase{"after_header_32", 40, 32, 3},
                                           MaskCase{"after_header_top_down", 40, 16, -3},
                                           MaskCase{"v3_header", 56, 16, 3}, MaskCase{"v4_header", 108, 32, 3},
                                           MaskCase{"v5_header", 124, 16, 3}),
                         CaseName());

TEST_F(CanonicalInfo, BitfieldsWithAPaletteAfterTheMasks)
{
    Plan s;
    s.bitCount = 16;
    s.compression = kBiBitfields;
    s.masks = Masks(0xF800, 0x07E0, 0x001F);
    s.clrUsed = 3;
    BitmapLayout l{};
    Bytes info = Write(Build(s), &l);
    ExpectHeader(info, 5, 3, 16, kBiBitfields, s.Stride() * s.Rows(), 3);
    EXPECT_EQ(Get32(&info[40]), 0xF800u);
    ExpectPalette(info, 52, 3);
}

TEST_F(CanonicalInfo, RleKeepsTheSizeOfItsData)
{
    BitmapLayout l{};
    Bytes info = Write(Build(Rle(kBiRle8, 4, 2, kRle8Runs)), &l);
    ExpectHeader(info, 4, 2, 8, kBiRle8, uint32_t(kRle8Runs.size()), 256);

    // Bytes past biSizeImage are not the picture's.
    Plan s = Rle(kBiRle4, 5, 2, kRle4Runs);
    s.pixels.insert(s.pixels.end(), 4, 0);
    s.sizeImage = uint32_t(kRle4Runs.size());
    info = Write(Build(s), &l);
    ExpectHeader(info, 5, 2, 4, kBiRle4, uint32_t(kRle4Runs.size()), 16);
}

}  // namespace
