#include "tool_test.h"

#include <fstream>
#include <iterator>

#include "picture/make_logo.h"

namespace {

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
        // clang-format off
    } cases[] = {
        {96, 96, 1023, 767, "", nullptr, nullptr, {339, 256, 340, 256}},  {120, 120, 1025, 769, "", nullptr, nullptr, {298, 229, 425, 320}},
        {96, 96, 300, 200, "", nullptr, nullptr, {0, 0, 340, 256}},       {96, 120, 1024, 768, "", nullptr, nullptr, {339, 228, 340, 320}},
        {96, 96, 1024, 768, "Wendrop1", "\t+9000abc", " 4500.7", {600, 300, 340, 256}}, {96, 120, 1024, 768, "Wendrop1", "9000", "4500", {600, 375, 340, 320}},
        {96, 96, 1024, 768, "Wendrop1", "32767", "-32768", {684, 0, 340, 256}}, {96, 96, 1024, 768, "Wendrop1", "32768", "-15", {339, 0, 340, 256}},
        {96, 96, 1024, 768, "Wendrop1", "abc", "", {339, 257, 340, 256}}, {96, 96, 1024, 768, "Other", "9000", "4500", {339, 257, 340, 256}},
        {96, 96, 1024, 768, "Wendrop1", "14760", "11145", {984, 743, 340, 256}}, {96, 96, 1024, 768, "Wendrop1", "14775", "11160", {684, 512, 340, 256}},
        {96, 96, 1024, 768, "Wendrop1", "-4620", "0", {-308, 0, 340, 256}},   {96, 96, 1024, 768, "Wendrop1", "-4635", "0", {0, 0, 340, 256}},
    };
    // clang-format on
    for (const auto& c : cases) {
        p.screenInfo = {c.dpiX, c.dpiY, c.width, c.height, 25};
        p.profile.clear();
        if (c.left) p.writeProfileString(c.section, kLeft, c.left, kSettings), p.writeProfileString(c.section, kTop, c.top, kSettings);
        ASSERT_TRUE(Start());
        EXPECT_EQ(Rect(Window().outer), std::vector<int32_t>(c.want, c.want + 4)) << c.dpiX << " " << c.width << " " << (c.left ? c.left : "");
        const FakePlatform::Picture& drawn = Ctl(MainControl::Preview + 2).drawn;
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
        // clang-format off
    } cases[] = {{MainControl::CancelButton, 96, 96, 600, 300, "9000 4500", 340, 256}, {-1, 120, 120, 600, 300, "7200 3600", 425, 320},
                 {MainControl::CancelButton, 96, 120, 600, 300, "9000 3600", 340, 320}, {MainControl::OkButton, 96, 96, -10, 0, "-150 0", 340, 256}};
    // clang-format on
    for (const auto& c : cases) {
        p.screenInfo = {c.dpiX, c.dpiY, 1024, 768, 25};
        ASSERT_TRUE(Start());
        (void)SetChoice(State(), 1, kPicked, true);
        Window().outer.left = c.left, Window().outer.top = c.top;
        EXPECT_FALSE(Run([&] { c.control < 0 ? (void)p.unloadForm(State().form) : Window().events->Click(c.control); }));
        EXPECT_EQ(p.bytes(kLive1), c.control == MainControl::OkButton ? kNew : kOld1);
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
    p.failOn(FakePlatform::Op::ReadFile, "logow.sys", number);
    p.answers = {answer};
    EXPECT_EQ(Start(), opens);
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(std::make_tuple(p.boxes[0].text, p.boxes[0].title, p.boxes[0].buttons, p.boxes[0].icon),
              std::make_tuple(Says(number, kLive1) + (asks ? kContinue : ""), std::string("Plumwick"), asks ? Buttons::YesNo : Buttons::Ok,
                              asks ? Icon::Question : Icon::Critical));
    EXPECT_EQ(Window().shown, opens);
    EXPECT_EQ(Draws(), std::vector<int>({1, 0, opens ? 1 : 0}));
    EXPECT_EQ(Stored(kLeft), "(none)") << "no place is written while opening";
}

INSTANTIATE_TEST_SUITE_P(Cases, OpeningFailure,
                         ::testing::Values(std::pair{int(kErrFileNotFound), Answer::Yes}, std::pair{int(kErrPathFileAccess), Answer::Yes},
                                           std::pair{int(kErrPathNotFound), Answer::Yes}, std::pair{int(kErrInvalidPicture), Answer::No},
                                           std::pair{int(kErrDeviceIO), Answer::Ok}),
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
    EXPECT_FALSE(Ctl(MainControl::OkButton).enabled);
    p.remove(kLive0);
    for (uint32_t shown : {kDefaultRgb, kDefaultRgb, 0x445566u}) {
        if (shown == 0x445566)
            p.remove(kLive0), p.addFile("C:\\LOGO.SYS", Flat(shown), FakePlatform::kHidden | FakePlatform::kSystem | FakePlatform::kReadOnly);
        ASSERT_TRUE(Start());
        EXPECT_EQ(Shown(0), shown);
        p.addFolder(kLive0);
    }
    EXPECT_TRUE(p.boxes.empty());
}

// A choice enables OK and previews its slot, whatever the picture's size; a
// cancel, or a choice that fails to be stored, changes nothing and says
// nothing. The dialog is set up afresh on every opening and
// suggests the last choice of any slot, which a cancel in another slot does
// not make that slot's choice.
TEST_F(ToolTest, ChoosingPreviewsTheChoice)
{
    ASSERT_TRUE(Start());
    State().request.filter = "*.*", State().request.folder = "C:\\";
    Choose(1, kPicked);
    const OpenFileRequest& d = p.requests.at(0);  // 画像 (...)|..., all four kinds first
    EXPECT_EQ(std::make_tuple(Str(d.filter).substr(0, 81), Str(d.folder), Str(d.chosen)),
              std::make_tuple("\x89\xE6\x91\x9C (*.bmp;*.jpg;*.png;*.gif)|*.bmp;*.dib;*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.gif|", "C:\\PLUMWICK", ""));
    EXPECT_TRUE(Chosen(1) == kPicked && Ctl(MainControl::OkButton).enabled);
    EXPECT_EQ(Shown(1), kPickedRgb);
    EXPECT_EQ(Draws(), std::vector<int>({1, 2, 1}));
    for (auto [w, h] : {std::pair{320, 400}, std::pair{1, 1}, std::pair{3, 700}, std::pair{2000, 2}}) {
        p.addFile("C:\\PICS\\" + std::to_string(w) + ".bmp", Flat(0x336699 + w, w, h));
        Choose(2, "C:\\PICS\\" + std::to_string(w) + ".bmp");
        EXPECT_EQ(Shown(2), 0x336699u + w) << w;
    }
    Choose(0, "");
    EXPECT_EQ(Str(p.requests.back().chosen), "C:\\PICS\\2000.bmp");
    EXPECT_EQ(Chosen(0), "");
    p.failOn(FakePlatform::Op::SetCaption, "green", kErrDeviceIO), p.addFile("C:\\PICS\\green.bmp", LogoShaped(0, 0));
    Choose(0, "C:\\PICS\\green.bmp");
    EXPECT_EQ(Chosen(0), "");
    EXPECT_EQ(Shown(0), kLogo0) << "the preview goes back";
    EXPECT_EQ(Draws(), std::vector<int>({3, 2, 5}));
    EXPECT_EQ(p.boxes.size(), 5u);  // whether to make a logo of each bitmap, answered No
    for (const auto& box : p.boxes) EXPECT_EQ(box.icon, Icon::Question);
}

// A file that is no picture is refused when it is chosen, with why: the
// row, its preview and OK keep what they had, and OK applies what the rows
// show. A bitmap kept as it is after No to the offer is installed only on
// the user's word, asked once for all such files, No unless answered.
TEST_F(ToolTest, WhatIsChosenIsJudgedAndOkAppliesWhatTheRowsShow)
{
    const std::string logo = "C:\\PICS\\logo.bmp", kept = "\r\n\r\nThe logo keeps the file it had.";
    p.acp = 1252;
    p.addFile(logo, LogoShaped(0, 0)), p.addFile("C:\\PICS\\notes.bmp", "just some notes"), p.addFolder("C:\\PICS\\folder.bmp");
    p.addFile("C:\\PICS\\cut.bmp", Flat(0x123456, 320, 400).substr(0, 5000));
    p.addFile("C:\\PICS\\cut.gif", std::string("GIF89a\2\0\2\0", 10));
    std::ifstream large(PLUMWICK_TEST_PICTURES "/large-progressive.jpg", std::ios::binary);
    p.addFile("C:\\PICS\\large.jpg", std::string(std::istreambuf_iterator<char>(large), {}));
    ASSERT_TRUE(Start());
    Choose(1, logo);
    for (auto [path, why] : {std::pair{"C:\\PICS\\notes.bmp", "This file is not a picture the tool reads (BMP, JPEG, PNG or GIF)."},
                             {"C:\\PICS\\cut.bmp", "This bitmap is damaged, or of a kind Windows does not read."},
                             {"C:\\PICS\\cut.gif", "This picture is damaged or cut short, or of a kind the tool does not read (a CMYK JPEG, say)."},
                             {"C:\\PICS\\large.jpg",
                              "Progressive JPEGs, interlaced PNGs and GIFs are read whole, and this one has more than 4 million "
                              "pixels, more than the tool takes. Save it smaller, or as a baseline JPEG or a PNG that is not interlaced."},
                             {"C:\\PICS\\folder.bmp", "This is a folder, not a file."},
                             {"C:\\PICS\\gone.bmp", "File not found."}}) {
        p.boxes.clear();
        Choose(1, path);
        ASSERT_EQ(p.boxes.size(), 1u) << path;
        EXPECT_EQ(std::make_tuple(p.boxes[0].text, p.boxes[0].title, p.boxes[0].icon),
                  std::make_tuple(std::string(path) + "\r\n\r\n" + why + kept, "Plumwick", Icon::Critical));
        EXPECT_EQ(Chosen(1), logo);
    }
    EXPECT_EQ(Draws(), std::vector<int>({1, 2, 1}));
    Choose(2, kPicked, Answer::No);
    const std::string asked =
        "Windows does not show these files as logos:\r\nC:\\PICS\\picked.bmp\r\n\r\nWindows shows a logo "
        "only if it is an uncompressed bitmap of 320 x 400 pixels with 256 colours.\r\n\r\nUse them all the same?";
    for (Answer answer : {Answer::No, Answer::Yes}) {
        p.boxes.clear(), p.answers = {answer};
        EXPECT_EQ(Click(MainControl::OkButton), answer == Answer::No);
        ASSERT_EQ(p.boxes.size(), 1u);
        EXPECT_EQ(std::make_tuple(p.boxes[0].text, p.boxes[0].buttons, p.boxes[0].icon), std::make_tuple(asked, Buttons::YesNoDefaultNo, Icon::Question));
        ExpectLive(kOld0, answer == Answer::No ? kOld1 : LogoShaped(0, 0), answer == Answer::No ? kOld2 : kNew);
    }
}

// A file dropped on a slot's row or preview is chosen for that slot as in
// its dialog: judged, offered to be made a logo of, or refused with why.
// Several files, or a drop beside the rows, are told where one goes.
TEST_F(ToolTest, ADroppedFileIsChosenForTheSlotItLandsOn)
{
    using namespace MainControl;
    const std::string logo = "C:\\PICS\\logo.bmp", notes = "C:\\PICS\\notes.bmp";
    const std::string where = "Drop one file at a time, on a logo's row or its preview.";
    p.acp = 1252;
    p.addFile(logo, LogoShaped(0, 0)), p.addFile(notes, "just some notes");
    const struct {
        int control;
        uint32_t count;
        std::string file, chosen[3], box;
        Icon icon;
    } cases[] = {
        {Preview + 2, 1, logo, {"", "", logo}, "", Icon::Information},
        {SlotName + 0, 1, kPicked, {kPicked, "", ""}, "This picture is 2 x 2, 24-bit colour...", Icon::Question},
        {ChosenPath + 1, 1, notes, {"", "", ""}, notes + "\r\n\r\nThis file is not a picture the tool reads (BMP, JPEG, PNG or GIF)...", Icon::Critical},
        {PreviewTitle + 1, 2, logo, {"", "", ""}, where, Icon::Information},
        {FormatNote, 1, logo, {"", "", ""}, where, Icon::Information},
        {kNoControl, 1, logo, {"", "", ""}, where, Icon::Information},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Start());
        p.boxes.clear(), p.answers = {Answer::No};
        ASSERT_TRUE(Run([&] { Window().events->FilesDropped(c.control, c.count, Text(c.file.c_str())); }));
        EXPECT_EQ(std::vector<std::string>({Chosen(0), Chosen(1), Chosen(2)}), std::vector<std::string>(c.chosen, c.chosen + 3)) << c.control;
        ASSERT_EQ(p.boxes.size(), c.box.empty() ? 0u : 1u) << c.control;
        if (c.box.empty()) continue;
        // a trailing "..." for only the beginning
        const size_t shown = c.box.compare(c.box.size() - 3, 3, "...") == 0 ? c.box.size() - 3 : std::string::npos;
        EXPECT_EQ(p.boxes[0].text.substr(0, shown), c.box.substr(0, shown)) << c.control;
        EXPECT_EQ(p.boxes[0].icon, c.icon) << c.control;
    }
}

// A bitmap Windows would not show as a logo may become one: Yes writes the
// logo into the Logos folder, never over a file, and chooses it; No, or a
// copy that cannot be made, keeps the chosen file. A logo asks nothing.
TEST_F(ToolTest, ALogoIsMadeWhereItIsChosen)
{
    p.acp = 1252;
    p.addFile("C:\\PICS\\logo.bmp", LogoShaped(0, 0));
    p.addFile("C:\\PICS\\big.bmp", Flat(0x808080, 640, 480));
    const struct {
        const char* file;
        Answer answer;
        bool asks;
        const char* chosen;
        // clang-format off
    } cases[] = {
        {"C:\\PICS\\big.bmp", Answer::No, true, "C:\\PICS\\big.bmp"},     {"C:\\PICS\\big.bmp", Answer::Yes, true, "C:\\PLUMWICK\\Logos\\big.bmp"},
        {kPicked, Answer::Yes, true, "C:\\PLUMWICK\\Logos\\picked.bmp"}, {"C:\\PICS\\big.bmp", Answer::Yes, true, "C:\\PLUMWICK\\Logos\\big-2.bmp"},
        {"C:\\PICS\\logo.bmp", Answer::Yes, false, "C:\\PICS\\logo.bmp"},
    };
    // clang-format on
    ASSERT_TRUE(Start());
    p.addFolder("C:\\PLUMWICK", FakePlatform::kReadOnly);
    Choose(1, "C:\\PICS\\big.bmp", Answer::Yes);
    ASSERT_EQ(p.boxes.size(), 2u);
    EXPECT_EQ(p.boxes[0].text,
              "This picture is 640 x 480, 24-bit colour.\r\nWindows shows a logo only if it is an uncompressed bitmap of "
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
    EXPECT_TRUE(p.writtenBusy.size() == 3 && !p.busy) << "the wait cursor while each copy is made";
    const std::string made = p.bytes("C:\\PLUMWICK\\Logos\\big-2.bmp");
    MemorySource source = SourceOf(made);
    EXPECT_TRUE(made.size() == 129078 && IsLogoShaped(source));
    EXPECT_EQ(p.bytes("C:\\PLUMWICK\\Logos\\big.bmp"), made);
}

// A band that moves is offered for the start-up logo alone, after the
// offer to make it, No unless answered: the copy made with it turns in the
// preview as Windows will turn it, and OK installs that very copy.
TEST_F(ToolTest, TheStartUpSlotAloneOffersAMovingBand)
{
    p.acp = 1252;
    p.addFile("C:\\PICS\\big.bmp", Flat(0x808080, 640, 480));
    ASSERT_TRUE(Start());
    const struct {
        int slot;
        std::vector<Answer> answers;
        const char* chosen;
        size_t boxes;
        uint32_t turning;  // the copy's biClrImportant
    } cases[] = {
        {1, {Answer::Yes}, "C:\\PLUMWICK\\Logos\\big.bmp", 1, 0},
        {0, {Answer::Yes, Answer::No}, "C:\\PLUMWICK\\Logos\\big-2.bmp", 2, 0},
        {0, {Answer::Yes, Answer::Yes}, "C:\\PLUMWICK\\Logos\\big-3.bmp", 2, 224},
    };
    for (const auto& c : cases) {
        p.boxes.clear(), p.fileChoices = {"C:\\PICS\\big.bmp"}, p.answers = c.answers;
        Click(MainControl::ChooseButton + c.slot);
        EXPECT_EQ(std::make_tuple(Chosen(c.slot), p.boxes.size()), std::make_tuple(c.chosen, c.boxes));
        const std::string made = p.bytes(c.chosen);
        EXPECT_EQ(ColourCycleStart(Data(made), uint32_t(made.size())), c.turning);
    }
    EXPECT_EQ(std::make_tuple(p.boxes[1].text, p.boxes[1].buttons),
              std::make_tuple("Add a band along the bottom that moves while Windows starts, as in Windows' own logo?\r\n\r\n"
                              "Its colours come from the picture, which keeps the rest of the logo. The preview shows it move.",
                              Buttons::YesNoDefaultNo));
    EXPECT_EQ(p.timer, 150u) << "the preview turns";
    EXPECT_FALSE(Click(MainControl::OkButton)) << "OK ends the tool";
    EXPECT_EQ(Read(p, kLive0), p.bytes("C:\\PLUMWICK\\Logos\\big-3.bmp"));
}

// The start-up logo's preview turns as Windows turns it: the entries from
// its biClrImportant on move one place each timer step, entry i showing the
// colour of entry i + 1 (the last, that of the first), the entries below
// stand still, and a choice for another slot neither stops it nor turns
// that slot.
TEST_F(ToolTest, TheStartUpLogoPreviewCyclesItsColours)
{
    std::vector<uint32_t> greys(256);
    for (uint32_t i = 0; i < 256; ++i) greys[i] = i == 255 ? 0x0000FF : i * 0x010101;
    p.addFile(kLive0, LogoFile(
                          greys, [](int32_t x, int32_t) { return x < 160 ? 10u : 253u; }, 253));  // left half still
    p.addFile("C:\\PICS\\other.bmp", LogoShaped(253, 0xFF0000)), p.addFile("C:\\PICS\\flat.bmp", LogoShaped(0, 0x0000FF));
    ASSERT_TRUE(Start());
    EXPECT_EQ(p.timer, 150u);
    auto at = [&](int x) {
        const uint8_t* px = &Ctl(MainControl::Preview).drawn.bgr[(30 * 96 + x) * 3];
        return uint32_t(px[2]) << 16 | px[1] << 8 | px[0];
    };
    std::vector<uint32_t> left, right;
    for (int step = 0; step < 4; ++step) {
        if (step == 2) Choose(1, "C:\\PICS\\other.bmp");
        Window().events->Timer(), left.push_back(at(10)), right.push_back(at(80));
    }
    EXPECT_EQ(right, std::vector<uint32_t>({0xFEFEFE, 0x0000FF, 0xFDFDFD, 0xFEFEFE}));
    EXPECT_EQ(left, std::vector<uint32_t>(4, 0x0A0A0A));
    EXPECT_EQ(Draws(), std::vector<int>({5, 2, 1}));
    Choose(0, "C:\\PICS\\flat.bmp");
    EXPECT_EQ(p.timer, 0u);
    Window().events->Timer();
    Choose(0, "C:\\PICS\\other.bmp");
    EXPECT_EQ(p.timer, 150u);
    Window().events->Timer();
    EXPECT_EQ(Shown(0), 0xFEFEFEu);
    EXPECT_EQ(Draws(), std::vector<int>({8, 2, 1}));
}

// The question names what the picture is, in the user's words.
TEST_F(ToolTest, TheOfferToMakeALogoDescribesThePicture)
{
    const struct {
        BitmapPlan plan;
        const char* said;
        // clang-format off
    } cases[] = {
        {BitmapPlan(7, 5, 1), "7 x 5, 2 colours"},
        {BitmapPlan(7, 5, 4), "7 x 5, 16 colours"},
        {BitmapPlan(640, 480, 8), "640 x 480, 256 colours"},
        {BitmapPlan(3, 2, 32), "3 x 2, 32-bit colour"},
    };
    // clang-format on
    p.acp = 1252;
    ASSERT_TRUE(Start());
    for (const auto& c : cases) {
        p.addFile("C:\\PICS\\any.bmp", BuildBitmap(c.plan)), p.boxes.clear();
        Choose(1, "C:\\PICS\\any.bmp");
        EXPECT_EQ(p.boxes.at(0).text.substr(0, p.boxes.at(0).text.find('\r')), std::string("This picture is ") + c.said + ".");
    }
    BitmapPlan rle(4, 1, 8);
    rle.compression = 1, rle.raw = {4, 7, 0, 1};
    p.addFile("C:\\PICS\\any.bmp", BuildBitmap(rle)), p.boxes.clear();
    Choose(1, "C:\\PICS\\any.bmp");
    EXPECT_EQ(p.boxes.at(0).text.substr(0, p.boxes.at(0).text.find('\r')), "This picture is 4 x 1, 256 colours, compressed.");
}

}  // namespace
