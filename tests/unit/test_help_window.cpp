#include "tool_test.h"

#include "resources/resource.h"
#include "ui/help_window/help_window.h"

namespace {

// 353 x 256 pixels at 96 dpi, scaled at others, modal over the main window
// (at 339, 257) and a title bar (25 pixels) lower and to the right of it,
// moved onto a screen too small for that; built afresh each time; the two
// samples keep their own size in pixels, with their places scaled.
TEST_F(ToolTest, HelpWindow)
{
    const int32_t cases[][8] = {{96, 96, 1024, 768, 364, 282, 353, 256}, {120, 120, 1025, 769, 364, 282, 441, 320}, {144, 144, 1600, 1200, 364, 282, 530, 384},
                                {96, 96, 640, 480, 287, 224, 353, 256},  {96, 96, 300, 200, 0, 0, 353, 256},        {96, 120, 1024, 768, 364, 282, 353, 320}};
    p.resources = {{IDR_WIDE_SAMPLE, Flat(0x123456, 96, 60)}, {IDR_SQUEEZED_SAMPLE, Flat(0x654321, 48, 60)}};
    ASSERT_TRUE(Start());
    std::vector<int32_t> seen;
    std::vector<std::vector<int32_t>> samples;
    p.whileModal = [&](FormHandle f) {
        EXPECT_TRUE(p.forms[f].def == &kHelpWindowDef && p.forms[f].modal && Window().shown);
        seen = Rect(p.forms[f].outer);
        samples.clear();
        for (int id : {HelpControl::WidePicture, HelpControl::SqueezedPicture}) {
            const FakePlatform::Control& c = p.control(f, id);
            samples.push_back(Rect(c.place));
            samples.back().insert(samples.back().end(), {c.drawn.width, c.drawn.height, c.drawn.bgr.at(0), c.drawn.bgr.at(2)});
        }
    };
    for (auto [dpiX, dpiY, width, height, left, top, w, h] : cases) {
        p.screenInfo = {dpiX, dpiY, width, height, 25};
        EXPECT_TRUE(Click(MainControl::HowToButton));
        EXPECT_EQ(seen, std::vector<int32_t>({left, top, w, h}));
        const int32_t x0 = 48 * dpiX / 96, x1 = 232 * dpiX / 96, y = 152 * dpiY / 96;
        EXPECT_EQ(samples, std::vector<std::vector<int32_t>>({{x0, y, 96, 60, 96, 60, 0x56, 0x12}, {x1, y, 48, 60, 48, 60, 0x21, 0x65}}));
        EXPECT_FALSE(p.forms.back().loaded);
    }
    EXPECT_EQ(p.forms.size(), 7u);
    EXPECT_TRUE(p.boxes.empty());
}

}  // namespace
