#include <cmath>
#include <optional>
#include <string>
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
const std::string kContinue = "\r\n\x91\xB1\x82\xAF\x82\xDC\x82\xB7\x82\xA9\x81\x48";  // 続けますか？
// ダメェ～、ちゃんとしてネ。
const std::string kPreviewTitle =
    "\x83\x5F\x83\x81\x83\x46\x81\x60\x81\x41\x82\xBF\x82\xE1\x82\xF1\x82\xC6\x82\xB5\x82\xC4\x83\x6C\x81\x42";
// ビットマップ (*.bmp)|*.bmp
const std::string kFilter = "\x83\x72\x83\x62\x83\x67\x83\x7D\x83\x62\x83\x76 (*.bmp)|*.bmp";

constexpr uint32_t kLogo0 = 0x100000, kLogo1 = 0x200000, kLogo2 = 0x300000, kDefaultColour = 0x0000FF;
constexpr uint32_t kGreenColour = 0x00FF00, kRedColour = 0xFF0000;
constexpr uint32_t kNotUniform = 0xFFFFFFFF;

std::string Description(int number, const char* path = "") { return Str(Err(number, path).description()); }

std::string Settings(const std::optional<std::string>& left, const std::optional<std::string>& top,
                     const std::string& section = "Wendrop1")
{
    std::string file = "[" + section + "]\r\n";
    if (left) file += kKeyLeft + "=" + *left + "\r\n";
    if (top) file += kKeyTop + "=" + *top + "\r\n";
    return file;
}

// True when the settings file holds `line` as a line of its own.
bool HasLine(const std::string& file, const std::string& line)
{
    return ("\n" + file + "\r\n").find("\n" + line + "\r\n") != std::string::npos;
}

int32_t StoredPixels(int16_t twips, int32_t dpi) { return int32_t(std::nearbyint(twips * dpi / 1440.0)); }

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
        if (d.bgr.empty() || d.width != kPreviewWidth || d.height != kPreviewHeight) return kNotUniform;
        for (size_t i = 3; i < d.bgr.size(); ++i)
            if (d.bgr[i] != d.bgr[i % 3]) return kNotUniform;
        return uint32_t(d.bgr[2]) << 16 | d.bgr[1] << 8 | d.bgr[0];
    }
};

// Control places are pixels and the same on any display; 0 for a font means
// never set, -1 for a size means the stored one, -2 an auto-size label's.
TEST_F(MainWindowTest, FontsAndPlacesAfterStart)
{
    const int32_t kStored = -1, kFits = -2, dpi = 120;
    struct Row {
        int control;
        int32_t font, left, top, width, height;
    };
    std::vector<Row> rows;
    for (int i = 0; i < kSlotCount; ++i) {
        rows.push_back({Label1(i), 9, 8, 11 + 24 * i, kFits, kFits});
        rows.push_back({cmdSansyou(i), 9, 64, 8 + 24 * i, 41, 17});
        rows.push_back({lblLogo(i), 9, 112, 11 + 24 * i, kFits, kFits});
        rows.push_back({Label2(i), 9, 16 + 104 * i, 88, kStored, kStored});
        rows.push_back({picPreView(i), 0, 16 + 104 * i, 104, 96, 60});
        rows.push_back({picMoto(i), 0, kStored, kStored, kStored, kStored});
    }
    rows.insert(rows.end(), {{Label3, 9, 8, 168, kStored, kStored},
                             {cmdHint, 9, 8, 192, 121, 25},
                             {cmdDflt, 9, 136, 192, 57, 25},
                             {cmdOK, 9, 200, 192, 57, 25},
                             {cmdCancel, 9, 264, 192, 57, 25}});
    p.screenInfo = {dpi, dpi, 1280, 1024};
    ASSERT_TRUE(Start());
    for (const Row& r : rows) {
        const ControlDef& stored = kDefinition.controls[r.control];
        const PixelRect& got = Ctl(r.control).rect;
        auto want = [&](int32_t v, int16_t twips) { return v == kStored ? StoredPixels(twips, dpi) : v; };
        EXPECT_EQ(Ctl(r.control).fontPoints, r.font) << stored.name << stored.index;
        EXPECT_EQ(got.left, want(r.left, stored.left)) << stored.name << stored.index;
        EXPECT_EQ(got.top, want(r.top, stored.top)) << stored.name << stored.index;
        if (r.width != kFits) {
            EXPECT_EQ(got.width, want(r.width, stored.width)) << stored.name << stored.index;
            EXPECT_EQ(got.height, want(r.height, stored.height)) << stored.name << stored.index;
        }
    }
}

struct PlaceCase {
    const char* name;
    int32_t dpiX, dpiY, screenWidth, screenHeight;
    std::optional<std::string> file;   // the settings file, if any
    std::optional<int32_t> left, top;  // nullopt: centred
};

class Placement : public MainWindowTest, public ::testing::WithParamInterface<PlaceCase> {};

// 340 x 256 pixels. A stored place is used as it is; without one, or with
// a value the tool could not have written, the window is centred by the
// size it loaded with. No message either way.
TEST_P(Placement, StoredOrCentred)
{
    const PlaceCase& c = GetParam();
    p.screenInfo = {c.dpiX, c.dpiY, c.screenWidth, c.screenHeight};
    if (c.file) p.addFile(kSettings, *c.file);
    ASSERT_TRUE(Start());
    const PixelRect loaded = Window().loadedOuter;
    ASSERT_NE(loaded.width, 340) << "the case would not tell the loaded size from the final one";
    EXPECT_EQ(Window().outer.left, c.left ? *c.left : CentredPixels(c.screenWidth, loaded.width, c.dpiX));
    EXPECT_EQ(Window().outer.top, c.top ? *c.top : CentredPixels(c.screenHeight, loaded.height, c.dpiY));
    EXPECT_EQ(Window().outer.width, 340);
    EXPECT_EQ(Window().outer.height, 256);
    EXPECT_TRUE(p.boxes.empty());
    EXPECT_TRUE(Window().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Placement,
    ::testing::Values(
        PlaceCase{"odd_screen", 96, 96, 1023, 767, std::nullopt, std::nullopt, std::nullopt},
        PlaceCase{"odd_screen_120dpi", 120, 120, 1025, 769, std::nullopt, std::nullopt, std::nullopt},
        PlaceCase{"smaller_than_window", 96, 96, 300, 200, std::nullopt, std::nullopt, std::nullopt},
        PlaceCase{"unequal_dpi", 96, 120, 1024, 768, std::nullopt, std::nullopt, std::nullopt},
        PlaceCase{"stored", 96, 96, 1024, 768, Settings("9000", "4500"), 600, 300},
        PlaceCase{"stored_unequal_dpi", 96, 120, 1024, 768, Settings("9000", "4500"), 600, 375},
        PlaceCase{"int16_limits", 96, 96, 1024, 768, Settings("32767", "-32768"), 2184, -2185},
        PlaceCase{"left_out_of_range", 96, 96, 1024, 768, Settings("32768", "-15"), std::nullopt, -1},
        PlaceCase{"not_numbers", 96, 96, 1024, 768, Settings("abc", ""), std::nullopt, std::nullopt},
        PlaceCase{"only_left", 96, 96, 1024, 768, Settings("9000", std::nullopt), 600, std::nullopt},
        PlaceCase{"other_section", 96, 96, 1024, 768, Settings("9000", "4500", "Other"), std::nullopt,
                  std::nullopt}),
    CaseName());

class WindowTooLarge : public MainWindowTest, public ::testing::WithParamInterface<std::pair<int32_t, int32_t>> {};

// 340 x 256 pixels of 103 twips, or 256 of 131, do not fit 16 bits.
TEST_P(WindowTooLarge, EndsWithTheOverflowMessage)
{
    p.screenInfo = {GetParam().first, GetParam().second, 1024, 768};
    EXPECT_FALSE(Start());
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].text, Description(kErrOverflow));
    EXPECT_EQ(p.boxes[0].icon, Icon::Critical);
    EXPECT_EQ(p.boxes[0].title, "Plumwick");
    EXPECT_FALSE(Window().shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowTooLarge, ::testing::Values(std::pair{14, 96}, std::pair{96, 11}));

struct SaveCase {
    const char* name;
    void (*close)(FakePlatform&, Tool&);
    int32_t dpiX, dpiY, left, top;  // pixels at closing
    const char* leftText;
    const char* topText;
};

void CancelButton(FakePlatform& p, Tool& t) { p.forms[t.mainWindow].events->Click(cmdCancel); }
void CloseBox(FakePlatform& p, Tool& t) { (void)p.unloadForm(t.mainWindow); }
void OkButton(FakePlatform& p, Tool& t) { p.forms[t.mainWindow].events->Click(cmdOK); }

class Closing : public MainWindowTest, public ::testing::WithParamInterface<SaveCase> {};

// Every way out writes the position in twips and ends; only OK applies.
// The next start opens where the window was.
TEST_P(Closing, WritesThePositionAndEnds)
{
    const SaveCase& c = GetParam();
    p.screenInfo = {c.dpiX, c.dpiY, 1024, 768};
    ASSERT_TRUE(Start());
    Choose(1, kGreen);
    Window().outer.left = c.left;
    Window().outer.top = c.top;
    EXPECT_FALSE(Run([&] { c.close(p, t); }));
    EXPECT_TRUE(p.boxes.empty());
    EXPECT_EQ(p.bytes(kLive1), Logo(c.close == OkButton ? kGreenColour : kLogo1));
    const std::string file = p.bytes(kSettings);
    EXPECT_TRUE(HasLine(file, "[Wendrop1]")) << file;
    EXPECT_TRUE(HasLine(file, kKeyLeft + "=" + c.leftText)) << file;
    EXPECT_TRUE(HasLine(file, kKeyTop + "=" + c.topText)) << file;

    Tool next(p);
    ASSERT_NO_THROW(Main(next));
    EXPECT_EQ(p.forms.at(next.mainWindow).outer.left, c.left);
    EXPECT_EQ(p.forms.at(next.mainWindow).outer.top, c.top);
}

INSTANTIATE_TEST_SUITE_P(Cases, Closing,
                         ::testing::Values(SaveCase{"cancel", CancelButton, 96, 96, 600, 300, "9000", "4500"},
                                           SaveCase{"close_box", CloseBox, 120, 120, 600, 300, "7200", "3600"},
                                           SaveCase{"ok", OkButton, 96, 96, -10, -1, "-150", "-15"},
                                           SaveCase{"unequal_dpi", CancelButton, 96, 120, 600, 300, "9000", "3600"}),
                         CaseName());

struct PolicyCase {
    const char* name;
    int number;
    Answer answer;
    bool asks;  // a Yes/No question, else OK and the end
};

class OpeningFailure : public MainWindowTest, public ::testing::WithParamInterface<PolicyCase> {};

// Loading the shutdown logo fails. A file error asks whether to go on
// with the next step; Yes opens the window as usual, No or any other
// error ends on the spot.
TEST_P(OpeningFailure, AsksOrEnds)
{
    const PolicyCase& c = GetParam();
    p.failOn(Op::LoadPicture, "logow.sys", c.number);
    p.answers = {c.answer};
    const bool opens = c.answer == Answer::Yes;
    EXPECT_EQ(Start(), opens);
    ASSERT_EQ(p.boxes.size(), 1u);
    const auto& box = p.boxes[0];
    EXPECT_EQ(box.title, "Plumwick");
    EXPECT_EQ(box.text, Description(c.number, kLive1) + (c.asks ? kContinue : ""));
    EXPECT_EQ(box.buttons, c.asks ? Buttons::YesNo : Buttons::Ok);
    EXPECT_EQ(box.icon, c.asks ? Icon::Question : Icon::Critical);
    EXPECT_EQ(Window().shown, opens);
    EXPECT_FALSE(p.exists(kSettings)) << "nothing is written while opening";
    EXPECT_EQ(Draws(1), 0);
    EXPECT_EQ(Draws(2), opens ? 1 : 0);
    EXPECT_EQ(Chosen(0), opens ? "" : "lblLogo") << "the opening went on, or stopped on the spot";
}

INSTANTIATE_TEST_SUITE_P(Cases, OpeningFailure,
                         ::testing::Values(PolicyCase{"not_found_yes", kErrFileNotFound, Answer::Yes, true},
                                           PolicyCase{"access_yes", kErrPathFileAccess, Answer::Yes, true},
                                           PolicyCase{"picture_no", kErrInvalidPicture, Answer::No, true},
                                           PolicyCase{"device_io", kErrDeviceIO, Answer::Ok, false}),
                         CaseName());

// A font size and a move are steps of their own, each asked about. The
// controls chosen are moved off their stored places, so a move that did
// not run shows.
TEST_F(MainWindowTest, EachFailedLayoutStepIsAskedAboutOnItsOwn)
{
    p.failOn(Op::SetFontSize, "lblLogo(1)", kErrPathFileAccess);
    p.failOn(Op::MoveControl, "Label1(2)", kErrPathNotFound);
    p.failOn(Op::SetFontSize, "lblLogo(2)", kErrFileNotFound);
    p.answers = {Answer::Yes, Answer::Yes, Answer::No};
    EXPECT_FALSE(Start());
    ASSERT_EQ(p.boxes.size(), 3u);
    EXPECT_EQ(p.boxes[0].text, Description(kErrPathFileAccess) + kContinue);
    EXPECT_EQ(p.boxes[1].text, Description(kErrPathNotFound) + kContinue);
    EXPECT_EQ(Ctl(lblLogo(1)).fontPoints, 0);
    EXPECT_EQ(Ctl(lblLogo(1)).rect.top, 35) << "moved after its font failed";
    EXPECT_EQ(Ctl(Label1(2)).fontPoints, 9);
    EXPECT_EQ(Ctl(Label1(2)).rect.top, StoredPixels(840, 96));
    EXPECT_EQ(Ctl(cmdSansyou(2)).fontPoints, 9) << "Yes went on";
    EXPECT_EQ(Ctl(lblLogo(2)).rect.top, StoredPixels(840, 96)) << "No ended before the move";
    EXPECT_FALSE(Window().shown);
}

// Yes to every question opens the window with those slots blank.
TEST_F(MainWindowTest, MissingLogosAreAskedAboutInTurn)
{
    p.remove(kLive0);
    p.remove(kDefaultPicture);
    p.remove(kLive2);
    ASSERT_TRUE(Start());
    ASSERT_EQ(p.boxes.size(), 2u);
    EXPECT_EQ(p.boxes[0].text, Description(kErrFileNotFound, kDefaultPicture) + kContinue);
    EXPECT_EQ(p.boxes[1].text, Description(kErrFileNotFound, kLive2) + kContinue);
    EXPECT_EQ(Draws(0), 0);
    EXPECT_EQ(Shown(1), kLogo1);
    EXPECT_EQ(Draws(2), 0);
    EXPECT_TRUE(Window().shown);
    EXPECT_FALSE(OkEnabled());
}

enum class StartupLogo { None, Folder, Concealed };

class StartupLogoPreview : public MainWindowTest, public ::testing::WithParamInterface<StartupLogo> {};

// Windows shows a hidden, system or read-only logo.sys, so the first
// preview does too; without one it shows the default picture.
TEST_P(StartupLogoPreview, ShowsWhatWindowsWillShow)
{
    const unsigned all = FakePlatform::kHidden | FakePlatform::kSystem | FakePlatform::kReadOnly;
    p.remove(kLive0);
    if (GetParam() == StartupLogo::Folder) p.addFolder("C:\\logo.sys");
    if (GetParam() == StartupLogo::Concealed) p.addFile("C:\\LOGO.SYS", Logo(0x445566), all);
    ASSERT_TRUE(Start());
    EXPECT_EQ(Shown(0), GetParam() == StartupLogo::Concealed ? 0x445566 : kDefaultColour);
    EXPECT_TRUE(p.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupLogoPreview,
                         ::testing::Values(StartupLogo::None, StartupLogo::Folder, StartupLogo::Concealed));

TEST_F(MainWindowTest, OpensWithInstalledLogosEmptyChoicesAndOkDisabled)
{
    ASSERT_TRUE(Start());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(Chosen(slot), "") << slot;
        // Emptying the labels raised no preview run: each box was drawn once.
        EXPECT_EQ(Draws(slot), 1) << slot;
        // The source boxes are never seen and hold nothing between runs.
        EXPECT_FALSE(Ctl(picMoto(slot)).visible) << slot;
        EXPECT_TRUE(Ctl(picMoto(slot)).picture.bgr.empty()) << slot;
    }
    EXPECT_EQ(Shown(0), kLogo0);
    EXPECT_EQ(Shown(1), kLogo1);
    EXPECT_EQ(Shown(2), kLogo2);
    EXPECT_FALSE(OkEnabled());
    EXPECT_FALSE(t.SkipNextPreview);
    EXPECT_TRUE(p.boxes.empty());
}

// Set up afresh on every opening; it suggests the last choice of any slot.
TEST_F(MainWindowTest, TheFileDialog)
{
    ASSERT_TRUE(Start());
    Choose(0, kGreen);
    t.CommonDialog1.CancelError = false;
    t.CommonDialog1.Filter = "*.*";
    t.CommonDialog1.InitDir = "C:\\";
    Choose(2, "");  // cancelled
    Choose(1, kRed);
    ASSERT_EQ(p.dialogs.size(), 3u);
    for (const CommonDialog& d : p.dialogs) {
        EXPECT_TRUE(d.CancelError);
        EXPECT_EQ(Str(d.Filter), kFilter);
        EXPECT_EQ(Str(d.InitDir), "C:\\PLUMWICK");
    }
    EXPECT_EQ(Str(p.dialogs[0].FileName), "");
    EXPECT_EQ(Str(p.dialogs[1].FileName), kGreen);
    EXPECT_EQ(Str(p.dialogs[2].FileName), kGreen);
}

class CancelledChoice : public MainWindowTest, public ::testing::WithParamInterface<bool> {};

// A cancel, or a choice that fails to be stored, changes nothing and says
// nothing, though the dialog still holds another slot's choice.
TEST_P(CancelledChoice, ChangesNothing)
{
    const bool storingFails = GetParam();
    ASSERT_TRUE(Start());
    Choose(0, kGreen);
    const int draws = Draws(0);
    if (storingFails) p.failOn(Op::SetCaption, "red", kErrDeviceIO);
    Choose(1, storingFails ? kRed : "");
    EXPECT_EQ(Chosen(1), "");
    EXPECT_EQ(Draws(0), draws);
    EXPECT_EQ(Draws(1), 1);
    EXPECT_TRUE(p.boxes.empty());
    EXPECT_FALSE(p.ended);
}

INSTANTIATE_TEST_SUITE_P(Cases, CancelledChoice, ::testing::Bool());

TEST_F(MainWindowTest, ChoosingStoresThePathEnablesOkAndRedrawsEverySlotWithAChoice)
{
    ASSERT_TRUE(Start());
    Choose(1, kGreen);
    EXPECT_EQ(Chosen(1), kGreen);
    EXPECT_TRUE(OkEnabled());
    EXPECT_EQ(Shown(1), kGreenColour);
    EXPECT_EQ(Draws(0), 1) << "slots without a choice keep their preview";
    EXPECT_EQ(Draws(2), 1);
    Choose(2, kRed);
    Choose(0, kRed);
    EXPECT_EQ(Draws(0), 2);
    EXPECT_EQ(Draws(1), 4);
    EXPECT_EQ(Draws(2), 3);
    EXPECT_EQ(Shown(1), kGreenColour);
    EXPECT_EQ(Shown(2), kRedColour);
    EXPECT_TRUE(p.boxes.empty());
}

// Whatever its size, a picture fills the whole preview without a word.
TEST_F(MainWindowTest, AnySizeFillsThePreview)
{
    ASSERT_TRUE(Start());
    for (auto [w, h] : {std::pair{640, 400}, std::pair{1, 1}, std::pair{3, 700}, std::pair{2000, 2}}) {
        const std::string path = "C:\\PICS\\" + std::to_string(w) + "x" + std::to_string(h) + ".bmp";
        p.addFile(path, Logo(0x336699 + w, w, h));
        Choose(2, path);
        EXPECT_EQ(Shown(2), 0x336699u + w) << path;
    }
    EXPECT_TRUE(p.boxes.empty());
}

// Quadrants of a logo land in the same quadrants of its preview.
TEST_F(MainWindowTest, PreviewIsUprightAndNotMirrored)
{
    auto quadrant = [](bool top, bool left) -> uint32_t {
        return top ? (left ? 0xFF0000 : 0x00FF00) : (left ? 0x0000FF : 0xFFFFFF);
    };
    p.addFile("C:\\PICS\\quarters.bmp",
              MakeBitmap(320, 400, [&](int32_t x, int32_t y) { return quadrant(y < 200, x < 160); }));
    ASSERT_TRUE(Start());
    Choose(0, "C:\\PICS\\quarters.bmp");
    const FakePlatform::Picture& d = Preview(0).drawn;
    ASSERT_EQ(d.bgr.size(), 96u * 60 * 3);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 96; ++x) {
            const uint8_t* px = &d.bgr[(size_t(y) * 96 + x) * 3];
            ASSERT_EQ(uint32_t(px[2]) << 16 | px[1] << 8 | px[0], quadrant(y < 30, x < 48)) << x << "," << y;
        }
}

struct BadChoiceCase {
    const char* name;
    const char* path;
    std::optional<std::string> content;  // nullopt: no such file
    int number;
};

class BadChoice : public MainWindowTest, public ::testing::WithParamInterface<BadChoiceCase> {};

// Reported in every run until a file that loads is chosen, and the run
// goes on; the choice stays, and so does the old preview. OK is enabled
// before the run starts.
TEST_P(BadChoice, OneMessagePerRunAndTheOtherSlotsArePreviewed)
{
    const BadChoiceCase& c = GetParam();
    if (c.content) p.addFile(c.path, *c.content);
    ASSERT_TRUE(Start());
    std::vector<bool> okAtBox;
    p.onMessageBox = [&](const FakePlatform::MessageBoxCall&) { okAtBox.push_back(OkEnabled()); };
    Choose(0, c.path);
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].text, Description(c.number, c.path));
    EXPECT_EQ(p.boxes[0].title, kPreviewTitle);
    EXPECT_EQ(p.boxes[0].icon, Icon::Critical);
    EXPECT_EQ(p.boxes[0].buttons, Buttons::Ok);
    EXPECT_EQ(okAtBox, std::vector<bool>{true});
    EXPECT_EQ(Chosen(0), c.path);
    EXPECT_EQ(Draws(0), 1);
    EXPECT_EQ(Shown(0), kLogo0);

    Choose(2, kRed);
    EXPECT_EQ(p.boxes.size(), 2u);
    EXPECT_EQ(Shown(2), kRedColour);
    EXPECT_FALSE(p.ended);
    Choose(0, kGreen);
    EXPECT_EQ(p.boxes.size(), 2u);
    EXPECT_EQ(Shown(0), kGreenColour);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadChoice,
    ::testing::Values(BadChoiceCase{"missing_file", kGone, std::nullopt, kErrFileNotFound},
                      BadChoiceCase{"missing_folder", "C:\\NOWHERE\\logo.bmp", std::nullopt, kErrPathNotFound},
                      BadChoiceCase{"cut_short", "C:\\PICS\\cut.bmp", Logo(0x123456, 320, 400).substr(0, 5000),
                                    kErrInvalidPicture}),
    CaseName());

TEST_F(MainWindowTest, ABadChoiceCanStillBeApplied)
{
    p.addFile("C:\\PICS\\notes.bmp", "not a picture");
    ASSERT_TRUE(Start());
    Choose(1, "C:\\PICS\\notes.bmp");
    EXPECT_FALSE(Click(cmdOK));
    EXPECT_EQ(p.bytes(kLive1), "not a picture");
}

}  // namespace
