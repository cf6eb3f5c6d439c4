#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "../../src/main_window/area_average.h"
#include "tool_fixture.h"

namespace {

using Pixels = std::vector<uint8_t>;  // three bytes a pixel, top row first

Pixels Resample(const Pixels& src, int32_t sw, int32_t sh, int32_t dw, int32_t dh)
{
    AreaAverage average(sw, sh, dw, dh);
    EXPECT_TRUE(average.ready());
    for (int32_t y = 0; y < sh; ++y) average.addRow(y, src.data() + static_cast<size_t>(y) * sw * 3);
    Pixels out(static_cast<size_t>(dw) * dh * 3, 0xEE);
    average.result(out.data());
    return out;
}

// One channel only, the same value in all three.
Pixels Grey(const std::vector<int>& values)
{
    Pixels p;
    for (int v : values) p.insert(p.end(), 3, static_cast<uint8_t>(v));
    return p;
}

std::vector<int> Channel(const Pixels& p, int c)
{
    std::vector<int> values;
    for (size_t i = c; i < p.size(); i += 3) values.push_back(p[i]);
    return values;
}

// The exact mean of the source area under output pixel (dx, dy), in
// floating point, straight from the definition.
double ExactMean(const Pixels& src, int32_t sw, int32_t sh, int32_t dw, int32_t dh, int32_t dx, int32_t dy, int c)
{
    double x0 = double(dx) * sw / dw, x1 = double(dx + 1) * sw / dw;
    double y0 = double(dy) * sh / dh, y1 = double(dy + 1) * sh / dh;
    double sum = 0;
    for (int32_t sy = int32_t(std::floor(y0)); sy < sh && sy < y1; ++sy) {
        double wy = std::min(y1, sy + 1.0) - std::max(y0, double(sy));
        for (int32_t sx = int32_t(std::floor(x0)); sx < sw && sx < x1; ++sx) {
            double wx = std::min(x1, sx + 1.0) - std::max(x0, double(sx));
            sum += wx * wy * src[(size_t(sy) * sw + sx) * 3 + c];
        }
    }
    return sum / ((x1 - x0) * (y1 - y0));
}

// What dropping rows and columns would give: the source pixel under the
// centre of each output pixel.
Pixels Nearest(const Pixels& src, int32_t sw, int32_t sh, int32_t dw, int32_t dh)
{
    Pixels out;
    for (int32_t dy = 0; dy < dh; ++dy)
        for (int32_t dx = 0; dx < dw; ++dx) {
            int32_t sx = int32_t((dx + 0.5) * sw / dw), sy = int32_t((dy + 0.5) * sh / dh);
            const uint8_t* at = &src[(size_t(sy) * sw + sx) * 3];
            out.insert(out.end(), at, at + 3);
        }
    return out;
}

struct SmallCase {
    const char* name;
    int32_t sw, sh, dw, dh;
    std::vector<int> source;
    std::vector<int> expected;
};

class AreaAverageSmall : public ::testing::TestWithParam<SmallCase> {};

TEST_P(AreaAverageSmall, MeanOfTheCoveredArea)
{
    const SmallCase& c = GetParam();
    ASSERT_EQ(c.source.size(), size_t(c.sw * c.sh));
    Pixels out = Resample(Grey(c.source), c.sw, c.sh, c.dw, c.dh);
    for (int ch = 0; ch < 3; ++ch) EXPECT_EQ(Channel(out, ch), c.expected) << "channel " << ch;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AreaAverageSmall,
    ::testing::Values(
        SmallCase{"two_by_two_to_one", 2, 2, 1, 1, {10, 20, 30, 40}, {25}},
        // Output pixel 0 covers source 0 and half of source 1: (0*2 + 90) / 3.
        SmallCase{"three_to_two_across", 3, 1, 2, 1, {0, 90, 180}, {30, 150}},
        SmallCase{"three_to_two_down", 1, 3, 1, 2, {0, 90, 180}, {30, 150}},
        // A quarter of the bright centre falls in each output pixel: 180 / 4 / 2.25.
        SmallCase{"centre_shared_by_four", 3, 3, 2, 2, {0, 0, 0, 0, 180, 0, 0, 0, 0}, {20, 20, 20, 20}},
        SmallCase{"five_to_three", 5, 1, 3, 1, {0, 0, 150, 0, 0}, {0, 90, 0}},
        SmallCase{"third_rounds_down", 3, 1, 1, 1, {0, 0, 1}, {0}},
        SmallCase{"two_thirds_round_up", 3, 1, 1, 1, {0, 1, 1}, {1}},
        SmallCase{"half_rounds_up", 2, 1, 1, 1, {0, 1}, {1}},
        SmallCase{"top_half_rounds_up", 2, 1, 1, 1, {254, 255}, {255}},
        SmallCase{"one_white_in_three", 3, 1, 1, 1, {0, 0, 255}, {85}},
        SmallCase{"row_and_column_weights_multiply", 3, 2, 2, 1, {0, 90, 180, 90, 90, 90}, {60, 120}},
        SmallCase{"doubling_across", 2, 1, 4, 1, {10, 200}, {10, 10, 200, 200}},
        SmallCase{"doubling_down", 1, 2, 1, 4, {10, 200}, {10, 10, 200, 200}},
        // The middle output pixel takes a third of a pixel from each side.
        SmallCase{"two_to_three", 2, 1, 3, 1, {10, 40}, {10, 25, 40}}),
    CaseName());

TEST(AreaAverageTest, ChannelsStaySeparate)
{
    const Pixels src = {0, 10, 200, 20, 30, 0, 40, 50, 100, 60, 70, 255};  // 2 x 2
    EXPECT_EQ(Resample(src, 2, 2, 1, 1), (Pixels{30, 40, 139}));
}

uint32_t Lcg(uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 24;
}

Pixels Random(int32_t w, int32_t h, uint32_t seed)
{
    Pixels p(static_cast<size_t>(w) * h * 3);
    for (uint8_t& b : p) b = static_cast<uint8_t>(Lcg(seed));
    return p;
}

TEST(AreaAverageTest, EqualSizesGiveThePictureBack)
{
    for (auto [w, h] : {std::pair{7, 5}, std::pair{96, 60}, std::pair{1, 1}}) {
        Pixels src = Random(w, h, 7u * w + h);
        EXPECT_EQ(Resample(src, w, h, w, h), src) << w << "x" << h;
    }
}

TEST(AreaAverageTest, OnePixelFillsTheWholePreview)
{
    Pixels out = Resample({10, 200, 77}, 1, 1, 96, 60);
    ASSERT_EQ(out.size(), 96u * 60 * 3);
    for (size_t i = 0; i < out.size(); i += 3) {
        ASSERT_EQ(out[i], 10) << i / 3;
        ASSERT_EQ(out[i + 1], 200) << i / 3;
        ASSERT_EQ(out[i + 2], 77) << i / 3;
    }
}

struct RandomCase {
    const char* name;
    int32_t sw, sh, dw, dh;
    uint32_t seed;
};

class AreaAverageReference : public ::testing::TestWithParam<RandomCase> {};

// Every output byte is the exact mean rounded to the nearest whole number.
TEST_P(AreaAverageReference, MatchesTheFloatingPointMean)
{
    const RandomCase& c = GetParam();
    Pixels src = Random(c.sw, c.sh, c.seed);
    Pixels out = Resample(src, c.sw, c.sh, c.dw, c.dh);
    double worst = 0;
    for (int32_t dy = 0; dy < c.dh; ++dy)
        for (int32_t dx = 0; dx < c.dw; ++dx)
            for (int ch = 0; ch < 3; ++ch) {
                double mean = ExactMean(src, c.sw, c.sh, c.dw, c.dh, dx, dy, ch);
                double diff = std::fabs(out[(size_t(dy) * c.dw + dx) * 3 + ch] - mean);
                worst = std::max(worst, diff);
                ASSERT_LE(diff, 0.5 + 1e-9) << "at " << dx << "," << dy << " channel " << ch << ": mean " << mean;
            }
    EXPECT_LE(worst, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Cases, AreaAverageReference,
                         ::testing::Values(RandomCase{"logo_to_preview", 320, 400, 96, 60, 1},
                                           RandomCase{"screen_to_preview", 640, 400, 96, 60, 2},
                                           RandomCase{"odd_sizes", 17, 13, 5, 7, 3},
                                           RandomCase{"prime_to_prime", 101, 97, 13, 11, 4},
                                           RandomCase{"small_up_to_preview", 32, 32, 96, 60, 5},
                                           RandomCase{"up_one_way_down_the_other", 5, 300, 96, 60, 6},
                                           RandomCase{"wide_strip", 1000, 3, 96, 60, 7}),
                         CaseName());

// A 320 x 400 logo with one-pixel black lines on white: rows 20k+7 and
// columns 10k+3, none of which sits under the centre of a preview pixel.
TEST(AreaAverageTest, ThinLinesOfALogoSurviveAsGrey)
{
    const int32_t sw = 320, sh = 400, dw = 96, dh = 60;
    Pixels src(size_t(sw) * sh * 3, 255);
    for (int32_t y = 0; y < sh; ++y)
        for (int32_t x = 0; x < sw; ++x)
            if (y % 20 == 7 || x % 10 == 3) std::fill_n(&src[(size_t(y) * sw + x) * 3], 3, 0);

    Pixels nearest = Nearest(src, sw, sh, dw, dh);
    EXPECT_TRUE(std::all_of(nearest.begin(), nearest.end(), [](uint8_t b) { return b == 255; }))
        << "dropping rows and columns loses every line of this picture";

    Pixels out = Resample(src, sw, sh, dw, dh);
    for (int32_t y = 7; y < sh; y += 20) {
        int32_t dy = y * dh / sh;
        for (int32_t dx = 0; dx < dw; ++dx) {
            uint8_t v = out[(size_t(dy) * dw + dx) * 3];
            EXPECT_GT(v, 0) << "row line " << y;
            EXPECT_LT(v, 255) << "row line " << y;
        }
    }
    for (int32_t x = 3; x < sw; x += 10) {
        int32_t dx = x * dw / sw;
        for (int32_t dy = 0; dy < dh; ++dy) {
            uint8_t v = out[(size_t(dy) * dw + dx) * 3];
            EXPECT_GT(v, 0) << "column line " << x;
            EXPECT_LT(v, 255) << "column line " << x;
        }
    }
    // The ink is kept: the preview is as dark on the whole as the logo.
    double srcMean = 0, outMean = 0;
    for (uint8_t b : src) srcMean += b;
    for (uint8_t b : out) outMean += b;
    srcMean /= src.size();
    outMean /= out.size();
    EXPECT_NEAR(outMean, srcMean, 0.5);
}

// The sums hold 255 times the largest source area without wrapping.
TEST(AreaAverageTest, LargestPicturesStayWhite)
{
    for (auto [w, h] : {std::pair{4096, 4096}, std::pair{1 << 24, 1}}) {
        ASSERT_TRUE(AreaAverage::accepts(w, h, 96, 60)) << w << "x" << h;
        AreaAverage average(w, h, 96, 60);
        ASSERT_TRUE(average.ready());
        Pixels row(size_t(w) * 3, 255);
        for (int32_t y = 0; y < h; ++y) average.addRow(y, row.data());
        Pixels out(96 * 60 * 3, 0);
        average.result(out.data());
        EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](uint8_t b) { return b == 255; })) << w << "x" << h;
    }
}

struct AcceptsCase {
    const char* name;
    int32_t sw, sh, dw, dh;
    bool accepted;
};

class AreaAverageAccepts : public ::testing::TestWithParam<AcceptsCase> {};

TEST_P(AreaAverageAccepts, Limits)
{
    const AcceptsCase& c = GetParam();
    EXPECT_EQ(AreaAverage::accepts(c.sw, c.sh, c.dw, c.dh), c.accepted);
    EXPECT_EQ(AreaAverage(c.sw, c.sh, c.dw, c.dh).ready(), c.accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AreaAverageAccepts,
    ::testing::Values(AcceptsCase{"logo", 320, 400, 96, 60, true}, AcceptsCase{"one_pixel", 1, 1, 96, 60, true},
                      AcceptsCase{"zero_width", 0, 400, 96, 60, false},
                      AcceptsCase{"zero_height", 320, 0, 96, 60, false},
                      AcceptsCase{"negative_width", -320, 400, 96, 60, false},
                      AcceptsCase{"negative_height", 320, -400, 96, 60, false},
                      AcceptsCase{"zero_output_width", 320, 400, 0, 60, false},
                      AcceptsCase{"zero_output_height", 320, 400, 96, 0, false},
                      AcceptsCase{"area_2_24_square", 4096, 4096, 96, 60, true},
                      AcceptsCase{"area_over_2_24", 4097, 4096, 96, 60, false},
                      AcceptsCase{"area_2_24_one_row", 1 << 24, 1, 96, 60, true},
                      AcceptsCase{"one_row_over_2_24", (1 << 24) + 1, 1, 96, 60, false},
                      AcceptsCase{"area_2_24_one_column", 1, 1 << 24, 96, 60, true},
                      AcceptsCase{"area_2_24_wide", 65536, 256, 96, 60, true},
                      AcceptsCase{"area_just_over_wide", 65537, 256, 96, 60, false},
                      // 65536 * 65536 wraps to 0 in 32 bits.
                      AcceptsCase{"area_wraps_to_zero", 65536, 65536, 96, 60, false},
                      AcceptsCase{"area_wraps_to_small", 65537, 65536, 96, 60, false},
                      AcceptsCase{"largest_ints", INT32_MAX, INT32_MAX, 96, 60, false},
                      AcceptsCase{"output_wider_than_4096", 1, 1, 4097, 1, false},
                      AcceptsCase{"output_taller_than_4096", 1, 1, 1, 4097, false},
                      // Its sums would need 2^32 * 3 entries.
                      AcceptsCase{"output_area_wraps", 1, 1, 65536, 65536, false}),
    CaseName());

}  // namespace
