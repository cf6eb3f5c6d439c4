#include <cmath>
#include <vector>

#include "../../src/help_window/form2.h"
#include "tool_fixture.h"

namespace {

// What the help window looked like while it was up.
struct Snapshot {
    FormHandle form = kNoForm;
    PixelRect outer{}, loadedOuter{};
    std::vector<FakePlatform::Control> controls;
    bool modal = false, mainLoaded = false, mainShown = false;
};

class HelpWindowTest : public ToolTest {
protected:
    // Opens the help window with the main window's hint button.
    std::vector<Snapshot> Open(int times = 1)
    {
        std::vector<Snapshot> seen;
        p.whileModal = [&](FormHandle f) {
            const FakePlatform::Form& form = p.forms.at(f);
            const FakePlatform::Form& main = p.forms.at(t.mainWindow);
            seen.push_back({f, form.outer, form.loadedOuter, form.controls, form.modal, main.loaded, main.shown});
        };
        EXPECT_TRUE(Start());
        for (int i = 0; i < times; ++i) EXPECT_TRUE(Click(Form1::cmdHint));
        p.whileModal = nullptr;
        EXPECT_EQ(seen.size(), size_t(times));
        return seen;
    }
};

// 9-point labels at fixed pixel places on any display; the images keep
// their stored size.
TEST_F(HelpWindowTest, FontsAndPlaces)
{
    const struct {
        int control;
        int32_t font, left, top;
    } places[] = {
        {Form2::Label1, 9, 8, 8},     {Form2::Label2, 9, 8, 48},    {Form2::Label3, 9, 40, 128},
        {Form2::Label4, 9, 200, 128}, {Form2::Image1, 0, 48, 152},  {Form2::Image2, 0, 232, 152},
    };
    p.screenInfo = {120, 120, 1280, 1024};
    const Snapshot s = Open().at(0);
    for (const auto& c : places) {
        const FakePlatform::Control& got = s.controls.at(c.control);
        EXPECT_EQ(got.fontPoints, c.font) << c.control;
        EXPECT_EQ(got.rect.left, c.left) << c.control;
        EXPECT_EQ(got.rect.top, c.top) << c.control;
    }
    const ControlDef& image = Form2::kDefinition.controls[Form2::Image1];
    EXPECT_EQ(s.controls[Form2::Image1].rect.width, int32_t(std::nearbyint(image.width * 120 / 1440.0)));
}

struct ScreenCase {
    const char* name;
    int32_t dpiX, dpiY, width, height;
};

class HelpWindowPlacement : public HelpWindowTest, public ::testing::WithParamInterface<ScreenCase> {};

// 353 x 256 pixels, centred on the screen by the size it loaded with,
// wherever the main window stands; nothing is clamped.
TEST_P(HelpWindowPlacement, SizedAndCentred)
{
    const ScreenCase& c = GetParam();
    p.screenInfo = {c.dpiX, c.dpiY, c.width, c.height};
    p.addFile("C:\\PLUMWICK\\Wendrop1.vrx", "[Wendrop1]\r\n\x8B\x4E\x93\xAE\x8E\x9E\x82\xCCLeft=1500\r\n");
    const Snapshot s = Open().at(0);
    ASSERT_NE(s.loadedOuter.width, 353) << "the case would not tell the loaded size from the final one";
    EXPECT_EQ(s.outer.width, 353);
    EXPECT_EQ(s.outer.height, 256);
    EXPECT_EQ(s.outer.left, CentredPixels(c.width, s.loadedOuter.width, c.dpiX));
    EXPECT_EQ(s.outer.top, CentredPixels(c.height, s.loadedOuter.height, c.dpiY));
}

INSTANTIATE_TEST_SUITE_P(Cases, HelpWindowPlacement,
                         ::testing::Values(ScreenCase{"xga_96dpi", 96, 96, 1024, 768},
                                           ScreenCase{"odd_screen_96dpi", 96, 96, 1023, 767},
                                           ScreenCase{"odd_screen_120dpi", 120, 120, 1025, 769},
                                           ScreenCase{"uxga_144dpi", 144, 144, 1600, 1200},
                                           ScreenCase{"smaller_than_window", 96, 96, 300, 200},
                                           ScreenCase{"unequal_dpi", 96, 120, 1024, 768}),
                         CaseName());

// Modal over the main window, which stays; built afresh each time and
// laid out the same.
TEST_F(HelpWindowTest, OpensModallyAndTheSameEachTime)
{
    const std::vector<Snapshot> seen = Open(2);
    ASSERT_EQ(seen.size(), 2u);
    for (const Snapshot& s : seen) {
        EXPECT_NE(s.form, t.mainWindow);
        EXPECT_STREQ(p.forms[s.form].def->name, "Form2");
        EXPECT_TRUE(s.modal);
        EXPECT_TRUE(s.mainLoaded && s.mainShown);
        EXPECT_FALSE(p.forms[s.form].loaded) << "closed when the click returns";
        EXPECT_EQ(s.outer.left, seen[0].outer.left);
        EXPECT_EQ(s.outer.width, seen[0].outer.width);
        for (int c = 0; c < Form2::kControlCount; ++c) {
            EXPECT_EQ(s.controls[c].fontPoints, seen[0].controls[c].fontPoints) << c;
            EXPECT_EQ(s.controls[c].rect.top, seen[0].controls[c].rect.top) << c;
        }
    }
    EXPECT_NE(seen[0].form, seen[1].form);
    EXPECT_TRUE(p.forms[t.mainWindow].shown);
    EXPECT_FALSE(p.ended);
    EXPECT_TRUE(p.boxes.empty());
}

TEST_F(HelpWindowTest, TitleIsShiftJis)
{
    // ロゴファイルのつくり方だよ～ん, with the full-width tilde 0x8160.
    EXPECT_STREQ(Form2::kDefinition.title,
                 "\x83\x8D\x83\x53\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x82\xC2\x82\xAD\x82\xE8\x95\xFB\x82\xBE\x82"
                 "\xE6\x81\x60\x82\xF1");
}

// Nothing in the opening is caught: a failure ends the tool with a message.
TEST_F(HelpWindowTest, AWindowTooLargeFor16BitsEndsTheTool)
{
    ASSERT_TRUE(Start());
    p.screenInfo = {14, 14, 1024, 768};  // 353 pixels of 103 twips
    EXPECT_FALSE(Click(Form1::cmdHint));
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].text, ErrorDescription(kErrOverflow));
    EXPECT_EQ(p.boxes[0].icon, Icon::Critical);
    EXPECT_EQ(p.boxes[0].buttons, Buttons::Ok);
    EXPECT_TRUE(p.ended);
}

}  // namespace
