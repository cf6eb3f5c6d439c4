#include "tool_fixture.h"

namespace {

class StartupTest : public ToolTest {};

TEST_F(StartupTest, SecondCopyEndsBeforeReadingOrWritingAnything)
{
    p.otherCopy = true;
    EXPECT_FALSE(Start());
    EXPECT_TRUE(p.log.empty());
    EXPECT_TRUE(p.forms.empty());
    EXPECT_EQ(p.failableCalls(), 0);
}

TEST_F(StartupTest, WindowsFolderIsCutAtTheFirstNulAndGivesTheBootRoot)
{
    const struct {
        std::string written;
        bool writes;
        const char* windowsDir;
        const char* live0;
    } cases[] = {
        {std::string("C:\\WIN\0XYZ", 10), true, "C:\\WIN", "C:\\logo.sys"},
        {"D:\\WIN98", true, "D:\\WIN98", "D:\\logo.sys"},
        {"D:", true, "D:", "D:logo.sys"},
        {"", false, "", "logo.sys"},
    };
    for (const auto& c : cases) {
        FakePlatform q;
        q.windowsDirBytes = c.written;
        q.writesWindowsDir = c.writes;
        Tool tq(q);
        try {
            Main(tq);
        } catch (const FakeEnded&) {
        }
        EXPECT_EQ(Str(tq.WindowsDir), c.windowsDir);
        EXPECT_EQ(Str(LivePath(tq, 0)), c.live0);
        EXPECT_EQ(Str(LivePath(tq, 1)), std::string(c.windowsDir) + "\\logow.sys");
    }
}

TEST_F(StartupTest, FirstStartBacksUpBothWindowsLogosAndShowsTheWindow)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(p.bytes(kBackup1), p.bytes(kLive1));
    EXPECT_EQ(p.bytes(kBackup2), p.bytes(kLive2));
    EXPECT_FALSE(p.exists("C:\\PLUMWICK\\BakLog\\logo.sys"));
    EXPECT_TRUE(p.forms[t.mainWindow].shown);
    EXPECT_FALSE(p.forms[t.mainWindow].modal);
}

// Any capitalisation of the folder names the same folder on a FAT disk.
TEST_F(StartupTest, LaterStartsLeaveTheBackupFolderAlone)
{
    ASSERT_TRUE(Start());
    const std::string first1 = p.bytes(kBackup1);
    p.addFile(kLive1, Logo(0xABCDEF));
    p.addFolder("C:\\PLUMWICK\\BAKLOG");  // the same folder, as another tool may have renamed it
    const size_t before = p.log.size();
    Tool second(p);
    Main(second);
    EXPECT_EQ(p.bytes(kBackup1), first1);
    for (size_t i = before; i < p.log.size(); ++i)
        EXPECT_EQ(p.log[i].find("BakLog"), std::string::npos) << p.log[i];
}

TEST_F(StartupTest, AMissingOrHalfCopiedLogoLeavesNoBackupOfIt)
{
    p.remove(kLive2);
    p.failOn(FakePlatform::Op::CopyFile, "logow.sys", kErrDiskFull);
    ASSERT_TRUE(Start());
    EXPECT_FALSE(p.exists(kBackup1));
    EXPECT_FALSE(p.exists(kBackup2));
    EXPECT_FALSE(p.exists("C:\\PLUMWICK\\BakLog\\logow.pwn"));
    EXPECT_FALSE(p.exists("C:\\PLUMWICK\\BakLog\\logos.pwn"));
    EXPECT_TRUE(p.forms[t.mainWindow].shown);
}

TEST_F(StartupTest, ReadOnlyToolFolderMakesNoBackupSilentlyAndTriesAgainNextStart)
{
    p.addFolder("C:\\PLUMWICK", FakePlatform::kReadOnly);
    ASSERT_TRUE(Start());
    EXPECT_FALSE(p.exists("C:\\PLUMWICK\\BakLog"));
    EXPECT_TRUE(p.boxes.empty());

    p.addFolder("C:\\PLUMWICK");
    Tool second(p);
    Main(second);
    EXPECT_EQ(p.bytes(kBackup1), p.bytes(kLive1));
    EXPECT_EQ(p.bytes(kBackup2), p.bytes(kLive2));
}

// Whatever stands under the backup folder's name is kept, and so is what
// it holds.
TEST_F(StartupTest, AHiddenBackupFolderKeepsItsBackups)
{
    p.addFolder("C:\\PLUMWICK\\baklog", FakePlatform::kHidden);
    p.addFile(kBackup1, "original shutdown");
    p.addFile(kBackup2, "original power-off");
    ASSERT_TRUE(Start());
    EXPECT_EQ(p.bytes(kBackup1), "original shutdown");
    EXPECT_EQ(p.bytes(kBackup2), "original power-off");
}

TEST_F(StartupTest, AFileNamedLikeTheBackupFolderIsLeftAlone)
{
    p.addFile("C:\\PLUMWICK\\BakLog", "not a folder");
    ASSERT_TRUE(Start());
    EXPECT_EQ(p.bytes("C:\\PLUMWICK\\BakLog"), "not a folder");
    EXPECT_FALSE(p.exists(kBackup1));
}

}  // namespace
