#include "tool_test.h"

namespace {

TEST_F(ToolTest, SecondCopyEndsBeforeTouchingAnything)
{
    p.otherCopy = true;
    EXPECT_FALSE(Start());
    EXPECT_TRUE(p.calls == 0 && p.forms.empty());
}

// The first start keeps the three logos, a concealed logo.sys too, whole or
// not at all, and tells which could not be kept, until a start keeps them;
// later starts never touch the backups, whatever the folder's name or
// attributes. A logo a cut-off replace left under its temporary name is put
// back before it is kept.
TEST_F(ToolTest, BackupsAreMadeOnTheFirstStartOnly)
{
    p.remove(kLive0), p.addFile("C:\\logo.pwo", kOld0, FakePlatform::kHidden | FakePlatform::kSystem | FakePlatform::kReadOnly);
    p.failOn(FakePlatform::Op::CopyFile, "BakLog.new\\logow.sys", kErrDiskFull);
    p.acp = 1252;
    ASSERT_TRUE(Start());
    EXPECT_FALSE(p.exists("C:\\PLUMWICK\\BakLog") || p.exists("C:\\PLUMWICK\\BakLog.new"));
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(std::make_tuple(p.boxes[0].text, p.boxes[0].title, p.boxes[0].buttons, p.boxes[0].icon),
              std::make_tuple("These logos could not be saved in the BakLog folder:\r\nC:\\logo.sys\r\nC:\\WINDOWS\\logow.sys\r\n"
                              "C:\\WINDOWS\\logos.sys\r\n\r\nDisk full.\r\n\r\nDefault cannot bring them back.",
                              "Plumwick", Buttons::Ok, Icon::Critical));
    FreeMainWindows(p), p = FakePlatform(), LayOutMachine(p);
    p.remove(kLive0), p.addFile("C:\\logo.pwo", kOld0);
    ASSERT_TRUE(Start());
    EXPECT_EQ(std::make_tuple(Read(p, kBackup0), Read(p, kBackup1), Read(p, kBackup2)), std::make_tuple(Contents(kOld0), Contents(kOld1), Contents(kOld2)));
    p.addFile(kLive2, kNew), p.remove(kBackup2), p.remove("C:\\PLUMWICK\\BakLog"), p.addFolder("C:\\PLUMWICK\\BAKLOG");
    ASSERT_TRUE(Start());
    EXPECT_FALSE(p.exists(kBackup2));
    p.addFolder("C:\\PLUMWICK\\baklog", FakePlatform::kHidden), p.addFile(kBackup1, "kept1"), p.addFile(kBackup2, "kept2");
    ASSERT_TRUE(Start());
    EXPECT_EQ(std::make_tuple(Read(p, kBackup0), Read(p, kBackup1), Read(p, kBackup2)), std::make_tuple(Contents(kOld0), Contents("kept1"), Contents("kept2")));
    EXPECT_TRUE(NoTemporaryFiles(p) && p.boxes.empty());
    // A read-only folder; a file in the backup folder's place. Logos that do
    // not exist are not missed; then the opening asks about them.
    const char* const told =
        "These logos could not be saved in the BakLog folder:\r\nC:\\WINDOWS\\logow.sys\r\nC:\\WINDOWS\\logos.sys\r\n\r\n"
        "Path/File access error.\r\n\r\nDefault cannot bring them back.";
    for (auto [path, attrs, first] : {std::tuple{"C:\\PLUMWICK", FakePlatform::kFolder | FakePlatform::kReadOnly, told},
                                      {"C:\\PLUMWICK\\BakLog", 0u, "File not found.\r\nC:\\PLUMWICK\\DfltLogo.sys\r\nContinue?"}}) {
        FakePlatform q;
        q.addFile(path, "", attrs), q.addFile(kLive1, kOld1), q.addFile(kLive2, kOld2), q.acp = 1252;
        Tool tq(q, q);
        Main(tq);
        EXPECT_TRUE(!q.exists(kBackup1) && q.forms.back().shown);
        EXPECT_EQ(q.boxes.at(0).text, first);
        FreeMainWindows(q);
    }
}

// The settings file remembers the first backup; a BakLog gone after it is
// said, and kept again from the logos as they are only on the user's word.
// A shutdown logo that is not there is named once, and previews as none.
TEST_F(ToolTest, AGoneBackupAndMissingLogosAreSaid)
{
    p.acp = 1252;
    ASSERT_TRUE(Start());
    EXPECT_EQ(Stored("BakLog"), "1");
    p.remove(kLive2), p.addFile(kLive1, kNew);
    for (Answer answer : {Answer::No, Answer::Yes}) {
        for (const char* backup : {kBackup0, kBackup1, kBackup2, "C:\\PLUMWICK\\BakLog\\record.txt", "C:\\PLUMWICK\\BakLog"}) p.remove(backup);
        p.boxes.clear(), p.answers = {answer};
        ASSERT_TRUE(Start());
        ASSERT_EQ(p.boxes.size(), 2u);
        EXPECT_EQ(std::make_tuple(p.boxes[0].text, p.boxes[0].buttons),
                  std::make_tuple("The BakLog folder, which kept the logos as they were before Plumwick first changed them, is gone:\r\n"
                                  "C:\\PLUMWICK\\BakLog\r\n\r\nKeep the logos as they are now as the first ones? Default will then bring these back.",
                                  Buttons::YesNo));
        EXPECT_EQ(p.boxes[1].text,
                  "These logos are not there:\r\nC:\\WINDOWS\\logos.sys\r\n\r\nWhile Windows shuts down it then shows "
                  "plain text. Choose a logo with Set... to have one there.");
        EXPECT_EQ(Read(p, kBackup1), answer == Answer::Yes ? Contents(kNew) : std::nullopt);
        EXPECT_TRUE(None(2));
    }
}

// A system whose code page is not Japanese gets every text in English, in
// the system's own dialog font; a Japanese one, 9-point Japanese.
TEST_F(ToolTest, TheCodePageChoosesTheLanguage)
{
    p.acp = 1252;
    p.failOn(FakePlatform::Op::ReadFile, "logow.sys", kErrFileNotFound);
    ASSERT_TRUE(Start());
    EXPECT_EQ(p.boxes.at(0).text, "File not found.\r\nC:\\WINDOWS\\logow.sys\r\nContinue?");
    EXPECT_EQ(Ctl(MainControl::CancelButton).caption + "|" + Ctl(MainControl::RestoreButton).caption, "Cancel|Default");
    EXPECT_EQ(TextFontPoints(), 0);
    p.acp = 932;
    ASSERT_TRUE(Start());
    EXPECT_EQ(Ctl(MainControl::CancelButton).caption, "\xB7\xAC\xDD\xBE\xD9");  // ｷｬﾝｾﾙ
    EXPECT_EQ(TextFontPoints(), 9);
}

// No process is left running without a window.
TEST_F(ToolTest, AMainWindowThatCannotBeMadeEndsTheTool)
{
    p.failOn(FakePlatform::Op::Other, "main window", kErrOutOfMemory);
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

}  // namespace
