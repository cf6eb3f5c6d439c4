#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "../../src/help_window/form2.h"
#include "tool_fixture.h"

namespace {

// What the help window looked like while it was up.
struct Snapshot {
    FormHandle form = kNoForm;
    PixelRect outer{}, loadedOuter{};
    std::vector<FakePlatform::Control> controls;
    bool modal = false;
};

class HelpWindowTest : public ToolTest {
protected:
    // Opens the help window the way the main window's hint button does.
    std::vector<Snapshot> Open(int times = 1)
    {
        std::vector<Snapshot> seen;
        p.whileModal = [&](FormHandle f) {
            const FakePlatform::Form& form = p.forms.at(f);
            seen.push_back({f, form.outer, form.loadedOuter, form.controls, form.modal});
        };
        EXPECT_TRUE(Start());
        for (int i = 0; i < times; ++i) EXPECT_TRUE(Click(Form1::cmdHint));
        EXPECT_EQ(seen.size(), size_t(times));
        p.whileModal = nullptr;
        return seen;
    }
};

constexpr int32_t kAsStored = -1;
constexpr int32_t kFits = -2;  // auto-size: follows its text

struct PlaceCase {
    const char* name;
    int control;
    int32_t font;  // 0: never set
    int32_t left, top, width, height;
};

const PlaceCase kPlaces[] = {
    {"Label1", Form2::Label1, 9, 8, 8, kAsStored, kAsStored},
    {"Label2", Form2::Label2, 9, 8, 48, kAsStored, kAsStored},
    {"Label3", Form2::Label3, 9, 40, 128, kFits, kFits},
    {"Label4", Form2::Label4, 9, 200, 128, kFits, kFits},
    {"Image1", Form2::Image1, 0, 48, 152, kAsStored, kAsStored},
    {"Image2", Form2::Image2, 0, 232, 152, kAsStored, kAsStored},
};

class HelpWindowLayout : public HelpWindowTest, public ::testing::WithParamInterface<std::tuple<PlaceCase, int32_t>> {};

// The same pixel places on any display.
TEST_P(HelpWindowLayout, FontAndPlace)
{
    const auto& [c, dpi] = GetParam();
    p.screenInfo = {dpi, dpi, 1280, 1024};
    const std::vector<Snapshot> seen = Open();
    ASSERT_EQ(seen.size(), 1u);
    const FakePlatform::Control& got = seen[0].controls.at(c.control);
    const ControlDef& stored = Form2::kDefinition.controls[c.control];
    auto storedPixels = [&](int16_t twips) { return int32_t(std::nearbyint(twips * dpi / 1440.0)); };
    EXPECT_EQ(got.fontPoints, c.font);
    EXPECT_EQ(got.rect.left, c.left);
    EXPECT_EQ(got.rect.top, c.top);
    if (c.width == kAsStored) {
        EXPECT_EQ(got.rect.width, storedPixels(stored.width));
        EXPECT_EQ(got.rect.height, storedPixels(stored.height));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, HelpWindowLayout,
                         ::testing::Combine(::testing::ValuesIn(kPlaces), ::testing::Values(96, 120)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_at_" +
                                    std::to_string(std::get<1>(info.param)) + "dpi";
                         });

struct ScreenCase {
    const char* name;
    int32_t dpi, width, height;
};

class HelpWindowPlacement : public HelpWindowTest, public ::testing::WithParamInterface<ScreenCase> {};

// 353 x 256 pixels, centred by the size it loaded with; nothing is clamped.
TEST_P(HelpWindowPlacement, SizedAndCentred)
{
    const ScreenCase& c = GetParam();
    p.screenInfo = {c.dpi, c.dpi, c.width, c.height};
    const std::vector<Snapshot> seen = Open();
    ASSERT_EQ(seen.size(), 1u);
    const Snapshot& s = seen[0];
    ASSERT_NE(s.loadedOuter.width, 353) << "the case would not tell the loaded size from the final one";
    ASSERT_NE(s.loadedOuter.height, 256);
    EXPECT_EQ(s.outer.width, 353);
    EXPECT_EQ(s.outer.height, 256);
    EXPECT_EQ(s.outer.left, CentredPixels(c.width, s.loadedOuter.width, c.dpi));
    EXPECT_EQ(s.outer.top, CentredPixels(c.height, s.loadedOuter.height, c.dpi));
    EXPECT_TRUE(s.modal);
}

INSTANTIATE_TEST_SUITE_P(Cases, HelpWindowPlacement,
                         ::testing::Values(ScreenCase{"vga_96dpi", 96, 640, 480},
                                           ScreenCase{"xga_96dpi", 96, 1024, 768},
                                           ScreenCase{"odd_screen_96dpi", 96, 1023, 767},
                                           ScreenCase{"sxga_120dpi", 120, 1280, 1024},
                                           ScreenCase{"odd_screen_120dpi", 120, 1025, 769},
                                           ScreenCase{"uxga_144dpi", 144, 1600, 1200},
                                           ScreenCase{"smaller_than_window", 96, 300, 200},
                                           ScreenCase{"smaller_than_window_120dpi", 120, 320, 240}),
                         CaseName());

TEST_F(HelpWindowTest, ASmallScreenPutsItPartlyOffTheScreen)
{
    p.screenInfo = {96, 96, 300, 200};
    const std::vector<Snapshot> seen = Open();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_LT(seen[0].outer.left, 0);
    EXPECT_LT(seen[0].outer.top, 0);
    EXPECT_EQ(seen[0].outer.width, 353);
}

TEST_F(HelpWindowTest, EveryOpeningLooksTheSame)
{
    const std::vector<Snapshot> seen = Open(3);
    ASSERT_EQ(seen.size(), 3u);
    for (size_t i = 1; i < seen.size(); ++i) {
        EXPECT_NE(seen[i].form, seen[0].form) << "built afresh";
        EXPECT_EQ(seen[i].outer.left, seen[0].outer.left);
        EXPECT_EQ(seen[i].outer.top, seen[0].outer.top);
        EXPECT_EQ(seen[i].outer.width, seen[0].outer.width);
        EXPECT_EQ(seen[i].outer.height, seen[0].outer.height);
        for (int c = 0; c < Form2::kControlCount; ++c) {
            EXPECT_EQ(seen[i].controls[c].fontPoints, seen[0].controls[c].fontPoints) << c;
            EXPECT_EQ(seen[i].controls[c].rect.left, seen[0].controls[c].rect.left) << c;
            EXPECT_EQ(seen[i].controls[c].rect.top, seen[0].controls[c].rect.top) << c;
            EXPECT_EQ(seen[i].controls[c].rect.width, seen[0].controls[c].rect.width) << c;
        }
    }
}

// Where the main window stands does not move the help window.
TEST_F(HelpWindowTest, CentredOnTheScreenNotOnTheMainWindow)
{
    p.addFile("C:\\PLUMWICK\\Wendrop1.vrx", "[Wendrop1]\r\n\x8B\x4E\x93\xAE\x8E\x9E\x82\xCCLeft=1500\r\n");
    const std::vector<Snapshot> seen = Open();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(p.forms.at(t.mainWindow).outer.left, 100);
    EXPECT_EQ(seen[0].outer.left, CentredPixels(1024, seen[0].loadedOuter.width, 96));
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
