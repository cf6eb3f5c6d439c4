#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "../../src/platform/area_average.h"

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

// The exact mean of the source area under output pixel (dx, dy), straight
// from the definition.
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

TEST(AreaAverageTest, SmallCasesWorkedByHand)
{
    const struct {
        int32_t sw, sh, dw, dh;
        std::vector<int> source, expected;  // grey values
    } cases[] = {
        {2, 2, 1, 1, {10, 20, 30, 40}, {25}},
        // Output pixel 0 covers source 0 and half of source 1: (0*2 + 90) / 3.
        {3, 1, 2, 1, {0, 90, 180}, {30, 150}},
        {1, 3, 1, 2, {0, 90, 180}, {30, 150}},
        // A quarter of the bright centre falls in each output pixel: 180 / 4 / 2.25.
        {3, 3, 2, 2, {0, 0, 0, 0, 180, 0, 0, 0, 0}, {20, 20, 20, 20}},
        {3, 1, 1, 1, {0, 0, 1}, {0}},
        {2, 1, 1, 1, {0, 1}, {1}},  // a half rounds up
        {2, 1, 4, 1, {10, 200}, {10, 10, 200, 200}},
        {2, 1, 3, 1, {10, 40}, {10, 25, 40}},
    };
    for (const auto& c : cases) {
        Pixels src;
        for (int v : c.source) src.insert(src.end(), 3, static_cast<uint8_t>(v));
        Pixels out = Resample(src, c.sw, c.sh, c.dw, c.dh);
        Pixels want;
        for (int v : c.expected) want.insert(want.end(), 3, static_cast<uint8_t>(v));
        EXPECT_EQ(out, want) << c.sw << "x" << c.sh << " to " << c.dw << "x" << c.dh;
    }
    // Blue, green and red are averaged each on its own.
    EXPECT_EQ(Resample({0, 10, 200, 20, 30, 0, 40, 50, 100, 60, 70, 255}, 2, 2, 1, 1), (Pixels{30, 40, 139}));
}

// Every output byte is the exact mean rounded to the nearest whole number.
TEST(AreaAverageTest, MatchesTheExactMeanOnRandomPictures)
{
    const int32_t cases[][4] = {{320, 400, 96, 60}, {640, 400, 96, 60}, {17, 13, 5, 7},  {101, 97, 13, 11},
                                {32, 32, 96, 60},   {5, 300, 96, 60},   {1, 1, 96, 60}, {7, 5, 7, 5}};
    uint32_t seed = 1;
    for (auto [sw, sh, dw, dh] : cases) {
        Pixels src(static_cast<size_t>(sw) * sh * 3);
        for (uint8_t& b : src) b = static_cast<uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
        Pixels out = Resample(src, sw, sh, dw, dh);
        for (int32_t dy = 0; dy < dh; ++dy)
            for (int32_t dx = 0; dx < dw; ++dx)
                for (int ch = 0; ch < 3; ++ch) {
                    double mean = ExactMean(src, sw, sh, dw, dh, dx, dy, ch);
                    ASSERT_LE(std::fabs(out[(size_t(dy) * dw + dx) * 3 + ch] - mean), 0.5 + 1e-9)
                        << sw << "x" << sh << " to " << dw << "x" << dh << " at " << dx << "," << dy;
                }
    }
}

// The sums hold 255 times the largest source area without wrapping.
TEST(AreaAverageTest, LargestPicturesStayWhite)
{
    for (auto [w, h] : {std::pair{4096, 4096}, std::pair{1 << 24, 1}}) {
        AreaAverage average(w, h, 96, 60);
        ASSERT_TRUE(average.ready()) << w << "x" << h;
        Pixels row(size_t(w) * 3, 255);
        for (int32_t y = 0; y < h; ++y) average.addRow(y, row.data());
        Pixels out(96 * 60 * 3, 0);
        average.result(out.data());
        EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](uint8_t b) { return b == 255; })) << w << "x" << h;
    }
}

TEST(AreaAverageTest, AcceptsOnlySizesItsSumsHold)
{
    const struct {
        int32_t sw, sh, dw, dh;
        bool accepted;
    } cases[] = {
        {320, 400, 96, 60, true},   {1, 1, 96, 60, true},        {0, 400, 96, 60, false},
        {320, -400, 96, 60, false}, {320, 400, 0, 60, false},    {320, 400, 96, 0, false},
        {4096, 4096, 96, 60, true}, {4097, 4096, 96, 60, false}, {1, 1 << 24, 96, 60, true},
        {(1 << 24) + 1, 1, 96, 60, false}, {1, 1, 4097, 1, false}, {1, 1, 1, 4097, false},
        // 65536 x 65536 wraps to 0 in 32 bits, 65537 x 65536 to 65536.
        {65536, 65536, 96, 60, false}, {65537, 65536, 96, 60, false}, {1, 1, 65536, 65536, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AreaAverage::accepts(c.sw, c.sh, c.dw, c.dh), c.accepted) << c.sw << "x" << c.sh << " to " << c.dw
                                                                           << "x" << c.dh;
        EXPECT_EQ(AreaAverage(c.sw, c.sh, c.dw, c.dh).ready(), c.accepted);
    }
}

}  // namespace
