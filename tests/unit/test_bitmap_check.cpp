#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "bitmaps.h"
#include "picture/bitmap_rows.h"
#include "picture/scaled_picture.h"

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
// The headers, then every row: compressed data is checked as it is decoded.
bool Check(const File& f, BitmapLayout* l)
{
    MemorySource file = SourceOf(f);
    BitmapRows rows;
    if (ReadBitmapLayout(file, l) || rows.open(file)) return false;
    const uint8_t* pixels;
    for (int32_t y; rows.nextRow(&y);)
        while (rows.piece(&pixels)) {}
    return !rows.failed();
}

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
    {"bits1_sixteen_megapixels", [](Plan& s) { s.bits = 1, s.width = 4096, s.height = 4096; }, 2, 0, 62, 2097152},
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

TEST(BitmapCheck, AcceptsValidFilesWithTheirLayout)
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
    {"wider_than_the_sums_hold", [](Plan& s) { s.bits = 1, s.width = int32_t(kMaxPictureWidth) + 1, s.height = 1; }, nullptr},
    {"rle_past_the_largest_compressed", [](Plan& s) { s.Rle(kBiRle8, 4096, 4097, {0, 1}); }, nullptr},
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

TEST(BitmapCheck, RefusesBadFiles)
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

// Pictures larger than one read of the file, stored every way: each row
// comes out once and in place, whatever read or piece boundary it crosses.
struct Stream {
    const char* name;
    uint16_t bits;
    int32_t width, height;  // a negative height stores the rows top-down
    uint32_t compression;
};
const Stream kStreams[] = {
    {"bits24_odd_width", 24, 1021, 23, kBiRgb},
    {"bits24_top_down", 24, 1021, -23, kBiRgb},
    {"bits32_over_a_piece", 32, 2500, 9, kBiRgb},
    {"bits16", 16, 1111, 16, kBiRgb},
    {"bits8_odd_width", 8, 4099, 11, kBiRgb},
    {"bits4_odd_width", 4, 3001, 17, kBiRgb},
    {"bits1_odd_width", 1, 9999, 20, kBiRgb},
    {"rle8", 8, 1500, 60, kBiRle8},
    {"rle4", 4, 1501, 60, kBiRle4},
};

using Values = std::vector<uint32_t>;

// What the file stores for pixel (x, y), and what the reader makes of it:
// an index, or 0xRRGGBB (five bits a channel stretched to eight).
uint32_t Value(const Stream& s, int32_t x, int32_t y)
{
    const uint32_t v = uint32_t(x) * 7 + uint32_t(y) * 131 + uint32_t(x / 5 * y);
    return s.bits <= 8 ? v % (1u << s.bits) : s.bits == 16 ? v & 0x7FFF : v * 2654435761u & 0xFFFFFF;
}
uint32_t Read(const Stream& s, uint32_t v)
{
    const auto five = [](uint32_t c) { return (c * 255 + 15) / 31; };
    return s.bits == 16 ? five(v >> 10) << 16 | five(v >> 5 & 31) << 8 | five(v & 31) : v;
}

// RLE codes for the rows, bottom first: literals, runs and moves right in
// turn; every fifth row a move up leaves the rest of it and the start of the
// next one blank (0 in `want`).
std::vector<uint8_t> Encode(const Stream& s, Values& want)
{
    const bool four = s.compression == kBiRle4;
    want.assign(size_t(s.width) * s.height, 0);
    std::vector<uint8_t> raw;
    int32_t x = 0, k = 0;
    for (int32_t y = s.height - 1; y >= 0; --y) {
        for (; x < s.width; ++k) {
            const int32_t room = s.width - x, kind = k % 3;
            if (kind == 2 && y % 5 == 0 && y > 0 && room > 10) {  // a move up into the next row
                raw.insert(raw.end(), {0, 2, 4, 1});
                x += 4;
                break;
            }
            const int32_t count = std::min(room, kind == 0 ? 3 + k * 37 % 253 : 1 + k * 53 % 255);
            if (kind == 2 && count < room) {  // a move right
                raw.insert(raw.end(), {0, 2, uint8_t(count), 0});
                x += count;
                continue;
            }
            const bool literal = kind == 0 && count >= 3;
            if (literal) {
                raw.insert(raw.end(), {0, uint8_t(count)});
                for (int32_t i = 0; i < count; i += four ? 2 : 1)
                    raw.push_back(uint8_t(four ? Value(s, x + i, y) << 4 | (i + 1 < count ? Value(s, x + i + 1, y) : 0) : Value(s, x + i, y)));
                if (raw.size() % 2) raw.push_back(0);
            } else {
                const uint32_t v = Value(s, x, y);
                raw.insert(raw.end(), {uint8_t(count), uint8_t(four ? v << 4 | v : v)});
            }
            for (int32_t i = 0; i < count; ++i) want[size_t(y) * s.width + x + i] = Value(s, x + (literal ? i : 0), y);
            x += count;
        }
        if (x >= s.width || y == 0) raw.insert(raw.end(), {0, uint8_t(y ? 0 : 1)}), x = 0;
    }
    return raw;
}

TEST(BitmapRows, EveryRowOnceAndInPlace)
{
    for (const Stream& s : kStreams) {
        const int32_t height = std::abs(s.height);
        BitmapPlan plan(s.width, s.height, s.bits);
        Values want;
        if (s.compression) {
            plan.compression = s.compression, plan.raw = Encode(s, want);
        } else {
            for (int32_t y = 0; y < height; ++y)
                for (int32_t x = 0; x < s.width; ++x) plan.pixels.push_back(Value(s, x, y));
            for (uint32_t v : plan.pixels) want.push_back(Read(s, v));
        }
        const File f = BuildBitmap(plan);
        MemorySource file = SourceOf(f);
        BitmapRows rows;
        ASSERT_FALSE(rows.open(file)) << s.name;
        Values got(want.size(), 0xBAD);
        std::vector<int32_t> seen;
        const uint8_t* p;
        for (int32_t y; rows.nextRow(&y); seen.push_back(y))
            for (uint32_t x = 0, n; (n = rows.piece(&p)) != 0; x += n) {
                ASSERT_LE(n, BitmapRows::kPiecePixels) << s.name;
                for (uint32_t i = 0; i < n; ++i)
                    got[size_t(y) * s.width + x + i] = rows.indexed() ? p[i] : uint32_t(p[3 * i + 2]) << 16 | p[3 * i + 1] << 8 | p[3 * i];
            }
        EXPECT_FALSE(rows.failed()) << s.name;
        EXPECT_EQ(seen.size(), size_t(height)) << s.name;
        EXPECT_EQ(seen.front(), s.height < 0 ? 0 : height - 1) << s.name;
        EXPECT_TRUE(got == want) << s.name;
    }
}

// The file is shorter than its headers say once its rows are read (it
// shrank), or a read fails there: the reading stops with that failure, rows
// short.
class CutFile final : public ByteSource {
public:
    CutFile(const File& f, uint32_t readable, int error) : whole_(SourceOf(f)), readable_(readable), error_(error) {}
    uint32_t size() const override { return whole_.size(); }
    Err read(uint32_t offset, uint8_t* into, uint32_t count, uint32_t* got) override
    {
        if (offset + count > readable_ && error_) return Err(error_);
        return whole_.read(offset, into, offset >= readable_ ? 0 : std::min(count, readable_ - offset), got);
    }

private:
    MemorySource whole_;
    uint32_t readable_;
    int error_;
};

TEST(BitmapRows, StopsWhereTheFileFails)
{
    BitmapPlan plan(1021, 23, 24);
    plan.pixels.assign(1021 * 23, 0x123456);
    const File f = BuildBitmap(plan);
    for (int error : {0, int(kErrDeviceIO)}) {
        CutFile file(f, 40000, error);
        BitmapRows rows;
        ASSERT_FALSE(rows.open(file));
        int32_t y, complete = 0;
        const uint8_t* p;
        while (rows.nextRow(&y)) {
            uint32_t n = 0;
            while (uint32_t more = rows.piece(&p)) n += more;
            complete += n == 1021;
        }
        EXPECT_EQ(rows.failed().number(), error ? error : int(kErrInvalidPicture));
        EXPECT_LT(complete, 23);
        std::vector<uint8_t> scaled(30);
        CutFile again(f, 40000, error);
        EXPECT_EQ(ScalePicture(again, 5, 2, scaled.data()).number(), error ? error : int(kErrInvalidPicture));
    }
}

}  // namespace
