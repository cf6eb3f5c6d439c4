#include <climits>
#include <string>

#include "../../src/main_window/main_window.h"
#include "../../src/platform/units.h"
#include "tool_fixture.h"

namespace {

TEST(TextTest, JoinsCopiesComparesAndCutsWholeByteStrings)
{
    const Text dir("C:\\PLUMWICK");
    Text joined = dir + "\\BakLog";
    joined += Text();
    EXPECT_EQ(Str(joined), "C:\\PLUMWICK\\BakLog");
    EXPECT_EQ(Str(dir), "C:\\PLUMWICK");
    // NUL and Shift-JIS bytes ("ソ" ends in 0x5C) are kept as they are.
    EXPECT_EQ(Str(Text("ab\0c", 4) + "\x83\x5C"), std::string("ab\0c\x83\x5C", 6));

    Text copy(joined), assigned;
    assigned = joined;
    joined = Text("other");
    copy += "x";
    EXPECT_EQ(Str(copy), "C:\\PLUMWICK\\BakLogx");
    EXPECT_EQ(Str(assigned), "C:\\PLUMWICK\\BakLog");

    EXPECT_TRUE(Text("logo.sys") == Text("logo.sys"));
    EXPECT_FALSE(Text("logo.sys") == Text("logo.syz"));
    EXPECT_FALSE(Text("logo.sys") == Text("logo.sy"));

    EXPECT_EQ(Str(Text("C:\\WINDOWS").left(3)), "C:\\");
    EXPECT_EQ(Str(Text("D:").left(3)), "D:");
    EXPECT_EQ(Str(Text("C:\\WINDOWS").left(0)), "");
}

TEST(TextTest, NumberIsPlainDecimal)
{
    const std::pair<int32_t, const char*> cases[] = {
        {0, "0"}, {10, "10"}, {-15, "-15"}, {9000, "9000"}, {INT32_MAX, "2147483647"}, {INT32_MIN, "-2147483648"},
    };
    for (auto [value, text] : cases) EXPECT_EQ(Str(Text::number(value)), text);
}

TEST(TextTest, FoldsOnlyAsciiLetters)
{
    const struct {
        std::string text;
        const char* ascii;
        bool equal;
    } cases[] = {
        {"baklog", "BakLog", true}, {"BAKLOG", "BakLog", true}, {"", "", true},
        {"BakLo", "BakLog", false}, {"BakLogs", "BakLog", false}, {"BakLug", "BakLog", false},
        // Neighbours of the letters differ by the case bit too.
        {"@", "`", false}, {"[", "{", false}, {"\\", "|", false},
        // A double-byte character never equals ASCII: "ア" is 0x83 0x41.
        {"\x83\x41", "aA", false}, {"\x83\x5C", "\x83\x5C", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(c.text.c_str(), c.text.size()).equalsAsciiIgnoringCase(c.ascii), c.equal) << c.text;
}

TEST(UnitsTest, RoundHalfEven)
{
    const int32_t cases[][3] = {
        {0, 7, 0},   {1, 2, 0},   {3, 2, 2},   {5, 2, 2},    {-1, 2, 0},   {-3, 2, -2}, {-5, 2, -2},
        {7, 3, 2},   {8, 3, 3},   {-7, 3, -2}, {-8, 3, -3},  {49, 100, 0}, {51, 100, 1}, {-51, 100, -1},
    };
    for (auto [n, d, expected] : cases) EXPECT_EQ(RoundHalfEven(n, d), expected) << n << "/" << d;
}

TEST(UnitsTest, Conversions)
{
    for (auto [dpi, twips] : {std::pair{96, 15}, {120, 12}, {144, 10}, {100, 14}, {192, 8}, {87, 17}})
        EXPECT_EQ(TwipsPerPixel(dpi), twips) << dpi;
    // pixels, dpi, twips
    const int32_t toTwips[][3] = {{600, 96, 9000}, {340, 120, 4080}, {-10, 96, -150}, {-5, 120, -60},
                                  {1, 100, 14},    {3, 100, 43}};
    for (auto [px, dpi, twips] : toTwips) EXPECT_EQ(PixelsToTwips(px, dpi), twips) << px << " at " << dpi;
    const int32_t toPixels[][3] = {{750, 120, 9000}, {-1, 96, -15}, {0, 96, 7},      {1, 96, 8},
                                   {-1, 96, -8},     {0, 48, 15},   {2, 48, 45},     {-2185, 96, -32768}};
    for (auto [px, dpi, twips] : toPixels) EXPECT_EQ(TwipsToPixels(twips, dpi), px) << twips << " at " << dpi;
    EXPECT_TRUE(FitsInt16(32767) && FitsInt16(-32768));
    EXPECT_FALSE(FitsInt16(32768) || FitsInt16(-32769));
}

TEST(UnitsTest, PixelsSurviveTheTripThroughTwips)
{
    for (int32_t dpi : {72, 96, 100, 120, 144, 192})
        for (int32_t px = -2200; px <= 2200; ++px)
            ASSERT_EQ(TwipsToPixels(PixelsToTwips(px, dpi), dpi), px) << px << " px at " << dpi << " dpi";
}

TEST(UnitsTest, CentredTwipsIsHalfTheRoomTowardZero)
{
    // screen, window, dpi, twips
    const int32_t cases[][4] = {
        {1024, 344, 96, 5100}, {1024, 345, 96, 5092}, {1280, 430, 120, 5100},
        {300, 361, 96, -457},  // -457.5 goes to -457
        {300, 360, 96, -450},
    };
    for (auto [screen, window, dpi, twips] : cases) EXPECT_EQ(CentredTwips(screen, window, dpi), twips);
}

// What the tool writes is accepted; anything else leaves the caller's
// default alone.
TEST(SettingsTest, StoredPositionAcceptsOnlyWhatTheToolWrites)
{
    const struct {
        std::string text;
        bool accepted;
        int32_t value;
    } cases[] = {
        {"9000", true, 9000},     {"-15", true, -15},     {"0009000", true, 9000},
        {"32767", true, 32767},   {"-32768", true, -32768},
        {"32768", false, 0},      {"-32769", false, 0},   {"99999999999", false, 0},
        {"4294967296", false, 0},  // wraps to 0 in 32 bits
        {"", false, 0},           {"-", false, 0},        {"12a", false, 0},
        {" 5", false, 0},         {"+5", false, 0},       {"--5", false, 0},
        {std::string("90\0" "00", 5), false, 0},
    };
    for (const auto& c : cases) {
        int32_t value = 12345;
        EXPECT_EQ(ParseStoredPosition(Text(c.text.c_str(), c.text.size()), &value), c.accepted) << c.text;
        EXPECT_EQ(value, c.accepted ? c.value : 12345) << c.text;
    }
}

TEST(ErrTest, DescriptionPutsThePathOnALineOfItsOwn)
{
    // "ファイルが見つかりません。" in Shift-JIS.
    const std::string notFound =
        "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";
    EXPECT_EQ(Str(Err(kErrFileNotFound, "C:\\\x83\x5C.bmp").description()), notFound + "\r\nC:\\\x83\x5C.bmp");
    EXPECT_EQ(Str(Err(kErrFileNotFound).description()), notFound);
}

TEST(ErrTest, EveryNumberTheToolRaisesHasADescriptionOfItsOwn)
{
    const int numbers[] = {kErrInvalidCall,     kErrOverflow,     kErrOutOfMemory,  kErrBadFileName,
                           kErrFileNotFound,    kErrDeviceIO,     kErrFileExists,   kErrDiskFull,
                           kErrPermissionDenied, kErrDiskNotReady, kErrPathFileAccess, kErrPathNotFound,
                           kErrInvalidPicture,  kErrCancelled,    0};
    for (int a : numbers)
        for (int b : numbers)
            if (a != b) {
                EXPECT_STRNE(ErrorDescription(a), ErrorDescription(b)) << a << " vs " << b;
            }
}

// Only these are asked about at the opening; everything else ends the tool.
TEST(ErrTest, FileErrors)
{
    for (int n : {kErrFileNotFound, kErrPathFileAccess, kErrPathNotFound, kErrInvalidPicture})
        EXPECT_TRUE(IsFileError(Err(n))) << n;
    const int others[] = {0, kErrOverflow, kErrOutOfMemory, kErrDeviceIO, kErrPermissionDenied, kErrCancelled};
    for (int n : others) EXPECT_FALSE(IsFileError(Err(n))) << n;
}

}  // namespace
