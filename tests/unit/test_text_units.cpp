#include <climits>
#include <string>

#include "../../src/main_window/main_window.h"
#include "../../src/platform/units.h"
#include "tool_fixture.h"

namespace {

std::string Bytes(const Text& t) { return std::string(t.c_str(), t.size()); }

TEST(TextTest, JoinsKeepsBothPartsAndLeavesTheOperandsAlone)
{
    const Text dir("C:\\PLUMWICK"), tail("\\BakLog");
    Text joined = dir + tail;
    EXPECT_EQ(Bytes(joined), "C:\\PLUMWICK\\BakLog");
    EXPECT_EQ(Bytes(dir), "C:\\PLUMWICK");
    EXPECT_EQ(Bytes(tail), "\\BakLog");

    Text grown;
    grown += Text();
    EXPECT_TRUE(grown.empty());
    grown += "C:";
    grown += Text();
    grown += "\\";
    EXPECT_EQ(Bytes(grown), "C:\\");
    EXPECT_EQ(grown.size(), 3u);
}

TEST(TextTest, KeepsEmbeddedNulAndShiftJisBytes)
{
    const Text withNul("ab\0cd", 5);
    EXPECT_EQ(withNul.size(), 5u);
    EXPECT_EQ(Bytes(withNul + "e"), std::string("ab\0cde", 6));
    const Text so("\x83\x5C\x83\x74\x83\x67");  // "ソフト": the trail byte 0x5C is not a separator here
    EXPECT_EQ(Bytes(so + "\\x"), "\x83\x5C\x83\x74\x83\x67\\x");
}

TEST(TextTest, CopiesAreIndependent)
{
    Text a("logo.sys");
    Text b(a);
    b += "x";
    Text c;
    c = a;
    a = Text("other");
    EXPECT_EQ(Bytes(b), "logo.sysx");
    EXPECT_EQ(Bytes(c), "logo.sys");
    c = c;
    EXPECT_EQ(Bytes(c), "logo.sys");
}

struct LeftCase {
    const char* name;
    const char* text;
    size_t n;
    const char* expected;
};

class TextLeft : public ::testing::TestWithParam<LeftCase> {};

TEST_P(TextLeft, TakesAtMostNBytes)
{
    const LeftCase& c = GetParam();
    EXPECT_EQ(Bytes(Text(c.text).left(c.n)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextLeft,
                         ::testing::Values(LeftCase{"drive_root", "C:\\WINDOWS", 3, "C:\\"},
                                           LeftCase{"shorter_than_n", "D:", 3, "D:"},
                                           LeftCase{"exact", "D:\\", 3, "D:\\"},
                                           LeftCase{"zero", "C:\\WINDOWS", 0, ""},
                                           LeftCase{"empty", "", 3, ""}),
                         CaseName());

struct NumberCase {
    const char* name;
    int32_t value;
    const char* text;
};

class TextNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TextNumber, DecimalWithMinusAndNoSpace)
{
    EXPECT_EQ(Bytes(Text::number(GetParam().value)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextNumber,
                         ::testing::Values(NumberCase{"zero", 0, "0"}, NumberCase{"one", 1, "1"},
                                           NumberCase{"minus_one", -1, "-1"},
                                           NumberCase{"left_at_600px", 9000, "9000"},
                                           NumberCase{"minus_15", -15, "-15"},
                                           NumberCase{"ten", 10, "10"},
                                           NumberCase{"int16_max", 32767, "32767"},
                                           NumberCase{"int16_min", -32768, "-32768"},
                                           NumberCase{"int32_max", INT32_MAX, "2147483647"},
                                           NumberCase{"int32_min", INT32_MIN, "-2147483648"}),
                         CaseName());

struct FoldCase {
    const char* name;
    std::string text;
    const char* ascii;
    bool equal;
};

class TextFold : public ::testing::TestWithParam<FoldCase> {};

TEST_P(TextFold, FoldsOnlyAsciiLetters)
{
    const FoldCase& c = GetParam();
    EXPECT_EQ(Text(c.text.c_str(), c.text.size()).equalsAsciiIgnoringCase(c.ascii), c.equal);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextFold,
    ::testing::Values(FoldCase{"same", "BakLog", "BakLog", true}, FoldCase{"lower", "baklog", "BakLog", true},
                      FoldCase{"upper", "BAKLOG", "BakLog", true}, FoldCase{"shorter", "BakLo", "BakLog", false},
                      FoldCase{"longer", "BakLogs", "BakLog", false}, FoldCase{"empty", "", "BakLog", false},
                      FoldCase{"both_empty", "", "", true}, FoldCase{"other_letter", "BakLug", "BakLog", false},
                      // Neighbours of the letters differ by the case bit too; they must not fold.
                      FoldCase{"at_and_backquote", "@", "`", false},
                      FoldCase{"brackets", "[", "{", false},
                      FoldCase{"backslash_and_bar", "\\", "|", false},
                      // "ソ" ends in 0x5C, "ア" in 0x41 ('A'): a double-byte name never equals ASCII.
                      FoldCase{"so_against_backslash", "\x83\x5C", "\\", false},
                      FoldCase{"so_ending_a_name", "BakLo\x83\x5C", "BakLog\\", false},
                      FoldCase{"a_katakana_against_letters", "\x83\x41", "aA", false},
                      FoldCase{"so_itself", "\x83\x5C", "\x83\x5C", true}),
    CaseName());

struct RoundCase {
    const char* name;
    int32_t numerator, denominator, expected;
};

class RoundHalfEvenTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEvenTest, NearestAndHalvesToEven)
{
    const RoundCase& c = GetParam();
    EXPECT_EQ(RoundHalfEven(c.numerator, c.denominator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundHalfEvenTest,
    ::testing::Values(RoundCase{"zero", 0, 7, 0}, RoundCase{"whole", 30, 2, 15},
                      RoundCase{"half_to_zero", 1, 2, 0}, RoundCase{"one_and_half_to_two", 3, 2, 2},
                      RoundCase{"two_and_half_to_two", 5, 2, 2}, RoundCase{"three_and_half_to_four", 7, 2, 4},
                      RoundCase{"minus_half_to_zero", -1, 2, 0}, RoundCase{"minus_one_and_half", -3, 2, -2},
                      RoundCase{"minus_two_and_half", -5, 2, -2}, RoundCase{"minus_three_and_half", -7, 2, -4},
                      RoundCase{"third_down", 7, 3, 2}, RoundCase{"two_thirds_up", 8, 3, 3},
                      RoundCase{"minus_third", -7, 3, -2}, RoundCase{"minus_two_thirds", -8, 3, -3},
                      RoundCase{"just_under_half", 49, 100, 0}, RoundCase{"just_over_half", 51, 100, 1},
                      RoundCase{"minus_just_over_half", -51, 100, -1},
                      RoundCase{"twips_at_100dpi", 1440, 100, 14}, RoundCase{"twips_at_192dpi", 1440, 192, 8},
                      RoundCase{"twips_at_160dpi", 1440, 160, 9}),
    CaseName());

struct DpiCase {
    const char* name;
    int32_t dpi, twipsPerPixel;
};

class TwipsPerPixelTest : public ::testing::TestWithParam<DpiCase> {};

TEST_P(TwipsPerPixelTest, RoundedTo16BitWhole)
{
    EXPECT_EQ(TwipsPerPixel(GetParam().dpi), GetParam().twipsPerPixel);
}

INSTANTIATE_TEST_SUITE_P(Cases, TwipsPerPixelTest,
                         ::testing::Values(DpiCase{"small_fonts", 96, 15}, DpiCase{"large_fonts", 120, 12},
                                           DpiCase{"dpi_144", 144, 10}, DpiCase{"dpi_72", 72, 20},
                                           DpiCase{"dpi_100", 100, 14}, DpiCase{"dpi_128", 128, 11}),
                         CaseName());

struct ConvertCase {
    const char* name;
    int32_t pixels, dpi, twips;
};

class PixelsToTwipsTest : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(PixelsToTwipsTest, Converts)
{
    const ConvertCase& c = GetParam();
    EXPECT_EQ(PixelsToTwips(c.pixels, c.dpi), c.twips);
}

INSTANTIATE_TEST_SUITE_P(Cases, PixelsToTwipsTest,
                         ::testing::Values(ConvertCase{"left_600_at_96", 600, 96, 9000},
                                           ConvertCase{"window_width_at_96", 340, 96, 5100},
                                           ConvertCase{"window_width_at_120", 340, 120, 4080},
                                           ConvertCase{"window_height_at_120", 256, 120, 3072},
                                           ConvertCase{"negative", -10, 96, -150},
                                           ConvertCase{"negative_at_120", -5, 120, -60},
                                           ConvertCase{"fraction_down", 1, 100, 14},
                                           ConvertCase{"fraction_up", 3, 100, 43}, ConvertCase{"zero", 0, 96, 0}),
                         CaseName());

class TwipsToPixelsTest : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(TwipsToPixelsTest, Converts)
{
    const ConvertCase& c = GetParam();
    EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(Cases, TwipsToPixelsTest,
                         ::testing::Values(ConvertCase{"left_9000_at_96", 600, 96, 9000},
                                           ConvertCase{"left_9000_at_120", 750, 120, 9000},
                                           ConvertCase{"minus_15_at_96", -1, 96, -15},
                                           ConvertCase{"just_under_half", 0, 96, 7},
                                           ConvertCase{"just_over_half", 1, 96, 8},
                                           ConvertCase{"minus_just_over_half", -1, 96, -8},
                                           ConvertCase{"half_to_even_zero", 0, 48, 15},
                                           ConvertCase{"one_and_half_to_two", 2, 48, 45},
                                           ConvertCase{"int16_max_at_96", 2184, 96, 32767},
                                           ConvertCase{"int16_min_at_96", -2185, 96, -32768}),
                         CaseName());

TEST(UnitsTest, PixelsSurviveTheTripThroughTwips)
{
    for (int32_t dpi : {72, 96, 100, 120, 144, 192})
        for (int32_t px = -2200; px <= 2200; ++px)
            ASSERT_EQ(TwipsToPixels(PixelsToTwips(px, dpi), dpi), px) << px << " px at " << dpi << " dpi";
}

struct CentreCase {
    const char* name;
    int32_t screen, window, dpi, twips;
};

class CentredTwipsTest : public ::testing::TestWithParam<CentreCase> {};

TEST_P(CentredTwipsTest, HalfTheRoomTowardZero)
{
    const CentreCase& c = GetParam();
    EXPECT_EQ(CentredTwips(c.screen, c.window, c.dpi), c.twips);
}

INSTANTIATE_TEST_SUITE_P(Cases, CentredTwipsTest,
                         ::testing::Values(CentreCase{"even_room", 1024, 344, 96, 5100},
                                           CentreCase{"odd_room_drops_half", 1024, 345, 96, 5092},
                                           CentreCase{"large_fonts", 1280, 430, 120, 5100},
                                           CentreCase{"no_room", 340, 340, 96, 0},
                                           // -457.5 goes to -457, not -458.
                                           CentreCase{"negative_toward_zero", 300, 361, 96, -457},
                                           CentreCase{"negative_even", 300, 360, 96, -450}),
                         CaseName());

struct FitsCase {
    const char* name;
    int32_t value;
    bool fits;
};

class FitsInt16Test : public ::testing::TestWithParam<FitsCase> {};

TEST_P(FitsInt16Test, Limits) { EXPECT_EQ(FitsInt16(GetParam().value), GetParam().fits); }

INSTANTIATE_TEST_SUITE_P(Cases, FitsInt16Test,
                         ::testing::Values(FitsCase{"max", 32767, true}, FitsCase{"over_max", 32768, false},
                                           FitsCase{"min", -32768, true}, FitsCase{"under_min", -32769, false},
                                           FitsCase{"zero", 0, true}, FitsCase{"int32_min", INT32_MIN, false}),
                         CaseName());

struct StoredCase {
    const char* name;
    std::string text;
    bool accepted;
    int32_t value;
};

class StoredPosition : public ::testing::TestWithParam<StoredCase> {};

// Refused text must leave the value alone: the caller starts it at the
// centred default.
TEST_P(StoredPosition, AcceptsOnlyWhatTheToolWrites)
{
    const StoredCase& c = GetParam();
    int32_t value = 12345;
    EXPECT_EQ(ParseStoredPosition(Text(c.text.c_str(), c.text.size()), &value), c.accepted);
    EXPECT_EQ(value, c.accepted ? c.value : 12345);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredPosition,
    ::testing::Values(StoredCase{"positive", "9000", true, 9000}, StoredCase{"negative", "-15", true, -15},
                      StoredCase{"zero", "0", true, 0}, StoredCase{"minus_zero", "-0", true, 0},
                      StoredCase{"leading_zeros", "0009000", true, 9000},
                      StoredCase{"int16_max", "32767", true, 32767},
                      StoredCase{"int16_min", "-32768", true, -32768},
                      StoredCase{"just_over", "32768", false, 0}, StoredCase{"just_under", "-32769", false, 0},
                      StoredCase{"far_over", "40000", false, 0},
                      StoredCase{"past_int32", "99999999999", false, 0},
                      StoredCase{"wraps_to_small_in_32_bits", "4294967296", false, 0},
                      StoredCase{"empty", "", false, 0}, StoredCase{"minus_only", "-", false, 0},
                      StoredCase{"trailing_letter", "12a", false, 0}, StoredCase{"leading_space", " 5", false, 0},
                      StoredCase{"trailing_space", "5 ", false, 0}, StoredCase{"plus", "+5", false, 0},
                      StoredCase{"hex", "0x10", false, 0}, StoredCase{"two_minus", "--5", false, 0},
                      StoredCase{"decimal_point", "9000.0", false, 0},
                      StoredCase{"full_width_digit", "\x82\x54", false, 0},
                      StoredCase{"embedded_nul", std::string("90\0" "00", 5), false, 0}),
    CaseName());

struct DescriptionCase {
    const char* name;
    int number;
    const char* path;
    std::string expected;
};

class ErrDescription : public ::testing::TestWithParam<DescriptionCase> {};

TEST_P(ErrDescription, TextThenPathOnItsOwnLine)
{
    const DescriptionCase& c = GetParam();
    EXPECT_EQ(Bytes(Err(c.number, c.path).description()), c.expected);
}

// "ファイルが見つかりません。" and "ピクチャが不正です。" in Shift-JIS.
const std::string kNotFound =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";
const std::string kBadPicture = "\x83\x73\x83\x4E\x83\x60\x83\x83\x82\xAA\x95\x73\x90\xB3\x82\xC5\x82\xB7\x81\x42";

INSTANTIATE_TEST_SUITE_P(
    Cases, ErrDescription,
    ::testing::Values(DescriptionCase{"not_found_with_path", kErrFileNotFound, "C:\\WINDOWS\\logow.sys",
                                      kNotFound + "\r\nC:\\WINDOWS\\logow.sys"},
                      DescriptionCase{"not_found_alone", kErrFileNotFound, "", kNotFound},
                      DescriptionCase{"bad_picture", kErrInvalidPicture, "C:\\a.bmp", kBadPicture + "\r\nC:\\a.bmp"},
                      DescriptionCase{"shift_jis_path", kErrInvalidPicture, "C:\\\x83\x5C.bmp",
                                      kBadPicture + "\r\nC:\\\x83\x5C.bmp"}),
    CaseName());

TEST(ErrTest, EveryNumberTheToolTellsApartHasItsOwnDescription)
{
    const int numbers[] = {kErrOverflow, kErrFileNotFound, kErrPathFileAccess, kErrPathNotFound, kErrInvalidPicture,
                           kErrDeviceIO};
    for (int a : numbers) {
        EXPECT_GT(TextLength(ErrorDescription(a)), 0u);
        for (int b : numbers) {
            if (a != b) {
                EXPECT_STRNE(ErrorDescription(a), ErrorDescription(b)) << a << " vs " << b;
            }
        }
    }
}

struct FileErrorCase {
    const char* name;
    int number;
    bool asks;
};

class FileErrorTest : public ::testing::TestWithParam<FileErrorCase> {};

TEST_P(FileErrorTest, OnlyTheFourFileErrors) { EXPECT_EQ(IsFileError(Err(GetParam().number)), GetParam().asks); }

INSTANTIATE_TEST_SUITE_P(Cases, FileErrorTest,
                         ::testing::Values(FileErrorCase{"not_found", 53, true}, FileErrorCase{"access", 75, true},
                                           FileErrorCase{"path", 76, true}, FileErrorCase{"picture", 481, true},
                                           FileErrorCase{"overflow", 6, false}, FileErrorCase{"device", 57, false},
                                           FileErrorCase{"permission", 70, false},
                                           FileErrorCase{"cancel", kErrCancelled, false},
                                           FileErrorCase{"none", 0, false}),
                         CaseName());

}  // namespace
