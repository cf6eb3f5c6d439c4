#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "../../src/logo_files/apply.h"
#include "../../src/main_window/main_window.h"
#include "../../src/main_window/previews.h"
#include "tool_fixture.h"

namespace {

using namespace Form1;
using Op = FakePlatform::Op;

constexpr const char* kSettings = "C:\\PLUMWICK\\Wendrop1.vrx";
constexpr const char* kDefaultPicture = "C:\\PLUMWICK\\DfltLogo.sys";
constexpr const char* kGreen = "C:\\PICS\\green.bmp";
constexpr const char* kRed = "C:\\PICS\\red.bmp";
constexpr const char* kGone = "C:\\PICS\\gone.bmp";

// Shift-JIS bytes, so these do not depend on how the tests are compiled.
const std::string kKeyLeft = "\x8B\x4E\x93\xAE\x8E\x9E\x82\xCC" "Left";  // 起動時のLeft
const std::string kKeyTop = "\x8B\x4E\x93\xAE\x8E\x9E\x82\xCC" "Top";    // 起動時のTop
const std::string kContinue = "\x91\xB1\x82\xAF\x82\xDC\x82\xB7\x82\xA9\x81\x48";  // 続けますか？
// ダメェ～、ちゃんとしてネ。
const std::string kPreviewTitle =
    "\x83\x5F\x83\x81\x83\x46\x81\x60\x81\x41\x82\xBF\x82\xE1\x82\xF1\x82\xC6\x82\xB5\x82\xC4\x83\x6C\x81\x42";
// ビットマップ (*.bmp)|*.bmp
const std::string kFilter = "\x83\x72\x83\x62\x83\x67\x83\x7D\x83\x62\x83\x76 (*.bmp)|*.bmp";

constexpr uint32_t kLogo0 = 0x100000, kLogo1 = 0x200000, kLogo2 = 0x300000, kDefaultColour = 0x0000FF;
constexpr uint32_t kGreenColour = 0x00FF00, kRedColour = 0xFF0000;
constexpr uint32_t kNotUniform = 0xFFFFFFFF, kNothingDrawn = 0xFFFFFFFE;

std::string Description(int number, const std::string& path)
{
    std::string text = ErrorDescription(number);
    return path.empty() ? text : text + "\r\n" + path;
}

std::string Settings(const std::optional<std::string>& left, const std::optional<std::string>& top,
                     const std::string& section = "Wendrop1")
{
    std::string file = "[" + section + "]\r\n";
    if (left) file += kKeyLeft + "=" + *left + "\r\n";
    if (top) file += kKeyTop + "=" + *top + "\r\n";
    return file;
}

// True when the settings file holds `key=value` as a line of its own.
bool HasLine(const std::string& file, const std::string& key, const std::string& value)
{
    const std::string line = key + "=" + value;
    for (size_t at = file.find(line); at != std::string::npos; at = file.find(line, at + 1)) {
        bool starts = at == 0 || file[at - 1] == '\n';
        size_t end = at + line.size();
        bool ends = end == file.size() || file[end] == '\r' || file[end] == '\n';
        if (starts && ends) return true;
    }
    return false;
}

class MainWindowTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        p.addFolder("C:\\PICS");
        p.addFile(kGreen, Logo(kGreenColour));
        p.addFile(kRed, Logo(kRedColour, 320, 400));
    }

    FakePlatform::Form& Window() { return p.forms.at(t.mainWindow); }
    FakePlatform::Control& Preview(int slot) { return Ctl(picPreView(slot)); }
    int Draws(int slot) { return Preview(slot).drawCount; }
    bool OkEnabled() { return Ctl(cmdOK).enabled; }

    // The colour of a preview when it is all one colour.
    uint32_t Shown(int slot)
    {
        const FakePlatform::Picture& d = Preview(slot).drawn;
        if (d.bgr.empty()) return kNothingDrawn;
        if (d.width != kPreviewWidth || d.height != kPreviewHeight) return kNotUniform;
        for (size_t i = 3; i < d.bgr.size(); ++i)
            if (d.bgr[i] != d.bgr[i % 3]) return kNotUniform;
        return uint32_t(d.bgr[2]) << 16 | d.bgr[1] << 8 | d.bgr[0];
    }
};

constexpr int32_t kAsStored = -1;  // not moved or not resized: the stored value
constexpr int32_t kFits = -2;      // an auto-size label: follows its text

struct LayoutCase {
    const char* name;
    int control;
    int32_t font;  // 0: never set
    int32_t left, top, width, height;
};

const LayoutCase kLayout[] = {
    {"Label1_0", Label1(0), 9, 8, 11, kFits, kFits},
    {"Label1_1", Label1(1), 9, 8, 35, kFits, kFits},
    {"Label1_2", Label1(2), 9, 8, 59, kFits, kFits},
    {"cmdSansyou_0", cmdSansyou(0), 9, 64, 8, 41, 17},
    {"cmdSansyou_1", cmdSansyou(1), 9, 64, 32, 41, 17},
    {"cmdSansyou_2", cmdSansyou(2), 9, 64, 56, 41, 17},
    {"lblLogo_0", lblLogo(0), 9, 112, 11, kFits, kFits},
    {"lblLogo_1", lblLogo(1), 9, 112, 35, kFits, kFits},
    {"lblLogo_2", lblLogo(2), 9, 112, 59, kFits, kFits},
    {"Label2_0", Label2(0), 9, 16, 88, kAsStored, kAsStored},
    {"Label2_1", Label2(1), 9, 120, 88, kAsStored, kAsStored},
    {"Label2_2", Label2(2), 9, 224, 88, kAsStored, kAsStored},
    {"picPreView_0", picPreView(0), 0, 16, 104, 96, 60},
    {"picPreView_1", picPreView(1), 0, 120, 104, 96, 60},
    {"picPreView_2", picPreView(2), 0, 224, 104, 96, 60},
    {"picMoto_0", picMoto(0), 0, kAsStored, kAsStored, kAsStored, kAsStored},
    {"picMoto_1", picMoto(1), 0, kAsStored, kAsStored, kAsStored, kAsStored},
    {"picMoto_2", picMoto(2), 0, kAsStored, kAsStored, kAsStored, kAsStored},
    {"Label3", Label3, 9, 8, 168, kAsStored, kAsStored},
    {"cmdHint", cmdHint, 9, 8, 192, 121, 25},
    {"cmdDflt", cmdDflt, 9, 136, 192, 57, 25},
    {"cmdOK", cmdOK, 9, 200, 192, 57, 25},
    {"cmdCancel", cmdCancel, 9, 264, 192, 57, 25},
};

class MainWindowLayout : public MainWindowTest,
                         public ::testing::WithParamInterface<std::tuple<LayoutCase, int32_t>> {};

int32_t StoredPixels(int16_t twips, int32_t dpi) { return int32_t(std::nearbyint(twips * dpi / 1440.0)); }

// Control places are pixels and the same on any display.
TEST_P(MainWindowLayout, FontAndPlaceAfterStart)
{
    const auto& [c, dpi] = GetParam();
    p.screenInfo = {dpi, dpi, 1280, 1024};
    ASSERT_TRUE(Start());
    const ControlDef& stored = kDefinition.controls[c.control];
    auto expect = [&](int32_t want, int16_t storedTwips) {
        return want == kAsStored ? StoredPixels(storedTwips, dpi) : want;
    };
    const FakePlatform::Control& got = Ctl(c.control);
    EXPECT_EQ(got.fontPoints, c.font);
    EXPECT_EQ(got.rect.left, expect(c.left, stored.left));
    EXPECT_EQ(got.rect.top, expect(c.top, stored.top));
    if (c.width != kFits) {
        EXPECT_EQ(got.rect.width, expect(c.width, stored.width));
    }
    if (c.height != kFits) {
        EXPECT_EQ(got.rect.height, expect(c.height, stored.height));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, MainWindowLayout,
                         ::testing::Combine(::testing::ValuesIn(kLayout), ::testing::Values(96, 120)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_at_" +
                                    std::to_string(std::get<1>(info.param)) + "dpi";
                         });

TEST_F(MainWindowTest, SourceBoxesAreNeverVisibleAndHoldNothingBetweenRuns)
{
    ASSERT_TRUE(Start());
    Choose(0, kGreen);
    Choose(1, kGone);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_FALSE(Ctl(picMoto(slot)).visible) << slot;
        EXPECT_EQ(Ctl(picMoto(slot)).picture.width, 0) << slot;
        EXPECT_TRUE(Ctl(picMoto(slot)).picture.bgr.empty()) << slot;
    }
}

struct CentreCase {
    const char* name;
    int32_t dpi, screenWidth, screenHeight;
};

class CentredWindow : public MainWindowTest, public ::testing::WithParamInterface<CentreCase> {};

// Centred by the size the window loaded with, then sized from that corner.
TEST_P(CentredWindow, WithoutSettingsFile)
{
    const CentreCase& c = GetParam();
    p.screenInfo = {c.dpi, c.dpi, c.screenWidth, c.screenHeight};
    ASSERT_TRUE(Start());
    const PixelRect loaded = Window().loadedOuter;
    ASSERT_NE(loaded.width, 340) << "the case would not tell the loaded size from the final one";
    ASSERT_NE(loaded.height, 256);
    EXPECT_EQ(Window().outer.left, CentredPixels(c.screenWidth, loaded.width, c.dpi));
    EXPECT_EQ(Window().outer.top, CentredPixels(c.screenHeight, loaded.height, c.dpi));
    EXPECT_EQ(Window().outer.width, 340);
    EXPECT_EQ(Window().outer.height, 256);
    EXPECT_TRUE(p.boxes.empty());
    EXPECT_TRUE(Window().shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, CentredWindow,
                         ::testing::Values(CentreCase{"vga_96dpi", 96, 640, 480},
                                           CentreCase{"xga_96dpi", 96, 1024, 768},
                                           CentreCase{"odd_screen_96dpi", 96, 1023, 767},
                                           CentreCase{"sxga_120dpi", 120, 1280, 1024},
                                           CentreCase{"odd_screen_120dpi", 120, 1025, 769},
                                           CentreCase{"uxga_144dpi", 144, 1600, 1200},
                                           CentreCase{"screen_smaller_than_window", 96, 300, 200}),
                         CaseName());

struct StoredCase {
    const char* name;
    int32_t dpi;
    std::optional<std::string> file;  // the settings file, if any
    std::optional<int32_t> left, top;  // nullopt: centred
};

constexpr int32_t kScreenWidth = 1024, kScreenHeight = 768;

class StoredPlacement : public MainWindowTest, public ::testing::WithParamInterface<StoredCase> {};

// A value the tool could not have written counts as missing: centred, no message.
TEST_P(StoredPlacement, UsedUnchangedOrCentred)
{
    const StoredCase& c = GetParam();
    p.screenInfo = {c.dpi, c.dpi, kScreenWidth, kScreenHeight};
    if (c.file) p.addFile(kSettings, *c.file);
    ASSERT_TRUE(Start());
    const PixelRect loaded = Window().loadedOuter;
    EXPECT_EQ(Window().outer.left, c.left ? *c.left : CentredPixels(kScreenWidth, loaded.width, c.dpi));
    EXPECT_EQ(Window().outer.top, c.top ? *c.top : CentredPixels(kScreenHeight, loaded.height, c.dpi));
    EXPECT_EQ(Window().outer.width, 340);
    EXPECT_EQ(Window().outer.height, 256);
    EXPECT_TRUE(p.boxes.empty());
    EXPECT_TRUE(Window().shown);
    EXPECT_FALSE(p.ended);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredPlacement,
    ::testing::Values(
        StoredCase{"no_file", 96, std::nullopt, std::nullopt, std::nullopt},
        StoredCase{"stored", 96, Settings("9000", "4500"), 600, 300},
        StoredCase{"stored_at_120dpi", 120, Settings("9000", "4500"), 750, 375},
        StoredCase{"negative", 96, Settings("-1500", "-300"), -100, -20},
        StoredCase{"off_screen", 96, Settings("30000", "30000"), 2000, 2000},
        StoredCase{"int16_limits", 96, Settings("32767", "-32768"), 2184, -2185},
        StoredCase{"zero", 96, Settings("0", "0"), 0, 0},
        StoredCase{"left_just_over", 96, Settings("32768", "4500"), std::nullopt, 300},
        StoredCase{"top_far_over", 96, Settings("9000", "40000"), 600, std::nullopt},
        StoredCase{"just_under", 96, Settings("-32769", "-32769"), std::nullopt, std::nullopt},
        StoredCase{"past_int32", 96, Settings("99999999999", "4294967296"), std::nullopt, std::nullopt},
        StoredCase{"not_a_number", 96, Settings("abc", "12a"), std::nullopt, std::nullopt},
        StoredCase{"empty_values", 96, Settings("", ""), std::nullopt, std::nullopt},
        StoredCase{"hex_and_plus", 96, Settings("0x10", "+5"), std::nullopt, std::nullopt},
        StoredCase{"only_left", 96, Settings("9000", std::nullopt), 600, std::nullopt},
        StoredCase{"only_top", 96, Settings(std::nullopt, "-15"), std::nullopt, -1},
        StoredCase{"other_section", 96, Settings("9000", "4500", "Other"), std::nullopt, std::nullopt},
        StoredCase{"empty_file", 96, std::string(), std::nullopt, std::nullopt}),
    CaseName());

TEST_F(MainWindowTest, WindowSizeBeyond16BitsEndsWithTheOverflowMessage)
{
    // 340 pixels of 103 twips each do not fit 16 bits.
    p.screenInfo = {14, 14, 1024, 768};
    EXPECT_FALSE(Start());
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].text, Description(kErrOverflow, ""));
    EXPECT_EQ(p.boxes[0].buttons, Buttons::Ok);
    EXPECT_EQ(p.boxes[0].icon, Icon::Critical);
    EXPECT_EQ(p.boxes[0].title, "Plumwick");
    EXPECT_FALSE(Window().shown);
}

struct SaveCase {
    const char* name;
    int32_t dpi, left, top;  // pixels at closing
    const char* leftText;
    const char* topText;
};

class SavePosition : public MainWindowTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SavePosition, ClosingWritesTwips)
{
    const SaveCase& c = GetParam();
    p.screenInfo = {c.dpi, c.dpi, 1024, 768};
    ASSERT_TRUE(Start());
    Window().outer.left = c.left;
    Window().outer.top = c.top;
    EXPECT_FALSE(Click(cmdCancel));
    EXPECT_TRUE(p.ended);
    const std::string file = p.bytes(kSettings);
    EXPECT_TRUE(HasLine(file, kKeyLeft, c.leftText)) << file;
    EXPECT_TRUE(HasLine(file, kKeyTop, c.topText)) << file;
}

INSTANTIATE_TEST_SUITE_P(Cases, SavePosition,
                         ::testing::Values(SaveCase{"at_600px", 96, 600, 300, "9000", "4500"},
                                           SaveCase{"at_600px_120dpi", 120, 600, 300, "7200", "3600"},
                                           SaveCase{"dragged_off_left_and_top", 96, -10, -1, "-150", "-15"},
                                           SaveCase{"corner", 96, 0, 0, "0", "0"},
                                           SaveCase{"far_right", 96, 2000, 1500, "30000", "22500"}),
                         CaseName());

TEST_F(MainWindowTest, SettingsFileHoldsShiftJisKeysInItsSection)
{
    ASSERT_TRUE(Start());
    Window().outer.left = 600;
    Window().outer.top = 40;
    EXPECT_FALSE(Click(cmdCancel));
    const std::string file = p.bytes(kSettings);
    const size_t section = file.find("[Wendrop1]");
    ASSERT_NE(section, std::string::npos) << file;
    const size_t left = file.find(kKeyLeft + "=9000");
    const size_t top = file.find(kKeyTop + "=600");
    ASSERT_NE(left, std::string::npos) << file;
    ASSERT_NE(top, std::string::npos) << file;
    EXPECT_LT(section, left);
    EXPECT_LT(section, top);
    EXPECT_EQ(file.find("\xE8\xB5\xB7"), std::string::npos) << "起 in UTF-8";
}

class RoundTrip : public MainWindowTest, public ::testing::WithParamInterface<int32_t> {};

// Where the window was closed is where it opens next time.
TEST_P(RoundTrip, NextStartOpensWhereTheWindowWasClosed)
{
    const int32_t dpi = GetParam();
    p.screenInfo = {dpi, dpi, 1024, 768};
    ASSERT_TRUE(Start());
    std::vector<std::unique_ptr<Tool>> runs;  // each window's handlers use their run's values
    FormHandle window = t.mainWindow;
    for (auto [left, top] : {std::pair{600, -20}, std::pair{-37, 513}, std::pair{2000, 1999}}) {
        p.forms.at(window).outer.left = left;
        p.forms.at(window).outer.top = top;
        EXPECT_FALSE(Run([&] { p.forms.at(window).events->Click(cmdCancel); }));
        runs.push_back(std::make_unique<Tool>(p));
        ASSERT_NO_THROW(Main(*runs.back()));
        window = runs.back()->mainWindow;
        EXPECT_EQ(p.forms.at(window).outer.left, left) << dpi << " dpi";
        EXPECT_EQ(p.forms.at(window).outer.top, top) << dpi << " dpi";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RoundTrip, ::testing::Values(96, 120, 144),
                         [](const auto& info) { return std::to_string(info.param) + "dpi"; });

struct CloseCase {
    const char* name;
    void (*close)(FakePlatform&, Tool&);
    bool applies;
};

class EveryClose : public MainWindowTest, public ::testing::WithParamInterface<CloseCase> {};

// Each way out writes the position and ends; only OK applies.
TEST_P(EveryClose, WritesThePositionAndEnds)
{
    const CloseCase& c = GetParam();
    ASSERT_TRUE(Start());
    Choose(1, kGreen);
    Window().outer.left = 600;
    Window().outer.top = 300;
    const size_t boxes = p.boxes.size();
    EXPECT_FALSE(Run([&] { c.close(p, t); }));
    EXPECT_TRUE(p.ended);
    EXPECT_EQ(p.boxes.size(), boxes);
    EXPECT_TRUE(HasLine(p.bytes(kSettings), kKeyLeft, "9000"));
    EXPECT_TRUE(HasLine(p.bytes(kSettings), kKeyTop, "4500"));
    EXPECT_EQ(p.bytes(kLive1), c.applies ? Logo(kGreenColour) : Logo(kLogo1));
    EXPECT_EQ(p.bytes(kLive0), Logo(kLogo0));
    EXPECT_EQ(p.bytes(kLive2), Logo(kLogo2));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EveryClose,
    ::testing::Values(
        CloseCase{"cancel_button", [](FakePlatform& p, Tool& t) { p.forms[t.mainWindow].events->Click(cmdCancel); },
                  false},
        CloseCase{"close_box", [](FakePlatform& p, Tool& t) { (void)p.unloadForm(t.mainWindow); }, false},
        CloseCase{"unload_event", [](FakePlatform& p, Tool& t) { p.forms[t.mainWindow].events->Unload(); }, false},
        CloseCase{"ok_button", [](FakePlatform& p, Tool& t) { p.forms[t.mainWindow].events->Click(cmdOK); }, true},
        CloseCase{"end_of_apply", [](FakePlatform&, Tool& t) { TopLevel(t, ApplyLogos(t)); }, true}),
    CaseName());

TEST_F(MainWindowTest, ReadOnlyToolFolderLosesThePositionSilently)
{
    ASSERT_TRUE(Start());
    p.addFolder("C:\\PLUMWICK", FakePlatform::kReadOnly);
    EXPECT_FALSE(Click(cmdCancel));
    EXPECT_TRUE(p.ended);
    EXPECT_FALSE(p.exists(kSettings));
    EXPECT_TRUE(p.boxes.empty());
}

struct PolicyCase {
    const char* name;
    int number;
    Answer answer;
    bool asks;   // Yes/No question, else OK and the end
    bool opens;  // the window is shown afterwards
};

class OpeningFailure : public MainWindowTest, public ::testing::WithParamInterface<PolicyCase> {};

// Loading the shutdown logo fails with the case's error.
TEST_P(OpeningFailure, AsksOrEnds)
{
    const PolicyCase& c = GetParam();
    p.failOn(Op::LoadPicture, "logow.sys", c.number);
    p.answers = {c.answer};
    EXPECT_EQ(Start(), c.opens);
    ASSERT_EQ(p.boxes.size(), 1u);
    const auto& box = p.boxes[0];
    EXPECT_EQ(box.title, "Plumwick");
    if (c.asks) {
        EXPECT_EQ(box.text, Description(c.number, kLive1) + "\r\n" + kContinue);
        EXPECT_EQ(box.buttons, Buttons::YesNo);
        EXPECT_EQ(box.icon, Icon::Question);
    } else {
        EXPECT_EQ(box.text, Description(c.number, kLive1));
        EXPECT_EQ(box.buttons, Buttons::Ok);
        EXPECT_EQ(box.icon, Icon::Critical);
    }
    EXPECT_EQ(Window().shown, c.opens);
    EXPECT_EQ(p.ended, !c.opens);
    EXPECT_FALSE(p.exists(kSettings)) << "nothing is written while opening";
    EXPECT_EQ(Draws(0), 1);
    EXPECT_EQ(Draws(1), 0);
    if (c.opens) {
        // Went on with the next step: the rest of the opening ran.
        EXPECT_EQ(Shown(2), kLogo2);
        for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_EQ(Chosen(slot), "");
        EXPECT_FALSE(OkEnabled());
        EXPECT_FALSE(t.SkipNextPreview);
    } else {
        // Stopped on the spot.
        EXPECT_EQ(Draws(2), 0);
        EXPECT_EQ(Chosen(0), "lblLogo");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, OpeningFailure,
                         ::testing::Values(PolicyCase{"not_found_yes", 53, Answer::Yes, true, true},
                                           PolicyCase{"not_found_no", 53, Answer::No, true, false},
                                           PolicyCase{"access_yes", 75, Answer::Yes, true, true},
                                           PolicyCase{"access_no", 75, Answer::No, true, false},
                                           PolicyCase{"path_yes", 76, Answer::Yes, true, true},
                                           PolicyCase{"path_no", 76, Answer::No, true, false},
                                           PolicyCase{"picture_yes", 481, Answer::Yes, true, true},
                                           PolicyCase{"picture_no", 481, Answer::No, true, false},
                                           PolicyCase{"device_io", 57, Answer::Ok, false, false},
                                           PolicyCase{"overflow", 6, Answer::Ok, false, false},
                                           PolicyCase{"permission", 70, Answer::Ok, false, false},
                                           PolicyCase{"out_of_memory", 7, Answer::Ok, false, false}),
                         CaseName());

// A font size and a move are steps of their own. The labels chosen here
// are moved off their stored places, so a move that did not run shows.
TEST_F(MainWindowTest, AFailedFontSizeStillMovesTheControlAndTheLayoutGoesOn)
{
    p.failOn(Op::SetFontSize, "lblLogo(1)", kErrPathFileAccess);
    ASSERT_TRUE(Start());
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].text, Description(kErrPathFileAccess, "") + "\r\n" + kContinue);
    EXPECT_EQ(p.boxes[0].icon, Icon::Question);
    EXPECT_EQ(Ctl(lblLogo(1)).fontPoints, 0);
    EXPECT_EQ(Ctl(lblLogo(1)).rect.left, 112);
    EXPECT_EQ(Ctl(lblLogo(1)).rect.top, 35);
    EXPECT_EQ(Ctl(Label2(1)).fontPoints, 9);
    EXPECT_EQ(Ctl(Label1(2)).rect.top, 59);
    EXPECT_EQ(Ctl(cmdCancel).fontPoints, 9);
    EXPECT_EQ(Window().outer.width, 340);
    EXPECT_EQ(Draws(2), 1);
}

TEST_F(MainWindowTest, AFailedMoveKeepsTheFontAndTheLayoutGoesOn)
{
    p.failOn(Op::MoveControl, "Label1(0)", kErrInvalidPicture);
    ASSERT_TRUE(Start());
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].icon, Icon::Question);
    EXPECT_EQ(Ctl(Label1(0)).fontPoints, 9);
    EXPECT_EQ(Ctl(Label1(0)).rect.top, StoredPixels(120, 96));
    EXPECT_EQ(Ctl(cmdSansyou(0)).fontPoints, 9);
    EXPECT_EQ(Ctl(lblLogo(0)).rect.top, 11);
    EXPECT_EQ(Ctl(Label1(1)).rect.top, 35);
}

TEST_F(MainWindowTest, EachFailureIsAskedAboutOnItsOwn)
{
    p.failOn(Op::MoveControl, "Label1(2)", kErrPathNotFound);
    p.failOn(Op::SetFontSize, "lblLogo(2)", kErrFileNotFound);
    p.answers = {Answer::Yes, Answer::No};
    EXPECT_FALSE(Start());
    ASSERT_EQ(p.boxes.size(), 2u);
    EXPECT_EQ(p.boxes[0].text, Description(kErrPathNotFound, "") + "\r\n" + kContinue);
    EXPECT_EQ(p.boxes[1].text, Description(kErrFileNotFound, "") + "\r\n" + kContinue);
    EXPECT_EQ(Ctl(Label1(2)).rect.top, StoredPixels(840, 96));
    EXPECT_EQ(Ctl(cmdSansyou(2)).fontPoints, 9) << "Yes went on";
    EXPECT_EQ(Ctl(lblLogo(2)).rect.top, StoredPixels(840, 96)) << "No ended before the move";
    EXPECT_EQ(Ctl(Label2(2)).fontPoints, 0);
    EXPECT_FALSE(Window().shown);
}

TEST_F(MainWindowTest, AnotherErrorInTheLayoutEndsAtOnce)
{
    p.failOn(Op::MoveControl, "Label3", kErrDeviceIO);
    EXPECT_FALSE(Start());
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].icon, Icon::Critical);
    EXPECT_EQ(p.boxes[0].buttons, Buttons::Ok);
    EXPECT_EQ(Ctl(Label3).fontPoints, 9);
    EXPECT_EQ(Ctl(cmdHint).fontPoints, 0);
    EXPECT_FALSE(Window().shown);
    EXPECT_EQ(Draws(0), 0);
}

struct MissingCase {
    const char* name;
    std::vector<const char*> removed;
    std::vector<std::string> asked;  // paths named by the questions, in order
    std::vector<int> blank;          // slots left without a preview
};

class MissingLogo : public MainWindowTest, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(MissingLogo, YesOpensWithTheSlotBlank)
{
    const MissingCase& c = GetParam();
    for (const char* path : c.removed) p.remove(path);
    ASSERT_TRUE(Start());
    ASSERT_EQ(p.boxes.size(), c.asked.size());
    for (size_t i = 0; i < c.asked.size(); ++i) {
        EXPECT_EQ(p.boxes[i].text, Description(kErrFileNotFound, c.asked[i]) + "\r\n" + kContinue);
        EXPECT_EQ(p.boxes[i].icon, Icon::Question);
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        bool blank = std::find(c.blank.begin(), c.blank.end(), slot) != c.blank.end();
        EXPECT_EQ(Draws(slot), blank ? 0 : 1) << slot;
        if (blank) {
            EXPECT_EQ(Shown(slot), kNothingDrawn) << slot;
        }
    }
    EXPECT_TRUE(Window().shown);
    EXPECT_FALSE(OkEnabled());
}

TEST_P(MissingLogo, NoEndsBeforeTheWindowIsShown)
{
    const MissingCase& c = GetParam();
    for (const char* path : c.removed) p.remove(path);
    p.answers = {Answer::No};
    EXPECT_FALSE(Start());
    EXPECT_EQ(p.boxes.size(), 1u);
    EXPECT_FALSE(Window().shown);
    EXPECT_FALSE(p.exists(kSettings));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MissingLogo,
    ::testing::Values(MissingCase{"shutdown_logo", {kLive1}, {kLive1}, {1}},
                      MissingCase{"power_off_logo", {kLive2}, {kLive2}, {2}},
                      MissingCase{"both_windows_logos", {kLive1, kLive2}, {kLive1, kLive2}, {1, 2}},
                      MissingCase{"default_picture_without_startup_logo",
                                  {kLive0, kDefaultPicture},
                                  {kDefaultPicture},
                                  {0}}),
    CaseName());

struct StartupLogoCase {
    const char* name;
    bool present;
    unsigned attrs;
    uint32_t shown;
};

class StartupLogoPreview : public MainWindowTest, public ::testing::WithParamInterface<StartupLogoCase> {};

// Windows shows a hidden, system or read-only logo.sys, so that is what the
// first preview shows.
TEST_P(StartupLogoPreview, ShowsWhatWindowsWillShow)
{
    const StartupLogoCase& c = GetParam();
    p.remove(kLive0);
    if (c.present) p.addFile("C:\\LOGO.SYS", Logo(0x445566), c.attrs);
    ASSERT_TRUE(Start());
    EXPECT_EQ(Shown(0), c.shown);
    EXPECT_TRUE(p.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupLogoPreview,
                         ::testing::Values(StartupLogoCase{"none", false, 0, kDefaultColour},
                                           StartupLogoCase{"plain", true, 0, 0x445566},
                                           StartupLogoCase{"hidden", true, FakePlatform::kHidden, 0x445566},
                                           StartupLogoCase{"system", true, FakePlatform::kSystem, 0x445566},
                                           StartupLogoCase{"read_only", true, FakePlatform::kReadOnly, 0x445566},
                                           StartupLogoCase{"all", true,
                                                           FakePlatform::kHidden | FakePlatform::kSystem |
                                                               FakePlatform::kReadOnly,
                                                           0x445566}),
                         CaseName());

TEST_F(MainWindowTest, AFolderNamedLogoSysIsNoStartUpLogo)
{
    p.remove(kLive0);
    p.addFolder("C:\\logo.sys");
    ASSERT_TRUE(Start());
    EXPECT_EQ(Shown(0), kDefaultColour);
    EXPECT_TRUE(p.boxes.empty());
}

TEST_F(MainWindowTest, OpensWithInstalledLogosEmptyChoicesAndOkDisabled)
{
    ASSERT_TRUE(Start());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(Chosen(slot), "") << slot;
        // Emptying the labels raised no preview run: each box was drawn once,
        // and no run tried the labels' stored text as a path.
        EXPECT_EQ(Draws(slot), 1) << slot;
    }
    EXPECT_EQ(Shown(0), kLogo0);
    EXPECT_EQ(Shown(1), kLogo1);
    EXPECT_EQ(Shown(2), kLogo2);
    EXPECT_FALSE(OkEnabled());
    EXPECT_FALSE(t.SkipNextPreview);
    EXPECT_EQ(Str(t.SettingsPath), kSettings);
    EXPECT_TRUE(p.boxes.empty());
    EXPECT_TRUE(Window().shown);
}

TEST_F(MainWindowTest, TheSkipFlagSwallowsExactlyOneRun)
{
    ASSERT_TRUE(Start());
    t.SkipNextPreview = true;
    Choose(0, kGreen);
    EXPECT_EQ(Draws(0), 1);
    EXPECT_EQ(Shown(0), kLogo0);
    EXPECT_FALSE(t.SkipNextPreview);
    EXPECT_TRUE(OkEnabled()) << "the change still enables OK";
    Choose(1, kRed);
    EXPECT_EQ(Draws(0), 2);
    EXPECT_EQ(Shown(0), kGreenColour);
    EXPECT_EQ(Shown(1), kRedColour);
}

TEST_F(MainWindowTest, RestoreFromEmptyChoicesRunsThePreviewsOncePerLabel)
{
    ASSERT_TRUE(Start());
    const int before[] = {Draws(0), Draws(1), Draws(2)};
    EXPECT_TRUE(Click(cmdDflt));
    EXPECT_EQ(Draws(0) - before[0], 3);
    EXPECT_EQ(Draws(1) - before[1], 2);
    EXPECT_EQ(Draws(2) - before[2], 1);
    EXPECT_EQ(Shown(0), kDefaultColour);
    EXPECT_EQ(Shown(1), kLogo1);
    EXPECT_EQ(Shown(2), kLogo2);
    EXPECT_TRUE(OkEnabled());
    EXPECT_TRUE(p.boxes.empty());
    EXPECT_TRUE(Window().loaded);
}

TEST_F(MainWindowTest, OkIsEnabledBeforeThePreviewRunStarts)
{
    ASSERT_TRUE(Start());
    std::vector<bool> okAtBox;
    p.onMessageBox = [&](const FakePlatform::MessageBoxCall&) { okAtBox.push_back(OkEnabled()); };
    Choose(1, kGone);
    ASSERT_EQ(okAtBox.size(), 1u);
    EXPECT_TRUE(okAtBox[0]);
    EXPECT_TRUE(OkEnabled()) << "stays enabled for a file that does not load";
}

TEST_F(MainWindowTest, TheDialogIsSetUpOnEveryOpening)
{
    ASSERT_TRUE(Start());
    Choose(1, kGreen);
    t.CommonDialog1.CancelError = false;
    t.CommonDialog1.Filter = "*.*";
    t.CommonDialog1.InitDir = "C:\\";
    Choose(2, kRed);
    ASSERT_EQ(p.dialogs.size(), 2u);
    for (const CommonDialog& d : p.dialogs) {
        EXPECT_TRUE(d.CancelError);
        EXPECT_EQ(Str(d.Filter), kFilter);
        EXPECT_EQ(Str(d.InitDir), "C:\\PLUMWICK");
    }
}

TEST_F(MainWindowTest, TheDialogSuggestsTheLastChoiceForAnySlot)
{
    ASSERT_TRUE(Start());
    Choose(0, kGreen);
    Choose(2, "");  // cancelled
    Choose(1, kRed);
    Choose(0, kGreen);
    ASSERT_EQ(p.dialogs.size(), 4u);
    EXPECT_EQ(Str(p.dialogs[0].FileName), "");
    EXPECT_EQ(Str(p.dialogs[1].FileName), kGreen);
    EXPECT_EQ(Str(p.dialogs[2].FileName), kGreen);
    EXPECT_EQ(Str(p.dialogs[3].FileName), kRed);
}

struct CancelCase {
    const char* name;
    const char* before;  // the slot's choice before; "" for none
    bool failCaption;    // the choice fails to be stored instead of a cancel
};

class CancelledChoice : public MainWindowTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelledChoice, ChangesNothingAndSaysNothing)
{
    const CancelCase& c = GetParam();
    ASSERT_TRUE(Start());
    if (*c.before) Choose(1, c.before);
    const bool ok = OkEnabled();
    const int draws[] = {Draws(0), Draws(1), Draws(2)};
    const uint32_t shown = Shown(1);
    if (c.failCaption) {
        p.failOn(Op::SetCaption, "green", kErrDeviceIO);
        Choose(1, kGreen);
    } else {
        Choose(1, "");
    }
    EXPECT_EQ(Chosen(1), c.before);
    EXPECT_EQ(OkEnabled(), ok);
    EXPECT_EQ(Draws(0), draws[0]);
    EXPECT_EQ(Draws(1), draws[1]);
    EXPECT_EQ(Draws(2), draws[2]);
    EXPECT_EQ(Shown(1), shown);
    EXPECT_TRUE(p.boxes.empty());
    EXPECT_FALSE(p.ended);
}

INSTANTIATE_TEST_SUITE_P(Cases, CancelledChoice,
                         ::testing::Values(CancelCase{"empty_slot", "", false},
                                           CancelCase{"slot_with_a_choice", kRed, false},
                                           CancelCase{"storing_fails", "", true}),
                         CaseName());

TEST_F(MainWindowTest, ChoosingStoresThePathEnablesOkAndPreviewsIt)
{
    ASSERT_TRUE(Start());
    Choose(1, kGreen);
    EXPECT_EQ(Chosen(1), kGreen);
    EXPECT_TRUE(OkEnabled());
    EXPECT_EQ(Shown(1), kGreenColour);
    EXPECT_EQ(Draws(0), 1) << "slots without a choice keep their preview";
    EXPECT_EQ(Draws(2), 1);
    EXPECT_EQ(Shown(0), kLogo0);
    EXPECT_TRUE(p.boxes.empty());
}

TEST_F(MainWindowTest, AnyNameIsStoredAsChosen)
{
    p.addFile("C:\\PICS\\logo.txt", Logo(0x777777));
    p.addFile("C:\\PICS\\Mixed Case.BMP", Logo(0x888888));
    ASSERT_TRUE(Start());
    Choose(0, "C:\\PICS\\logo.txt");
    Choose(2, "C:\\PICS\\Mixed Case.BMP");
    EXPECT_EQ(Chosen(0), "C:\\PICS\\logo.txt");
    EXPECT_EQ(Chosen(2), "C:\\PICS\\Mixed Case.BMP");
    EXPECT_EQ(Shown(0), 0x777777u);
    EXPECT_EQ(Shown(2), 0x888888u);
    EXPECT_TRUE(p.boxes.empty());
}

TEST_F(MainWindowTest, EveryRunRedrawsEverySlotThatHasAChoice)
{
    ASSERT_TRUE(Start());
    Choose(0, kGreen);
    Choose(2, kRed);
    const int before[] = {Draws(0), Draws(1), Draws(2)};
    Choose(1, kGreen);
    EXPECT_EQ(Draws(0) - before[0], 1);
    EXPECT_EQ(Draws(1) - before[1], 1);
    EXPECT_EQ(Draws(2) - before[2], 1);
    EXPECT_EQ(Chosen(0), kGreen);
    EXPECT_EQ(Chosen(2), kRed);
}

struct SizeCase {
    const char* name;
    int32_t width, height;
};

class AnySize : public MainWindowTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(AnySize, FillsTheWholePreviewWithoutAWord)
{
    const SizeCase& c = GetParam();
    p.addFile("C:\\PICS\\sized.bmp", Logo(0x336699, c.width, c.height));
    ASSERT_TRUE(Start());
    Choose(2, "C:\\PICS\\sized.bmp");
    EXPECT_EQ(Shown(2), 0x336699u);
    EXPECT_TRUE(p.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, AnySize,
                         ::testing::Values(SizeCase{"logo", 320, 400}, SizeCase{"screen", 640, 400},
                                           SizeCase{"icon", 32, 32}, SizeCase{"one_pixel", 1, 1},
                                           SizeCase{"tall_strip", 3, 700}, SizeCase{"wide_strip", 2000, 2}),
                         CaseName());

// Quadrants of a logo land in the same quadrants of its preview.
TEST_F(MainWindowTest, PreviewIsUprightAndNotMirrored)
{
    p.addFile("C:\\PICS\\quarters.bmp", MakeBitmap(320, 400, [](int32_t x, int32_t y) -> uint32_t {
                  return y < 200 ? (x < 160 ? 0xFF0000 : 0x00FF00) : (x < 160 ? 0x0000FF : 0xFFFFFF);
              }));
    ASSERT_TRUE(Start());
    Choose(0, "C:\\PICS\\quarters.bmp");
    const FakePlatform::Picture& d = Preview(0).drawn;
    ASSERT_EQ(d.width, 96);
    ASSERT_EQ(d.height, 60);
    auto at = [&](int x, int y) {
        const uint8_t* px = &d.bgr[(size_t(y) * 96 + x) * 3];
        return uint32_t(px[2]) << 16 | px[1] << 8 | px[0];
    };
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 96; ++x) {
            uint32_t want = y < 30 ? (x < 48 ? 0xFF0000 : 0x00FF00) : (x < 48 ? 0x0000FF : 0xFFFFFF);
            ASSERT_EQ(at(x, y), want) << x << "," << y;
        }
}

struct BadChoiceCase {
    const char* name;
    const char* path;
    std::optional<std::string> content;  // nullopt: no such file
    int number;
};

class BadChoice : public MainWindowTest, public ::testing::WithParamInterface<BadChoiceCase> {};

TEST_P(BadChoice, OneMessageThePathStaysAndTheNextSlotIsPreviewed)
{
    const BadChoiceCase& c = GetParam();
    if (c.content) p.addFile(c.path, *c.content);
    ASSERT_TRUE(Start());
    Choose(2, kGreen);
    const int draws0 = Draws(0), draws2 = Draws(2);
    std::vector<int> slot2DrawsAtBox;
    p.onMessageBox = [&](const FakePlatform::MessageBoxCall&) { slot2DrawsAtBox.push_back(Draws(2)); };

    Choose(0, c.path);
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].text, Description(c.number, c.path));
    EXPECT_EQ(p.boxes[0].title, kPreviewTitle);
    EXPECT_EQ(p.boxes[0].icon, Icon::Critical);
    EXPECT_EQ(p.boxes[0].buttons, Buttons::Ok);
    EXPECT_EQ(Chosen(0), c.path);
    EXPECT_TRUE(OkEnabled());
    EXPECT_EQ(Draws(0), draws0);
    EXPECT_EQ(Shown(0), kLogo0) << "keeps the previous preview";
    EXPECT_EQ(Draws(2), draws2 + 1) << "the next slot is still previewed";
    EXPECT_EQ(slot2DrawsAtBox, std::vector<int>{draws2}) << "slot 0 is reported before slot 2 is drawn";
    EXPECT_FALSE(p.ended);

    // Every later run reports it again.
    Choose(1, kRed);
    ASSERT_EQ(p.boxes.size(), 2u);
    EXPECT_EQ(p.boxes[1].text, Description(c.number, c.path));
    EXPECT_EQ(Shown(1), kRedColour);
    Choose(2, kRed);
    EXPECT_EQ(p.boxes.size(), 3u);
    EXPECT_EQ(Shown(0), kLogo0);

    // A file that loads ends the messages.
    Choose(0, kGreen);
    EXPECT_EQ(p.boxes.size(), 3u);
    EXPECT_EQ(Shown(0), kGreenColour);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadChoice,
    ::testing::Values(BadChoiceCase{"missing_file", kGone, std::nullopt, kErrFileNotFound},
                      BadChoiceCase{"missing_folder", "C:\\NOWHERE\\logo.bmp", std::nullopt, kErrPathNotFound},
                      BadChoiceCase{"text_file", "C:\\PICS\\notes.bmp", std::string("not a picture\r\n"),
                                    kErrInvalidPicture},
                      BadChoiceCase{"cut_short", "C:\\PICS\\cut.bmp", Logo(0x123456, 320, 400).substr(0, 5000),
                                    kErrInvalidPicture},
                      BadChoiceCase{"empty_file", "C:\\PICS\\empty.bmp", std::string(), kErrInvalidPicture},
                      // Spaces are a path like any other, not an empty choice.
                      BadChoiceCase{"only_spaces", "   ", std::nullopt, kErrPathNotFound}),
    CaseName());

TEST_F(MainWindowTest, ABadChoiceCanStillBeApplied)
{
    p.addFile("C:\\PICS\\notes.bmp", "not a picture");
    ASSERT_TRUE(Start());
    Choose(1, "C:\\PICS\\notes.bmp");
    EXPECT_FALSE(Click(cmdOK));
    EXPECT_EQ(p.bytes(kLive1), "not a picture");
}

TEST_F(MainWindowTest, HelpOpensModallyAndTheMainWindowStays)
{
    ASSERT_TRUE(Start());
    struct Seen {
        FormHandle form;
        bool modal, mainLoaded, mainShown;
    };
    std::vector<Seen> seen;
    p.whileModal = [&](FormHandle f) {
        seen.push_back({f, p.forms[f].modal, Window().loaded, Window().shown});
    };
    EXPECT_TRUE(Click(cmdHint));
    EXPECT_TRUE(Click(cmdHint));
    ASSERT_EQ(seen.size(), 2u);
    for (const Seen& s : seen) {
        EXPECT_NE(s.form, t.mainWindow);
        EXPECT_STREQ(p.forms[s.form].def->name, "Form2");
        EXPECT_TRUE(s.modal);
        EXPECT_TRUE(s.mainLoaded);
        EXPECT_TRUE(s.mainShown);
        EXPECT_FALSE(p.forms[s.form].loaded) << "closed when the click returns";
    }
    EXPECT_NE(seen[0].form, seen[1].form) << "built afresh each time";
    EXPECT_TRUE(Window().loaded);
    EXPECT_TRUE(Window().shown);
    EXPECT_FALSE(p.ended);
    EXPECT_FALSE(p.exists(kSettings));
    EXPECT_TRUE(p.boxes.empty());
}

}  // namespace
