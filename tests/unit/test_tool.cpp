#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

#include "ui/help_window/help_window.h"
#include "main.h"
#include "ui/error_styles.h"
#include "logo_files/apply.h"
#include "picture/make_logo.h"
#include "logo_files/slots.h"
#include "logo_files/startup.h"
#include "ui/main_window/main_window_controls.h"
#include "../fake/fake_platform.h"

namespace {

using namespace Form1;
using Contents = std::optional<std::string>;  // nullopt: no such file

// A small picture whose colour tells which file it came from.
std::string Logo(uint32_t rgb, int32_t width = 2, int32_t height = 2) { return MakeBitmap(width, height, [rgb](int32_t, int32_t) { return rgb; }); }

// A file laid out as Windows shows a logo: every pixel is entry 254; entry i
// is grey i but entry 255 is `last`; entries from `firstCycled` on turn.
std::string LogoShaped(uint8_t firstCycled, uint32_t last)
{
    std::string f(1078, '\0');
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) f[at + i] = char(v >> 8 * i);
    };
    f[0] = 'B', f[1] = 'M';
    put(2, 129078), put(10, 1078), put(14, 40), put(18, 320), put(22, 400), put(26, 1 | 8 << 16), put(50, firstCycled);
    for (uint32_t i = 0; i < 256; ++i) put(54 + 4 * i, i == 255 ? last : i * 0x010101);
    return f + std::string(128000, '\xFE');
}

const char *const kLive0 = "C:\\logo.sys", *const kLive1 = "C:\\WINDOWS\\logow.sys", *const kLive2 = "C:\\WINDOWS\\logos.sys";
const char* const kBackup0 = "C:\\PLUMWICK\\BakLog\\logo.sys";
const char *const kBackup1 = "C:\\PLUMWICK\\BakLog\\logow.sys", *const kBackup2 = "C:\\PLUMWICK\\BakLog\\logos.sys";
const char *const kDefault = "C:\\PLUMWICK\\DfltLogo.sys", *const kMarker = "C:\\PLUMWICK\\dfltlogo.sys";
const char *const kSettings = "C:\\PLUMWICK\\Wendrop1.vrx", *const kPicked = "C:\\PICS\\picked.bmp";
const char *const kLeft = "\x8B\x4E\x93\xAE\x8E\x9E\x82\xCC" "Left", *const kTop = "\x8B\x4E\x93\xAE\x8E\x9E\x82\xCC" "Top";  // 起動時の
const char* const kLive[] = {kLive0, kLive1, kLive2};
constexpr uint32_t kLogo0 = 0x100000, kLogo1 = 0x200000, kLogo2 = 0x300000, kDefaultRgb = 0x0000FF, kPickedRgb = 0x00FF00;
const std::string kOld0 = Logo(kLogo0), kOld1 = Logo(kLogo1), kOld2 = Logo(kLogo2), kNew = Logo(kPickedRgb);
const std::string kContinue = "\r\n\x91\xB1\x82\xAF\x82\xDC\x82\xB7\x82\xA9\x81\x48";  // 続けますか？
const std::string kPreviewTitle =  // ダメェ～、ちゃんとしてネ。
    "\x83\x5F\x83\x81\x83\x46\x81\x60\x81\x41\x82\xBF\x82\xE1\x82\xF1\x82\xC6\x82\xB5\x82\xC4\x83\x6C\x81\x42";

// The message a failure shows: its description, the path on a line of its own.
std::string Says(int number, const char* path = "") { return Str(Err(number, path).description()); }
Contents Read(const FakePlatform& p, const std::string& path) { return p.exists(path) ? Contents(p.bytes(path)) : std::nullopt; }
std::vector<int32_t> Rect(const PixelRect& r) { return {r.left, r.top, r.width, r.height}; }
bool NoTemporaryFiles(const FakePlatform& p)
{
    for (const auto& [folded, e] : p.files)
        if (folded.find(".pwn") != std::string::npos || folded.find(".pwo") != std::string::npos) return false;
    return true;
}

// A machine with the three live logos, the default picture, a picked file and the tool.
class ToolTest : public ::testing::Test {
protected:
    FakePlatform p;
    Tool t{p};

    void SetUp() override
    {
        UseLanguage(Language::Japanese);
        p.addFile(kLive0, kOld0), p.addFile(kLive1, kOld1), p.addFile(kLive2, kOld2), p.addFile(kDefault, Logo(kDefaultRgb));
        p.addFolder("C:\\PICS"), p.addFile(kPicked, kNew);
    }
    template <typename F>
    bool Run(F&& f)  // false if the tool ended in f
    {
        try {
            f();
            return true;
        } catch (const FakeEnded&) {
            return false;
        }
    }
    bool Start() { return Run([&] { Main(t); }); }
    FakePlatform::Form& Window() { return p.forms.at(t.mainWindow); }
    FakePlatform::Control& Ctl(int index) { return p.control(t.mainWindow, index); }
    std::string Chosen(int slot) { return Ctl(lblLogo(slot)).caption; }
    bool Click(int control) { return Run([&] { Window().events->Click(control); }); }
    void Choose(int slot, const std::string& path, Answer make = Answer::No) { p.fileChoices = {path}, p.answers = {make}, Click(cmdSansyou(slot)); }
    std::string Stored(const char* key)
    {
        Text value;
        return p.readProfileString("Wendrop1", key, kSettings, &value) ? Str(value) : "(none)";
    }
    bool Apply(const char* a, const char* b, const char* c)
    {
        const Text chosen[] = {a, b, c};
        return Run([&] { ShowAndEnd(t, ApplyLogos(t, chosen)); });
    }
    void ExpectLive(Contents a, Contents b, Contents c)
    {
        EXPECT_EQ(std::make_tuple(Read(p, kLive0), Read(p, kLive1), Read(p, kLive2)), std::make_tuple(a, b, c));
        EXPECT_TRUE(NoTemporaryFiles(p));
    }
    std::vector<int> Draws() { return {Ctl(picPreView(0)).draws, Ctl(picPreView(1)).draws, Ctl(picPreView(2)).draws}; }
    uint32_t Shown(int slot)  // the colour of a 96 x 60 preview all of one colour
    {
        const FakePlatform::Picture& d = Ctl(picPreView(slot)).drawn;
        for (size_t i = 3; i < d.bgr.size(); ++i)
            if (d.bgr[i] != d.bgr[i % 3]) return 0xFFFFFFFF;
        return d.width != 96 || d.height != 60 ? 0xFFFFFFFF : uint32_t(d.bgr[2]) << 16 | d.bgr[1] << 8 | d.bgr[0];
    }
    bool SourcesEmpty() { return Ctl(picMoto(0)).picture.bgr.empty() && Ctl(picMoto(1)).picture.bgr.empty() && Ctl(picMoto(2)).picture.bgr.empty(); }
};

TEST_F(ToolTest, SecondCopyEndsBeforeTouchingAnything)
{
    p.otherCopy = true;
    EXPECT_FALSE(Start());
    EXPECT_TRUE(p.calls == 0 && p.forms.empty());
}

// The first start keeps the three logos, a concealed logo.sys too, each whole
// or not at all, and tells once which could not be kept; later starts never
// touch the backups, whatever the folder's name or attributes.
TEST_F(ToolTest, BackupsAreMadeOnTheFirstStartOnly)
{
    p.remove(kLive0), p.addFile("C:\\LOGO.SYS", kOld0, FakePlatform::kHidden | FakePlatform::kSystem | FakePlatform::kReadOnly);
    p.failOn(FakePlatform::Op::CopyFile, "BakLog\\logow.pwn", kErrDiskFull);
    p.acp = 1252;
    ASSERT_TRUE(Start());
    EXPECT_EQ(std::make_tuple(Read(p, kBackup0), Read(p, kBackup1), Read(p, kBackup2)), std::make_tuple(Contents(kOld0), Contents(), Contents(kOld2)));
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(std::make_tuple(p.boxes[0].text, p.boxes[0].title, p.boxes[0].buttons, p.boxes[0].icon),
              std::make_tuple("These logos could not be saved in the BakLog folder:\r\nC:\\WINDOWS\\logow.sys\r\n\r\nDisk full.\r\n\r\n"
                              "Default cannot bring them back.", "Plumwick", Buttons::Ok, Icon::Critical));
    p.boxes.clear();
    p.addFile(kLive2, kNew), p.remove(kBackup2), p.addFolder("C:\\PLUMWICK\\BAKLOG");
    ASSERT_TRUE(Start());
    EXPECT_FALSE(p.exists(kBackup2));
    p.addFolder("C:\\PLUMWICK\\baklog", FakePlatform::kHidden), p.addFile(kBackup1, "kept1"), p.addFile(kBackup2, "kept2");
    ASSERT_TRUE(Start());
    EXPECT_EQ(std::make_tuple(Read(p, kBackup0), Read(p, kBackup1), Read(p, kBackup2)), std::make_tuple(Contents(kOld0), Contents("kept1"), Contents("kept2")));
    EXPECT_TRUE(NoTemporaryFiles(p) && p.boxes.empty());
    // A read-only folder; a file in the backup folder's place. Logos that do
    // not exist are not missed; then the opening asks about them.
    const char* const told = "These logos could not be saved in the BakLog folder:\r\nC:\\WINDOWS\\logow.sys\r\n\r\n"
                             "Path/File access error.\r\n\r\nDefault cannot bring them back.";
    for (auto [path, attrs, first] : {std::tuple{"C:\\PLUMWICK", FakePlatform::kFolder | FakePlatform::kReadOnly, told},
                                      {"C:\\PLUMWICK\\BakLog", 0u, "File not found.\r\nC:\\PLUMWICK\\DfltLogo.sys\r\nContinue?"}}) {
        FakePlatform q;
        q.addFile(path, "", attrs), q.addFile(kLive1, kOld1), q.acp = 1252;
        Tool tq(q);
        Main(tq);
        EXPECT_TRUE(!q.exists(kBackup1) && q.forms.at(tq.mainWindow).shown);
        EXPECT_EQ(q.boxes.at(0).text, first);
    }
}

// Only the marker's own spelling removes the start-up logo; the default
// picture is a file like any other, and so is a live logo itself.
TEST_F(ToolTest, ApplyReplacesExactlyTheChosenSlots)
{
    const struct {
        const char* chosen[3];
        Contents expected[3];  // each live file afterwards
    } cases[] = {
        {{"", "", ""}, {kOld0, kOld1, kOld2}},          {{"C:\\logo.sys", "C:\\windows\\LOGOW.SYS", ""}, {kOld0, kOld1, kOld2}},
        {{"", kBackup1, kBackup2}, {kOld0, kOld1, kOld2}}, {{"", kPicked, ""}, {kOld0, kNew, kOld2}},
        {{kDefault, "", ""}, {Logo(kDefaultRgb), kNew, kOld2}}, {{kMarker, "", ""}, {std::nullopt, kNew, kOld2}},
        {{kPicked, kPicked, kPicked}, {kNew, kNew, kNew}},
    };
    ASSERT_TRUE(Start());
    for (const auto& c : cases) {
        EXPECT_TRUE(Apply(c.chosen[0], c.chosen[1], c.chosen[2]));
        ExpectLive(c.expected[0], c.expected[1], c.expected[2]);
    }
    EXPECT_TRUE(Window().loaded && p.profile.empty());
    EXPECT_TRUE(p.boxes.empty());
}

// Windows shows a hidden, system or read-only logo all the same: it is
// replaced or removed like any other, by a plain copy of itself if chosen.
TEST_F(ToolTest, ApplyToAConcealedStartUpLogo)
{
    const unsigned all = FakePlatform::kHidden | FakePlatform::kSystem | FakePlatform::kReadOnly;
    ASSERT_TRUE(Start());
    for (auto [chosen, left] : {std::pair{"C:\\logo.sys", Contents(kOld0)}, {kPicked, Contents(kNew)}, {kMarker, Contents()}}) {
        p.remove(kLive0), p.addFile("C:\\LOGO.SYS", kOld0, all);
        EXPECT_TRUE(Apply(chosen, "", ""));
        EXPECT_EQ(Read(p, kLive0), left);
        EXPECT_EQ(p.exists(kLive0) ? p.entry(kLive0)->attrs : 0, 0u) << chosen;
    }
    EXPECT_TRUE(p.boxes.empty());
}

// The first failure stops the run with the earlier slots applied and names
// the live logo, not a temporary file; the window is not closed.
TEST_F(ToolTest, AFailureStopsTheApplyAtItsSlot)
{
    ASSERT_TRUE(Start());
    EXPECT_FALSE(Apply(kPicked, "C:\\PICS\\gone.bmp", kPicked));
    ExpectLive(kNew, kOld1, kOld2);
    EXPECT_EQ(std::make_tuple(p.boxes.at(0).text, p.boxes.at(0).title), std::make_tuple(Says(kErrFileNotFound, "C:\\PICS\\gone.bmp"), "Plumwick"));
    EXPECT_TRUE(p.profile.empty());
    p.failOn(FakePlatform::Op::CopyFile, "logow.pwn", kErrDiskFull);
    EXPECT_FALSE(Apply("", kPicked, ""));
    ExpectLive(kNew, kOld1, kOld2);
    EXPECT_EQ(p.boxes.at(1).text, Says(kErrDiskFull, kLive1));
}

// A run cut off half way may leave the replaced logo under its temporary
// name: it is put back first, unless a new logo already stands there.
TEST_F(ToolTest, WhatACrashLeftIsCleanedUpFirst)
{
    ASSERT_TRUE(Start());
    p.addFile("C:\\WINDOWS\\logow.pwo", "the logo before"), p.remove(kLive2);
    p.addFile("C:\\WINDOWS\\logos.pwo", kOld2), p.addFile("C:\\WINDOWS\\logos.pwn", "half a file");
    p.failOn(FakePlatform::Op::CopyFile, "logos.pwn", kErrPathFileAccess);
    EXPECT_FALSE(Apply("", kPicked, kPicked));
    ExpectLive(kOld0, kNew, kOld2);
}

// Every backup is checked before anything is touched. Restoring keeps the
// window open and names the defaults as the choices; a backup folder of an
// older version, without logo.sys, removes the start-up logo.
TEST_F(ToolTest, RestorePutsTheBackupsBack)
{
    ASSERT_TRUE(Start());
    p.addFile(kLive0, kNew), p.addFile(kLive1, Logo(0x222222));
    for (const char* missing : {kBackup1, kBackup2}) {
        const std::string backup = p.bytes(missing);
        p.remove(missing);
        EXPECT_FALSE(Click(cmdDflt));
        ExpectLive(kNew, Logo(0x222222), kOld2);
        EXPECT_EQ(p.boxes.back().text, Says(kErrFileNotFound, missing));
        p.addFile(missing, backup);
    }
    EXPECT_EQ(Chosen(1), "");
    ASSERT_TRUE(Click(cmdDflt));
    ExpectLive(kOld0, kOld1, kOld2);
    EXPECT_EQ(Chosen(0) + Chosen(1) + Chosen(2), std::string(kBackup0) + kBackup1 + kBackup2);
    p.remove(kBackup0);
    ASSERT_TRUE(Click(cmdDflt));
    ExpectLive(std::nullopt, kOld1, kOld2);
    EXPECT_EQ(Chosen(0), kMarker);
    EXPECT_TRUE(Ctl(cmdOK).enabled && Window().loaded);
    p.addFile(kBackup0, kOld0), p.addFile(kLive1, kNew);
    p.failOn(FakePlatform::Op::CheckReadable, "BakLog\\logo.sys", kErrPermissionDenied);
    EXPECT_FALSE(Click(cmdDflt));
    ExpectLive(std::nullopt, kNew, kOld2);
    EXPECT_EQ(p.boxes.back().text, Says(kErrPermissionDenied, kBackup0));
}

// Every failable call that applying or restoring makes is made to fail in
// turn; each live logo must then hold its old or its new content, whole.
TEST(FaultInjection, EveryFailingCallLeavesEachLogoOldOrNewAndNoTemporaryFile)
{
    const unsigned kConcealed = FakePlatform::kHidden | FakePlatform::kReadOnly, kNone = 99;  // kNone: no start-up logo
    const struct {
        bool restore;
        const char* chosen[3];
        unsigned attrs0;
    } scenarios[] = {
        {false, {kPicked, kPicked, kPicked}, 0},  {false, {kMarker, kPicked, ""}, 0},    {false, {kPicked, "", ""}, kConcealed},
        {false, {kPicked, "", kPicked}, kNone},   {false, {"", kBackup1, kBackup2}, 0},  {false, {"C:\\logo.sys", kPicked, ""}, 0},
        {true, {kBackup0, kBackup1, kBackup2}, 0}, {true, {kBackup0, kBackup1, kBackup2}, FakePlatform::kSystem},
        {true, {kMarker, kBackup1, kBackup2}, kNone},     {true, {kMarker, kBackup1, kBackup2}, 0},  // a backup folder without logo.sys
    };
    long injected = 0, survived = 0;
    for (const auto& s : scenarios) {
        for (long k = 1;; ++k) {
            FakePlatform p;
            if (s.attrs0 != kNone) p.addFile("C:\\LOGO.SYS", kOld0, s.attrs0);
            p.addFile(kLive1, kOld1), p.addFile(kLive2, kOld2), p.addFolder("C:\\PICS"), p.addFile(kPicked, kNew);
            Tool t(p);
            Main(t);
            p.addFile(kBackup1, kNew + "1"), p.addFile(kBackup2, kNew + "2");
            p.remove(kBackup0);
            if (s.attrs0 != kNone && s.chosen[0] != std::string(kMarker)) p.addFile(kBackup0, kNew + "0");
            Contents old[3] = {Read(p, kLive0), kOld1, kOld2}, fresh[3];
            for (int slot = 0; slot < 3; ++slot) {
                const std::string chosen = s.chosen[slot];
                fresh[slot] = chosen.empty() || FakePlatform::Fold(chosen) == FakePlatform::Fold(kLive[slot]) ? old[slot]
                            : chosen == kMarker ? std::nullopt : Read(p, chosen);
            }
            p.failCall(p.calls + k, kErrDeviceIO);
            try {
                Text chosen[] = {s.chosen[0], s.chosen[1], s.chosen[2]};
                ShowAndEnd(t, s.restore ? RestoreDefaultLogos(t, chosen) : ApplyLogos(t, chosen));
            } catch (const FakeEnded&) {
            }
            bool whole = NoTemporaryFiles(p) && Read(p, kBackup1) == kNew + "1";
            for (int slot = 0; slot < 3; ++slot)
                whole = whole && (Read(p, kLive[slot]) == fresh[slot] || (p.injected && Read(p, kLive[slot]) == old[slot]));
            EXPECT_TRUE(whole) << "scenario " << &s - scenarios << ": a logo, a backup or a temporary file is wrong after fault " << k;
            if (!p.injected) break;
            ++injected, survived += whole;
        }
    }
    std::printf("fault injection: %ld faults injected, files survived %ld\n", injected, survived);
    EXPECT_EQ(survived, injected);
    EXPECT_GT(injected, 200);
}

// 340 x 256 pixels at 96 dpi, scaled at others, and so are the previews. A
// stored place is used as it is unless the title bar would be out of reach
// (25 pixels high, 32 of its width wanted): then the window comes wholly onto
// the screen. Without one, or with a value the profile reading finds no
// number in, the window is centred by the size it loaded with (345 x 254 at
// 96 dpi, 430 x 311 at 120). No message either way.
TEST_F(ToolTest, WindowPlaceIsStoredOrCentred)
{
    const struct {
        int32_t dpiX, dpiY, width, height;
        const char *section, *left, *top;  // stored values, if any
        int32_t want[4];
    } cases[] = {
        {96, 96, 1023, 767, "", nullptr, nullptr, {339, 256, 340, 256}},  {120, 120, 1025, 769, "", nullptr, nullptr, {298, 229, 425, 320}},
        {96, 96, 300, 200, "", nullptr, nullptr, {0, 0, 340, 256}},       {96, 120, 1024, 768, "", nullptr, nullptr, {339, 228, 340, 320}},
        {96, 96, 1024, 768, "Wendrop1", "\t+9000abc", " 4500.7", {600, 300, 340, 256}}, {96, 120, 1024, 768, "Wendrop1", "9000", "4500", {600, 375, 340, 320}},
        {96, 96, 1024, 768, "Wendrop1", "32767", "-32768", {684, 0, 340, 256}}, {96, 96, 1024, 768, "Wendrop1", "32768", "-15", {339, 0, 340, 256}},
        {96, 96, 1024, 768, "Wendrop1", "abc", "", {339, 257, 340, 256}}, {96, 96, 1024, 768, "Other", "9000", "4500", {339, 257, 340, 256}},
        {96, 96, 1024, 768, "Wendrop1", "14760", "11145", {984, 743, 340, 256}}, {96, 96, 1024, 768, "Wendrop1", "14775", "11160", {684, 512, 340, 256}},
        {96, 96, 1024, 768, "Wendrop1", "-4620", "0", {-308, 0, 340, 256}},   {96, 96, 1024, 768, "Wendrop1", "-4635", "0", {0, 0, 340, 256}},
    };
    for (const auto& c : cases) {
        p.screenInfo = {c.dpiX, c.dpiY, c.width, c.height, 25};
        p.profile.clear();
        if (c.left) p.writeProfileString(c.section, kLeft, c.left, kSettings), p.writeProfileString(c.section, kTop, c.top, kSettings);
        ASSERT_TRUE(Start());
        EXPECT_EQ(Rect(Window().outer), std::vector<int32_t>(c.want, c.want + 4)) << c.dpiX << " " << c.width << " " << (c.left ? c.left : "");
        const FakePlatform::Picture& drawn = Ctl(picPreView(2)).drawn;
        EXPECT_EQ(std::pair(drawn.width, drawn.height), std::pair(c.dpiX == 120 ? 120 : 96, c.dpiY == 120 ? 75 : 60));
        EXPECT_TRUE(Window().shown);
    }
    EXPECT_TRUE(p.boxes.empty());
}

// Every way out writes the position in twips and ends; only OK applies.
// The next start opens where the window was.
TEST_F(ToolTest, ClosingKeepsThePlace)
{
    const struct {
        int control;  // -1: the close box
        int32_t dpiX, dpiY, left, top;
        const char* stored;
        int32_t width, height;
    } cases[] = {{cmdCancel, 96, 96, 600, 300, "9000 4500", 340, 256}, {-1, 120, 120, 600, 300, "7200 3600", 425, 320},
                 {cmdCancel, 96, 120, 600, 300, "9000 3600", 340, 320}, {cmdOK, 96, 96, -10, 0, "-150 0", 340, 256}};
    for (const auto& c : cases) {
        p.screenInfo = {c.dpiX, c.dpiY, 1024, 768, 25};
        ASSERT_TRUE(Start());
        (void)p.setCaption(t.mainWindow, lblLogo(1), kPicked);
        Window().outer.left = c.left, Window().outer.top = c.top;
        EXPECT_FALSE(Run([&] { c.control < 0 ? (void)p.unloadForm(t.mainWindow) : Window().events->Click(c.control); }));
        EXPECT_EQ(p.bytes(kLive1), c.control == cmdOK ? kNew : kOld1);
        EXPECT_EQ(Stored(kLeft) + " " + Stored(kTop), c.stored);
        ASSERT_TRUE(Start());
        EXPECT_EQ(Rect(Window().outer), std::vector<int32_t>({c.left, c.top, c.width, c.height}));
    }
}

class OpeningFailure : public ToolTest, public ::testing::WithParamInterface<std::pair<int, Answer>> {};

// Loading the shutdown logo fails. A file error asks whether to go on with
// the next step; Yes opens the window as usual, No or any other error ends.
TEST_P(OpeningFailure, AsksOrEnds)
{
    const auto [number, answer] = GetParam();
    const bool asks = answer != Answer::Ok, opens = answer == Answer::Yes;
    p.failOn(FakePlatform::Op::LoadPicture, "logow.sys", number);
    p.answers = {answer};
    EXPECT_EQ(Start(), opens);
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(std::make_tuple(p.boxes[0].text, p.boxes[0].title, p.boxes[0].buttons, p.boxes[0].icon),
              std::make_tuple(Says(number, kLive1) + (asks ? kContinue : ""), std::string("Plumwick"),
                              asks ? Buttons::YesNo : Buttons::Ok, asks ? Icon::Question : Icon::Critical));
    EXPECT_EQ(Window().shown, opens);
    EXPECT_EQ(Draws(), std::vector<int>({1, 0, opens ? 1 : 0}));
    EXPECT_TRUE(p.profile.empty()) << "nothing is written while opening";
}

INSTANTIATE_TEST_SUITE_P(Cases, OpeningFailure,
                         ::testing::Values(std::pair{int(kErrFileNotFound), Answer::Yes}, std::pair{int(kErrPathFileAccess), Answer::Yes},
                                           std::pair{int(kErrInvalidPicture), Answer::No}, std::pair{int(kErrDeviceIO), Answer::Ok}),
                         [](const auto& info) { return "error_" + std::to_string(info.param.first); });

// The installed logos are previewed once; the choices are empty, OK is
// disabled. Windows shows a hidden, system or read-only logo.sys, so the
// first preview does too; without one it shows the default picture.
TEST_F(ToolTest, OpensWithTheInstalledLogos)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(std::vector<uint32_t>({Shown(0), Shown(1), Shown(2)}), std::vector<uint32_t>({kLogo0, kLogo1, kLogo2}));
    EXPECT_EQ(Draws(), std::vector<int>({1, 1, 1}));
    EXPECT_EQ(Chosen(0) + Chosen(1) + Chosen(2), "");
    EXPECT_FALSE(Ctl(cmdOK).enabled);
    EXPECT_TRUE(SourcesEmpty());
    p.remove(kLive0);
    for (uint32_t shown : {kDefaultRgb, kDefaultRgb, 0x445566u}) {
        if (shown == 0x445566) p.remove(kLive0), p.addFile("C:\\LOGO.SYS", Logo(shown), FakePlatform::kHidden | FakePlatform::kSystem | FakePlatform::kReadOnly);
        ASSERT_TRUE(Start());
        EXPECT_EQ(Shown(0), shown);
        p.addFolder(kLive0);
    }
    EXPECT_TRUE(p.boxes.empty());
}

// A choice enables OK and previews every slot with a choice, whatever the
// picture's size; a cancel, or a choice that fails to be stored, changes
// nothing and says nothing. The dialog is set up afresh on every opening and
// suggests the last choice of any slot.
TEST_F(ToolTest, ChoosingPreviewsEverySlotWithAChoice)
{
    ASSERT_TRUE(Start());
    t.CommonDialog1.Filter = "*.*", t.CommonDialog1.InitDir = "C:\\";
    Choose(1, kPicked);
    const CommonDialog& d = p.dialogs.at(0);  // ビットマップ (*.bmp)|*.bmp
    EXPECT_EQ(std::make_tuple(d.CancelError, Str(d.Filter), Str(d.InitDir), Str(d.FileName)),
              std::make_tuple(true, "\x83\x72\x83\x62\x83\x67\x83\x7D\x83\x62\x83\x76 (*.bmp)|*.bmp", "C:\\PLUMWICK", ""));
    EXPECT_TRUE(Chosen(1) == kPicked && Ctl(cmdOK).enabled);
    EXPECT_EQ(Shown(1), kPickedRgb);
    EXPECT_EQ(Draws(), std::vector<int>({1, 2, 1}));
    for (auto [w, h] : {std::pair{320, 400}, std::pair{1, 1}, std::pair{3, 700}, std::pair{2000, 2}}) {
        p.addFile("C:\\PICS\\" + std::to_string(w) + ".bmp", Logo(0x336699 + w, w, h));
        Choose(2, "C:\\PICS\\" + std::to_string(w) + ".bmp");
        EXPECT_EQ(Shown(2), 0x336699u + w) << w;
        EXPECT_TRUE(SourcesEmpty());
    }
    Choose(0, "");
    EXPECT_EQ(Str(p.dialogs.back().FileName), "C:\\PICS\\2000.bmp");
    p.failOn(FakePlatform::Op::SetCaption, "green", kErrDeviceIO);
    Choose(0, "C:\\PICS\\green.bmp");
    EXPECT_EQ(Chosen(0), "");
    EXPECT_EQ(Draws(), std::vector<int>({1, 6, 5}));
    EXPECT_EQ(p.boxes.size(), 5u);  // whether to make a logo of each bitmap, answered No
    for (const auto& box : p.boxes) EXPECT_EQ(box.icon, Icon::Question);
}

// Quadrants of a logo land in the same quadrants of its preview.
TEST_F(ToolTest, PreviewIsUprightAndNotMirrored)
{
    auto quadrant = [](bool top, bool left) -> uint32_t { return top ? (left ? 0xFF0000 : 0x00FF00) : (left ? 0x0000FF : 0xFFFFFF); };
    p.addFile("C:\\PICS\\quarters.bmp", MakeBitmap(320, 400, [&](int32_t x, int32_t y) { return quadrant(y < 200, x < 160); }));
    ASSERT_TRUE(Start());
    Choose(0, "C:\\PICS\\quarters.bmp");
    const std::vector<uint8_t>& d = Ctl(picPreView(0)).drawn.bgr;
    ASSERT_EQ(d.size(), 96u * 60 * 3);
    for (size_t i = 0; i < d.size(); i += 3)
        ASSERT_EQ(uint32_t(d[i + 2]) << 16 | d[i + 1] << 8 | d[i], quadrant(i / 3 / 96 < 30, i / 3 % 96 < 48)) << i / 3;
}

// Reported in every run until a file that loads is chosen, and the run goes
// on; the choice stays, and so does the old preview. OK is enabled before
// the run starts; it refuses a bad choice in any slot before touching a logo.
TEST_F(ToolTest, ABadChoiceIsReportedInEveryRunAndRefused)
{
    const std::string cut = Logo(0x123456, 320, 400).substr(0, 5000), logo = "C:\\PICS\\logo.bmp";
    p.acp = 1252;
    for (auto [path, number] : {std::pair{"C:\\PICS\\gone.bmp", int(kErrFileNotFound)}, std::pair{"C:\\NOWHERE\\logo.bmp", int(kErrPathNotFound)},
                                std::pair{"C:\\PICS\\cut.bmp", int(kErrInvalidPicture)}}) {
        p.addFile("C:\\PICS\\cut.bmp", cut), p.addFile(logo, LogoShaped(0, 0)), p.boxes.clear();
        ASSERT_TRUE(Start());
        std::vector<bool> okAtBox;
        p.onMessageBox = [&] { okAtBox.push_back(Ctl(cmdOK).enabled); };
        Choose(0, path);
        Choose(2, logo);
        ASSERT_EQ(p.boxes.size(), 2u);
        EXPECT_EQ(std::make_tuple(p.boxes[1].text, p.boxes[1].title, p.boxes[1].icon, p.boxes[1].buttons),
                  std::make_tuple(Says(number, path), "Oops! Please check the file", Icon::Critical, Buttons::Ok));
        EXPECT_EQ(okAtBox, std::vector<bool>({true, true}));
        EXPECT_EQ(Draws(), std::vector<int>({1, 1, 2}));
        EXPECT_EQ(Shown(0), kLogo0);
        Choose(0, logo);
        Choose(2, path);
        EXPECT_EQ(p.boxes.size(), 3u);
        EXPECT_TRUE(Click(cmdOK));
        ExpectLive(kOld0, kOld1, kOld2);
        EXPECT_EQ(std::make_tuple(p.boxes.back().text, p.boxes.back().title, p.boxes.back().icon),
                  std::make_tuple(Says(number, path) + "\r\n\r\nNo logo has been changed.", "Plumwick", Icon::Critical));
        EXPECT_TRUE(Chosen(0) + Chosen(2) == logo + path && Window().loaded);
    }
    p.onMessageBox = nullptr, p.remove(kDefault);  // the marker names no picture to load
    (void)p.setCaption(t.mainWindow, lblLogo(2), ""), (void)p.setCaption(t.mainWindow, lblLogo(0), kMarker);
    EXPECT_FALSE(Click(cmdOK));
    ExpectLive(std::nullopt, kOld1, kOld2);
}

// 353 x 256 pixels at 96 dpi, scaled at others, modal over the main window,
// centred by the size it loaded with (361 x 255 at 96 dpi), built afresh each time.
TEST_F(ToolTest, HelpWindow)
{
    const int32_t cases[][8] = {{96, 96, 1024, 768, 331, 256, 353, 256}, {120, 120, 1025, 769, 288, 228, 441, 320},
                                {144, 144, 1600, 1200, 531, 415, 530, 384}, {96, 96, 300, 200, -30, -27, 353, 256},
                                {96, 120, 1024, 768, 331, 228, 353, 320}};
    ASSERT_TRUE(Start());
    std::vector<int32_t> seen;
    p.whileModal = [&](FormHandle f) {
        EXPECT_TRUE(p.forms[f].def == &Form2::kDefinition && p.forms[f].modal && Window().shown);
        seen = Rect(p.forms[f].outer);
    };
    for (auto [dpiX, dpiY, width, height, left, top, w, h] : cases) {
        p.screenInfo = {dpiX, dpiY, width, height, 25};
        EXPECT_TRUE(Click(cmdHint));
        EXPECT_EQ(seen, std::vector<int32_t>({left, top, w, h}));
        EXPECT_FALSE(p.forms.back().loaded);
    }
    EXPECT_EQ(p.forms.size(), 6u);
    EXPECT_TRUE(p.boxes.empty());
}

// A system whose code page is not Japanese gets every text in English, in
// the system's own dialog font; a Japanese one, 9-point Japanese.
TEST_F(ToolTest, TheCodePageChoosesTheLanguage)
{
    p.acp = 1252;
    p.failOn(FakePlatform::Op::LoadPicture, "logow.sys", kErrFileNotFound);
    ASSERT_TRUE(Start());
    EXPECT_EQ(p.boxes.at(0).text, "File not found.\r\nC:\\WINDOWS\\logow.sys\r\nContinue?");
    EXPECT_EQ(Ctl(cmdCancel).caption + "|" + Ctl(cmdDflt).caption, "Cancel|Default");
    EXPECT_EQ(TextFontPoints(), 0);
    p.acp = 932;
    ASSERT_TRUE(Start());
    EXPECT_EQ(Ctl(cmdCancel).caption, "\xB7\xAC\xDD\xBE\xD9");  // ｷｬﾝｾﾙ
    EXPECT_EQ(TextFontPoints(), 9);
}

// No process is left running without a window.
TEST_F(ToolTest, AMainWindowThatCannotBeMadeEndsTheTool)
{
    p.failOn(FakePlatform::Op::Other, "Form1", kErrOutOfMemory);
    EXPECT_FALSE(Start());
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(std::make_tuple(p.boxes[0].text, p.boxes[0].icon), std::make_tuple(Says(kErrOutOfMemory), Icon::Critical));
}

// What a cut-off replace left in any slot is put right before the first previews.
TEST_F(ToolTest, StartRecoversEverySlot)
{
    p.remove(kLive0), p.addFile("C:\\logo.pwo", kOld0), p.addFile("C:\\logo.pwn", "half");
    p.remove(kLive2), p.addFile("C:\\WINDOWS\\logos.pwo", kOld2), p.addFile("C:\\WINDOWS\\logow.pwo", "older");
    ASSERT_TRUE(Start());
    ExpectLive(kOld0, kOld1, kOld2);
    EXPECT_EQ(std::vector<uint32_t>({Shown(0), Shown(1), Shown(2)}), std::vector<uint32_t>({kLogo0, kLogo1, kLogo2}));
    EXPECT_TRUE(p.boxes.empty());
}

// A bitmap Windows would not show as a logo may become one: Yes writes the
// logo into the Logos folder, never over a file, and chooses it; No, or a
// copy that cannot be made, keeps the chosen file. A logo, or a file that is
// no bitmap, asks nothing.
TEST_F(ToolTest, ALogoIsMadeWhereItIsChosen)
{
    p.acp = 1252;
    p.addFile("C:\\PICS\\logo.bmp", LogoShaped(0, 0)), p.addFile("C:\\PICS\\text.bmp", "not a picture");
    p.addFile("C:\\PICS\\big.bmp", Logo(0x808080, 640, 480));
    const struct {
        const char* file;
        Answer answer;
        bool asks;
        const char* chosen;
    } cases[] = {
        {"C:\\PICS\\big.bmp", Answer::No, true, "C:\\PICS\\big.bmp"},     {"C:\\PICS\\big.bmp", Answer::Yes, true, "C:\\PLUMWICK\\Logos\\big.bmp"},
        {kPicked, Answer::Yes, true, "C:\\PLUMWICK\\Logos\\picked.bmp"}, {"C:\\PICS\\big.bmp", Answer::Yes, true, "C:\\PLUMWICK\\Logos\\big-2.bmp"},
        {"C:\\PICS\\logo.bmp", Answer::Yes, false, "C:\\PICS\\logo.bmp"}, {"C:\\PICS\\text.bmp", Answer::Yes, false, "C:\\PICS\\text.bmp"},
    };
    ASSERT_TRUE(Start());
    p.addFolder("C:\\PLUMWICK", FakePlatform::kReadOnly);
    Choose(1, "C:\\PICS\\big.bmp", Answer::Yes);
    ASSERT_EQ(p.boxes.size(), 2u);
    EXPECT_EQ(p.boxes[0].text, "This picture is 640 x 480, 24-bit colour.\r\nWindows shows a logo only if it is an uncompressed bitmap of "
                               "320 x 400 pixels with 256 colours.\r\n\r\nMake a logo of it? The copy goes in the Logos folder and is chosen instead.");
    EXPECT_EQ(std::make_tuple(p.boxes[1].text, p.boxes[1].icon, Chosen(1)),
              std::make_tuple("Path/File access error.\r\nC:\\PLUMWICK\\Logos\r\n\r\nThe logo copy could not be made; the file stays as chosen.",
                              Icon::Critical, "C:\\PICS\\big.bmp"));
    p.addFolder("C:\\PLUMWICK");
    for (const auto& c : cases) {
        p.boxes.clear();
        Choose(1, c.file, c.answer);
        EXPECT_EQ(Chosen(1), c.chosen);
        EXPECT_EQ(!p.boxes.empty() && p.boxes[0].icon == Icon::Question && p.boxes[0].buttons == Buttons::YesNo, c.asks) << c.chosen;
    }
    const std::string made = p.bytes("C:\\PLUMWICK\\Logos\\big-2.bmp");
    EXPECT_TRUE(made.size() == 129078 && IsLogoShaped(reinterpret_cast<const uint8_t*>(made.data()), 129078));
    EXPECT_EQ(p.bytes("C:\\PLUMWICK\\Logos\\big.bmp"), made);
}

// The start-up logo's preview turns as Windows turns it: the entries from
// its biClrImportant on move one place each timer step.
TEST_F(ToolTest, TheStartUpLogoPreviewCyclesItsColours)
{
    p.addFile(kLive0, LogoShaped(254, 0x0000FF)), p.addFile(kLive1, LogoShaped(254, 0x00FF00));
    p.addFile("C:\\PICS\\still.bmp", LogoShaped(254, 0xFEFEFE)), p.addFile("C:\\PICS\\flat.bmp", LogoShaped(0, 0x0000FF));
    ASSERT_TRUE(Start());
    EXPECT_EQ(p.timer, 150u);
    std::vector<uint32_t> seen;
    for (int step = 0; step < 3; ++step) Window().events->Timer(), seen.push_back(Shown(0));
    EXPECT_EQ(seen, std::vector<uint32_t>({0x0000FF, 0xFEFEFE, 0x0000FF}));
    EXPECT_EQ(Draws(), std::vector<int>({4, 1, 1}));
    Choose(0, "C:\\PICS\\flat.bmp");
    EXPECT_EQ(p.timer, 0u);
    Window().events->Timer();
    Choose(1, "C:\\PICS\\still.bmp");  // no other slot turns
    EXPECT_EQ(p.timer, 0u);
    Choose(0, "C:\\PICS\\still.bmp");
    EXPECT_EQ(p.timer, 150u);
    Window().events->Timer();
    EXPECT_EQ(Shown(0), 0xFEFEFEu);
    EXPECT_EQ(Draws(), std::vector<int>({8, 3, 1}));
}

}  // namespace
