#include "tool_test.h"

namespace {

// A 16 x 12 picture in quarters: red, green / blue, white. Each kind of
// bitmap the tool takes stores them its own way; the preview must show the
// same quarters, upright and not mirrored.
constexpr uint32_t kQuarters[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
int Quarter(int32_t x, int32_t y) { return (y >= 6) * 2 + (x >= 8); }

struct Kind {
    const char* name;
    uint16_t bits;
    uint32_t values[4];  // what each quarter stores: an index, a packed value or 0xRRGGBB
    int32_t height = 12;
    uint32_t info = 40, compression = 0;
    std::vector<uint32_t> masks = {};
};
const std::vector<uint32_t> kPalette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
const Kind kKinds[] = {
    {"bits1", 1, {0, 1, 1, 0}},  // two colours: a flip or a mirror still shows
    {"bits4", 4, {0, 1, 2, 3}},
    {"bits8", 8, {0, 1, 2, 3}},
    {"bits8_top_down", 8, {0, 1, 2, 3}, -12},
    {"bits8_os2", 8, {0, 1, 2, 3}, 12, 12},
    {"rle8", 8, {0, 1, 2, 3}, 12, 40, 1},
    {"rle4", 4, {0, 1, 2, 3}, 12, 40, 2},
    {"bits16", 16, {0x7C00, 0x03E0, 0x001F, 0x7FFF}},
    {"bits16_565", 16, {0xF800, 0x07E0, 0x001F, 0xFFFF}, 12, 40, 3, {0xF800, 0x07E0, 0x1F}},
    {"bits24", 24, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}},
    {"bits24_v5_top_down", 24, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}, -12, 124},
    {"bits32", 32, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}},
    {"bits32_fields", 32, {0xFF, 0xFF00, 0xFF0000, 0xFFFFFF}, 12, 40, 3, {0xFF, 0xFF00, 0xFF0000}},
};

std::string QuarterFile(const Kind& k)
{
    BitmapPlan plan(16, k.height, k.bits);
    plan.info = k.info, plan.compression = k.compression, plan.masks = k.masks;
    if (k.bits <= 8) plan.palette = k.bits == 1 ? std::vector<uint32_t>{0xFF0000, 0x00FF00} : kPalette;
    for (int32_t y = 0; y < 12; ++y)
        for (int32_t x = 0; x < 16; ++x) plan.pixels.push_back(k.values[Quarter(x, y)]);
    for (int32_t y = 11; k.compression == 1 || (k.compression == 2 && y >= 0); --y) {  // rows bottom first
        if (y < 0) break;
        for (int half = 0; half < 2; ++half) {
            const uint32_t v = k.values[Quarter(half * 8, y)];
            plan.raw.insert(plan.raw.end(), {8, uint8_t(k.compression == 2 ? v << 4 | v : v)});  // a run of 8
        }
        plan.raw.insert(plan.raw.end(), {0, uint8_t(y ? 0 : 1)});  // end of the row, or of the picture
    }
    return BuildBitmap(plan);
}

class PreviewOfEachKind : public ToolTest, public ::testing::WithParamInterface<Kind> {};

TEST_P(PreviewOfEachKind, ShowsTheQuartersInPlace)
{
    const Kind& k = GetParam();
    p.addFile("C:\\PICS\\quarters.bmp", QuarterFile(k));
    ASSERT_TRUE(Start());
    Choose(0, "C:\\PICS\\quarters.bmp");
    const FakePlatform::Picture& d = Ctl(MainControl::Preview).drawn;
    ASSERT_EQ(std::make_pair(d.width, d.height), std::make_pair(96, 60));
    for (int q = 0; q < 4; ++q) {  // the middle of each quarter of the 96 x 60 preview
        const uint8_t* at = &d.bgr[((15 + q / 2 * 30) * 96 + 24 + q % 2 * 48) * 3];
        const uint32_t want = k.bits == 1 ? kQuarters[q == 1 || q == 2] : kQuarters[q];
        EXPECT_EQ(uint32_t(at[2]) << 16 | at[1] << 8 | at[0], want) << "quarter " << q;
    }
    EXPECT_TRUE(p.boxes.empty() || p.boxes[0].icon == Icon::Question);  // only the offer to make a logo of it
}
INSTANTIATE_TEST_SUITE_P(Kinds, PreviewOfEachKind, ::testing::ValuesIn(kKinds), [](const auto& i) { return std::string(i.param.name); });

}  // namespace
