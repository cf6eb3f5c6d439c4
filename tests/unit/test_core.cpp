#include <gtest/gtest.h>

#include <climits>

#include "fake_platform.h"
#include "picture/area_average.h"
#include "picture/bitmap_check.h"
#include "text/units.h"
#include "ui/main_window/main_window.h"

namespace {

using Pixels = std::vector<uint8_t>;  // three bytes a pixel, top row first

// Rows top first, whole; bottom first; and in pieces of one pixel: the
// same result every way, or "differ".
Pixels Resample(const Pixels& src, int32_t sw, int32_t sh, int32_t dw, int32_t dh)
{
    Pixels results[3];
    for (int way = 0; way < 3; ++way) {
        Pixels& out = results[way];
        out.assign(size_t(dw) * dh * 3, 0xEE);
        AreaAverage average(sw, sh, dw, dh, way == 1, out.data(), dw * 3);
        EXPECT_TRUE(average.ready());
        for (int32_t i = 0; i < sh; ++i) {
            const uint8_t* row = src.data() + size_t(way == 1 ? sh - 1 - i : i) * sw * 3;
            for (int32_t x = 0; way == 2 && x < sw; ++x) average.add(row + x * 3, 1);
            if (way != 2) average.add(row, uint32_t(sw));
            average.endRow();
        }
    }
    return results[1] == results[0] && results[2] == results[0] ? results[0] : Pixels{'d', 'i', 'f', 'f', 'e', 'r'};
}

Pixels Grey(std::initializer_list<int> values)
{
    Pixels p;
    for (int v : values) p.insert(p.end(), 3, uint8_t(v));
    return p;
}

TEST(AreaAverageTest, SmallCasesWorkedByHand)
{
    const struct {
        int32_t sw, sh, dw, dh;
        Pixels source, expected;
    } cases[] = {
        {2, 2, 1, 1, Grey({10, 20, 30, 40}), Grey({25})},
        {3, 1, 2, 1, Grey({0, 90, 180}), Grey({30, 150})},  // (0 * 2 + 90) / 3, (90 + 180 * 2) / 3
        {1, 3, 1, 2, Grey({0, 90, 180}), Grey({30, 150})},
        {3, 3, 2, 2, Grey({0, 0, 0, 0, 180, 0, 0, 0, 0}), Grey({20, 20, 20, 20})},  // 180 / 4 / 2.25
        {2, 1, 1, 1, Grey({0, 1}), Grey({1})},                                      // a half rounds up
        {2, 1, 3, 1, Grey({10, 40}), Grey({10, 25, 40})},
        {2, 2, 1, 1, {0, 10, 200, 20, 30, 0, 40, 50, 100, 60, 70, 255}, {30, 40, 139}},  // channels apart
    };
    for (const auto& c : cases) EXPECT_EQ(Resample(c.source, c.sw, c.sh, c.dw, c.dh), c.expected) << c.sw << "x" << c.sh << " to " << c.dw;
}

// The sums hold 255 times the largest source area without wrapping, in 32
// bits and past them.
TEST(AreaAverageTest, LargestPicturesStayWhite)
{
    for (auto [w, h] : {std::pair{int32_t(kMaxPictureWidth), 1}, std::pair{4097, 4097}, std::pair{1, 1 << 24}}) {
        Pixels out(96 * 60 * 3), row(size_t(w) * 3, 255);
        AreaAverage average(w, h, 96, 60, false, out.data(), 96 * 3);
        for (int32_t y = 0; y < h; ++y) average.add(row.data(), uint32_t(w)), average.endRow();
        EXPECT_EQ(out, Pixels(96 * 60 * 3, 255)) << w << "x" << h;
    }
}

TEST(AreaAverageTest, AcceptsOnlySizesItsSumsHold)
{
    const int32_t widest = int32_t(kMaxPictureWidth);
    // sw, sh, dw, dh, accepted; 65536 x 65536 is one pixel more than 32 bits count
    const int32_t cases[][5] = {{1, 1, 96, 60, 1},         {0, 400, 96, 60, 0},        {320, -400, 96, 60, 0},    {320, 400, 0, 60, 0},
                                {widest, 1, 96, 60, 1},    {widest + 1, 1, 96, 60, 0}, {1, INT32_MAX, 96, 60, 1}, {65536, 65535, 96, 60, 1},
                                {65536, 65536, 96, 60, 0}, {1, 1, 4097, 1, 0},         {1, 1, 1, 4097, 0}};
    for (auto [sw, sh, dw, dh, accepted] : cases) {
        EXPECT_EQ(AreaAverage::accepts(sw, sh, dw, dh), bool(accepted)) << sw << "x" << sh;
        uint8_t out[3];
        EXPECT_EQ(AreaAverage(sw, sh, dw, dh, false, out, 3).ready(), bool(accepted)) << sw << "x" << sh;
    }
}

// Only ASCII letters fold: their neighbours differ by the case bit too, and a
// double-byte character never equals ASCII.
TEST(TextTest, FoldsOnlyAsciiLetters)
{
    for (auto [text, ascii, equal] : {std::tuple{"BAKLOG", "BakLog", true}, {"BakLogs", "BakLog", false}, {"[", "{", false}, {"\x83\x41", "aA", false}})
        EXPECT_EQ(Text(text).equalsAsciiIgnoringCase(ascii), equal) << text;
    EXPECT_TRUE(Text("D:").left(3) == "D:" && Text().left(3).empty());  // the boot root of a short Windows folder
}

TEST(UnitsTest, HalvesGoToEvenAndPixelsSurviveTwips)
{
    const int32_t halves[][3] = {{1, 2, 0}, {3, 2, 2}, {5, 2, 2}, {-1, 2, 0}, {-3, 2, -2}, {-7, 3, -2}, {-8, 3, -3}};
    for (auto [n, d, want] : halves) EXPECT_EQ(RoundHalfEven(n, d), want) << n << "/" << d;
    for (int32_t dpi : {72, 96, 100, 120, 144})  // a window stays where it was across a restart
        for (int32_t px = -2200; px <= 2200; ++px) ASSERT_EQ(TwipsToPixels(PixelsToTwips(px, dpi), dpi), px);
    EXPECT_TRUE(FitsInt16(32767) && FitsInt16(-32768) && !FitsInt16(32768) && !FitsInt16(-32769));
}

// Read as the profile reading reads a number: blanks, a sign, the leading
// digits; no digits, or a number past 16 bits, leaves the default alone.
TEST(SettingsTest, StoredPositionIsReadAsTheProfileReadingDoes)
{
    // clang-format off
    const std::pair<std::string, int32_t> cases[] = {  // 12345: refused
        {"9000", 9000}, {"-15", -15}, {"0009000", 9000}, {"32767", 32767}, {"-32768", -32768}, {"8654.4", 8654},
        {"9000abc", 9000}, {" 5", 5}, {"+5", 5}, {" \t-7x", -7}, {std::string("90\0" "00", 5), 90},
        {"32768", 12345}, {"-32769", 12345}, {"4294967296", 12345}, {"", 12345}, {"-", 12345}, {"+-5", 12345}, {"x5", 12345}};
    // clang-format on
    for (const auto& [text, want] : cases) {
        int32_t value = 12345;
        EXPECT_EQ(ParseStoredPosition(Text(text.c_str(), text.size()), &value), want != 12345) << text;
        EXPECT_EQ(value, want) << text;
    }
}

// Every text in both languages: English in plain ASCII, the Japanese texts
// as the tool has always shown them; the system's code page picks one.
TEST(TextsTest, EveryTextInBothLanguages)
{
    for (int id = 0; id < kTextCount; ++id) {
        ASSERT_TRUE(kJapaneseTexts[id] && kEnglishTexts[id]) << id;
        EXPECT_EQ(*kEnglishTexts[id] == 0, id == kTxtEmpty) << id;
        for (const char* c = kEnglishTexts[id]; *c; ++c) EXPECT_TRUE((*c >= ' ' && *c <= '~') || *c == '\r' || *c == '\n') << id;
    }
    const std::pair<TextId, const char*> japanese[] = {
        {kTxtGoOn, "\x91\xB1\x82\xAF\x82\xDC\x82\xB7\x82\xA9\x81\x48"},  // 続けますか？
        {kTxtCancel, "\xB7\xAC\xDD\xBE\xD9"},                            // ｷｬﾝｾﾙ
        {kTxtErrFileNotFound, "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42"}};
    for (auto [id, bytes] : japanese) EXPECT_STREQ(kJapaneseTexts[id], bytes) << id;
    for (auto [codePage, language] : {std::pair{932u, Language::Japanese}, {1252u, Language::English}, {437u, Language::English}, {850u, Language::English}})
        EXPECT_EQ(LanguageForCodePage(codePage), language) << codePage;
}

TEST(ErrTest, TheDescriptionNamesThePath)
{
    UseLanguage(Language::Japanese);
    // ファイルが見つかりません。, then the path on a line of its own
    const std::string notFound = "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";
    EXPECT_EQ(Str(Err(kErrFileNotFound, "C:\\\x83\x5C.bmp").description()), notFound + "\r\nC:\\\x83\x5C.bmp");
    EXPECT_EQ(Str(Err(kErrFileNotFound).description()), notFound);
}

}  // namespace
