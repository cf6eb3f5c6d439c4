#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "picture/quantise.h"

namespace {
using Bytes = std::vector<uint8_t>;
constexpr int kWidth = 96, kHeight = 96, kShaded = 64, kBlock = 8;
const uint8_t kFlat[3] = {40, 200, 250};  // blue, green, red

// Shading in blue and green (thousands of colours) over the top kShaded
// rows, one flat colour below, far from any of them.
Bytes Picture()
{
    Bytes bgr(kWidth * kHeight * 3);
    for (int i = 0; i < kWidth * kHeight; ++i) {
        const int x = i % kWidth, y = i / kWidth;
        const uint8_t shade[3] = {uint8_t(x * 255 / (kWidth - 1)), uint8_t(y * 150 / (kShaded - 1)), uint8_t(20 + x / 8)};
        for (int c = 0; c < 3; ++c) bgr[i * 3 + c] = y < kShaded ? shade[c] : kFlat[c];
    }
    return bgr;
}

// Palette and indexes (top row first) of a picture quantised top-down or
// bottom-up.
struct Result {
    Quantised kind;
    Bytes palette, indexes;
};
Result Quantised24(const Bytes& bgr, uint32_t entries, bool bottomUp)
{
    Result r{Quantised::OutOfMemory, Bytes(1024, 0xCD), Bytes(kWidth * kHeight, 0xEE)};
    Bytes rows(kWidth * kHeight, 0xEE);
    uint8_t* top = bottomUp ? &rows[(kHeight - 1) * kWidth] : rows.data();
    const int32_t stride = bottomUp ? -kWidth : kWidth;
    r.kind = Quantise(bgr.data(), kWidth, kHeight, r.palette.data(), top, stride, entries);
    for (int i = 0; i < kWidth * kHeight; ++i) r.indexes[i] = top[i / kWidth * stride + i % kWidth];
    return r;
}

// Entries to use, and how far a block's mean may drift from the picture's.
struct Case {
    uint32_t entries;
    int drift;
};
class QuantiseEntries : public ::testing::TestWithParam<Case> {};

// Bottom-up rows give the same result; only the first `entries` entries are
// used, the rest black; the flat colour has its own entry and no speck; and
// each block of the shading keeps its mean (inside the outer ring of blocks:
// no mix of entries reaches the extremes).
TEST_P(QuantiseEntries, KeepsMeansAndFlatColour)
{
    const uint32_t entries = GetParam().entries;
    const Bytes bgr = Picture();
    const Result r = Quantised24(bgr, entries, false), up = Quantised24(bgr, entries, true);
    ASSERT_EQ(r.kind, Quantised::Diffused);
    EXPECT_EQ(up.palette, r.palette);
    EXPECT_EQ(up.indexes, r.indexes);
    for (uint32_t i = entries * 4; i < 1024; ++i) ASSERT_EQ(r.palette[i], 0) << i;
    for (int i = 0; i < kWidth * kHeight; ++i) ASSERT_LT(r.indexes[i], entries) << i;
    const uint8_t flat = r.indexes[kShaded * kWidth];
    EXPECT_EQ(Bytes(&r.palette[flat * 4], &r.palette[flat * 4 + 3]), Bytes(kFlat, kFlat + 3));
    for (int i = kShaded * kWidth; i < kWidth * kHeight; ++i) ASSERT_EQ(r.indexes[i], flat) << i;
    for (int by = kBlock; by < kShaded - kBlock; by += kBlock)
        for (int bx = kBlock; bx < kWidth - kBlock; bx += kBlock)
            for (int c = 0, sum = 0; c < 3; ++c, sum = 0) {
                for (int i = 0; i < kBlock * kBlock; ++i) {
                    const int at = (by + i / kBlock) * kWidth + bx + i % kBlock;
                    sum += r.palette[r.indexes[at] * 4 + c] - bgr[at * 3 + c];
                }
                ASSERT_LE(std::abs(sum), GetParam().drift * kBlock * kBlock) << bx << "," << by << " channel " << c;
            }
}
INSTANTIATE_TEST_SUITE_P(Cases, QuantiseEntries, ::testing::Values(Case{256, 1}, Case{64, 1}, Case{32, 2}),
                         [](const auto& i) { return std::to_string(i.param.entries) + "_entries"; });
}  // namespace
