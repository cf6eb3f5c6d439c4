#include "tool_fixture.h"

namespace {

class StartupTest : public ToolTest {};

TEST_F(StartupTest, SecondCopyEndsBeforeReadingOrWritingAnything)
{
    p.otherCopy = true;
    EXPECT_FALSE(Start());
    EXPECT_TRUE(p.log.empty());
    EXPECT_TRUE(p.forms.empty());
    EXPECT_EQ(Str(t.WindowsDir), "");
    EXPECT_EQ(p.failableCalls(), 0);
    EXPECT_FALSE(p.exists("C:\\PLUMWICK\\BakLog"));
}

struct WindowsDirCase {
    const char* name;
    std::string written;
    bool writes;
    const char* windowsDir;
    const char* bootRoot;
    const char* live0;
};

class WindowsDirTest : public ToolTest, public ::testing::WithParamInterface<WindowsDirCase> {};

TEST_P(WindowsDirTest, CutAtFirstNulAndBootRootFromIt)
{
    const WindowsDirCase& c = GetParam();
    p.windowsDirBytes = c.written;
    p.writesWindowsDir = c.writes;
    Start();
    EXPECT_EQ(Str(t.WindowsDir), c.windowsDir);
    EXPECT_EQ(Str(t.BootRoot), c.bootRoot);
    EXPECT_EQ(Str(LivePath(t, 0)), c.live0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowsDirTest,
    ::testing::Values(WindowsDirCase{"plain", "C:\\WINDOWS", true, "C:\\WINDOWS", "C:\\", "C:\\logo.sys"},
                      WindowsDirCase{"embedded_nul", std::string("C:\\WIN\0XYZ", 10), true, "C:\\WIN", "C:\\",
                                     "C:\\logo.sys"},
                      WindowsDirCase{"other_drive", "D:\\WIN98", true, "D:\\WIN98", "D:\\", "D:\\logo.sys"},
                      WindowsDirCase{"short", "D:", true, "D:", "D:", "D:logo.sys"},
                      WindowsDirCase{"nothing_written", "", false, "", "", "logo.sys"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupTest, FirstStartCopiesBothLogosByteForByteAndShowsTheWindow)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(p.bytes(kBackup1), p.bytes(kLive1));
    EXPECT_EQ(p.bytes(kBackup2), p.bytes(kLive2));
    EXPECT_FALSE(p.exists("C:\\PLUMWICK\\BakLog\\logo.sys"));
    ASSERT_NE(t.mainWindow, kNoForm);
    EXPECT_TRUE(p.forms[t.mainWindow].shown);
    EXPECT_FALSE(p.forms[t.mainWindow].modal);
}

TEST_F(StartupTest, LaterStartsKeepTheFirstBackupsAfterTheLiveLogosChanged)
{
    ASSERT_TRUE(Start());
    const std::string first1 = p.bytes(kBackup1), first2 = p.bytes(kBackup2);
    p.addFile(kLive1, Logo(0xABCDEF));
    p.addFile(kLive2, Logo(0x123456));
    const size_t before = p.log.size();
    Tool second(p);
    Main(second);
    EXPECT_EQ(p.bytes(kBackup1), first1);
    EXPECT_EQ(p.bytes(kBackup2), first2);
    for (size_t i = before; i < p.log.size(); ++i) EXPECT_EQ(p.log[i].find("BakLog"), std::string::npos) << p.log[i];
}

TEST_F(StartupTest, MissingPowerOffLogoBacksUpOnlyTheShutdownLogo)
{
    p.remove(kLive2);
    ASSERT_TRUE(Start());
    EXPECT_EQ(p.bytes(kBackup1), p.bytes(kLive1));
    EXPECT_FALSE(p.exists(kBackup2));
    EXPECT_FALSE(p.exists("C:\\PLUMWICK\\BakLog\\logos.pwn"));
    EXPECT_TRUE(p.forms[t.mainWindow].shown);
}

TEST_F(StartupTest, ReadOnlyToolFolderMakesNoBackupSilentlyAndTriesAgainNextStart)
{
    p.addFolder("C:\\PLUMWICK", FakePlatform::kReadOnly);
    ASSERT_TRUE(Start());
    EXPECT_FALSE(p.exists("C:\\PLUMWICK\\BakLog"));
    for (const auto& box : p.boxes) EXPECT_EQ(box.text.find("BakLog"), std::string::npos) << box.text;

    p.addFolder("C:\\PLUMWICK");
    Tool second(p);
    Main(second);
    EXPECT_EQ(p.bytes(kBackup1), p.bytes(kLive1));
    EXPECT_EQ(p.bytes(kBackup2), p.bytes(kLive2));
}

struct ExistingBackup {
    const char* name;
    const char* folder;
    unsigned attrs;
    bool plainFile;
};

class ExistingBackupTest : public ToolTest, public ::testing::WithParamInterface<ExistingBackup> {};

// Whatever stands under the backup's name, the backups it holds are kept.
TEST_P(ExistingBackupTest, NeverOverwritesWhatIsThere)
{
    const ExistingBackup& c = GetParam();
    std::string folder = std::string("C:\\PLUMWICK\\") + c.folder;
    if (c.plainFile) {
        p.addFile(folder, "not a folder", c.attrs);
    } else {
        p.addFolder(folder, c.attrs);
        p.addFile(folder + "\\logow.sys", "original shutdown");
        p.addFile(folder + "\\logos.sys", "original power-off");
    }
    ASSERT_TRUE(Start());
    if (c.plainFile) {
        EXPECT_EQ(p.bytes(folder), "not a folder");
        EXPECT_FALSE(p.exists(kBackup1));
    } else {
        EXPECT_EQ(p.bytes(kBackup1), "original shutdown");
        EXPECT_EQ(p.bytes(kBackup2), "original power-off");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ExistingBackupTest,
                         ::testing::Values(ExistingBackup{"same_case", "BakLog", 0, false},
                                           ExistingBackup{"lower_case", "baklog", 0, false},
                                           ExistingBackup{"upper_case", "BAKLOG", 0, false},
                                           ExistingBackup{"hidden_folder", "BakLog", FakePlatform::kHidden, false},
                                           ExistingBackup{"plain_file", "BakLog", 0, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupTest, ABackupCopyThatFailsHalfWayLeavesNoPartialBackup)
{
    p.failOn(FakePlatform::Op::CopyFile, "logow.sys", kErrDiskFull);
    ASSERT_TRUE(Start());
    EXPECT_FALSE(p.exists(kBackup1));
    EXPECT_FALSE(p.exists("C:\\PLUMWICK\\BakLog\\logow.pwn"));
    EXPECT_EQ(p.bytes(kBackup2), p.bytes(kLive2));
}

}  // namespace
