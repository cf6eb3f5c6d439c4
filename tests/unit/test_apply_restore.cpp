#include "tool_test.h"

#include "logo_files/apply.h"
#include "logo_files/backup.h"
#include "ui/error_styles.h"

namespace {

// The default picture is a file like any other, and so is a live logo itself.
TEST_F(ToolTest, ApplyReplacesExactlyTheChosenSlots)
{
    const struct {
        const char* chosen[3];
        Contents expected[3];  // each live file afterwards
    } cases[] = {
        {{"", "", ""}, {kOld0, kOld1, kOld2}},
        {{"C:\\logo.sys", "C:\\windows\\LOGOW.SYS", ""}, {kOld0, kOld1, kOld2}},
        {{"", kBackup1, kBackup2}, {kOld0, kOld1, kOld2}},
        {{"", kPicked, ""}, {kOld0, kNew, kOld2}},
        {{kDefault, "", ""}, {Flat(kDefaultRgb), kNew, kOld2}},
        {{kPicked, kPicked, kPicked}, {kNew, kNew, kNew}},
    };
    ASSERT_TRUE(Start());
    for (const auto& c : cases) {
        EXPECT_TRUE(Apply(c.chosen[0], c.chosen[1], c.chosen[2]));
        ExpectLive(c.expected[0], c.expected[1], c.expected[2]);
    }
    EXPECT_TRUE(Window().loaded && Stored(kLeft) == "(none)");
    EXPECT_TRUE(p.boxes.empty());
}

// Windows shows a hidden, system or read-only logo all the same: it is
// replaced like any other, and the new one keeps its attributes.
TEST_F(ToolTest, ApplyToAConcealedStartUpLogo)
{
    const unsigned all = FakePlatform::kHidden | FakePlatform::kSystem | FakePlatform::kReadOnly;
    ASSERT_TRUE(Start());
    for (auto [chosen, left] : {std::pair{"C:\\logo.sys", Contents(kOld0)}, {kPicked, Contents(kNew)}}) {
        p.remove(kLive0), p.addFile("C:\\LOGO.SYS", kOld0, all);
        EXPECT_TRUE(Apply(chosen, "", ""));
        EXPECT_EQ(Read(p, kLive0), left);
        EXPECT_EQ(p.entry(kLive0)->attrs, all) << chosen;
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
    EXPECT_EQ(Stored(kLeft), "(none)");
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

// Default puts back every logo the backup has, with its attributes, removes
// one that was not there at first, and leaves one whose copy is gone; the
// window stays open, the rows show what is installed, OK waits for a new
// choice, and one box says what was done. A backup folder of an older
// version, without a record, takes a missing logo.sys for none.
TEST_F(ToolTest, DefaultPutsBackWhatTheBackupHas)
{
    const unsigned concealed = FakePlatform::kHidden | FakePlatform::kSystem;
    const std::string kRecord = "C:\\PLUMWICK\\BakLog\\record.txt";
    p.addFile(kLive0, kOld0, concealed), p.remove(kLive2), p.acp = 1252;
    ASSERT_TRUE(Start());
    EXPECT_EQ(p.bytes(kRecord),
              "; the logos as they were before Plumwick first changed them\r\n"
              "logo.sys saved hidden system\r\nlogow.sys saved\r\nlogos.sys absent\r\n");
    Choose(1, kPicked, Answer::No), p.addFile(kLive0, kNew), p.addFile(kLive2, kNew), p.remove(kBackup1), p.boxes.clear();
    ASSERT_TRUE(Click(MainControl::RestoreButton));
    ExpectLive(kOld0, kOld1, std::nullopt);
    EXPECT_EQ(p.entry(kLive0)->attrs, concealed);
    EXPECT_EQ(std::make_tuple(p.boxes.at(0).text, p.boxes.at(0).icon),
              std::make_tuple("Default did this:\r\n\r\nPut back as they were at the first start:\r\nC:\\logo.sys\r\n\r\n"
                              "Removed, as they were not there at the first start:\r\nC:\\WINDOWS\\logos.sys\r\n\r\n"
                              "Left as they are, as their copies in BakLog are gone:\r\nC:\\WINDOWS\\logow.sys (C:\\PLUMWICK\\BakLog\\logow.sys)",
                              Icon::Critical));
    EXPECT_EQ(Chosen(0) + Chosen(1) + Chosen(2), "");
    EXPECT_TRUE(!Ctl(MainControl::OkButton).enabled && Window().loaded);
    EXPECT_EQ(std::vector<uint32_t>({Shown(0), Shown(1)}), std::vector<uint32_t>({kLogo0, kLogo1}));
    EXPECT_TRUE(None(2));
    p.remove(kRecord), p.remove(kBackup0), p.addFile(kBackup1, kOld1), p.addFile(kBackup2, kOld2), p.boxes.clear();
    ASSERT_TRUE(Click(MainControl::RestoreButton));
    ExpectLive(std::nullopt, kOld1, kOld2);
    EXPECT_EQ(std::make_tuple(p.boxes.at(0).text, p.boxes.at(0).icon),
              std::make_tuple("Default did this:\r\n\r\nPut back as they were at the first start:\r\nC:\\WINDOWS\\logow.sys\r\n"
                              "C:\\WINDOWS\\logos.sys\r\n\r\nRemoved, as they were not there at the first start:\r\nC:\\logo.sys",
                              Icon::Information));
    p.addFile(kLive1, kNew);
    p.failOn(FakePlatform::Op::CopyFile, "logow.pwn", kErrDiskFull);
    EXPECT_FALSE(Click(MainControl::RestoreButton));
    ExpectLive(std::nullopt, kNew, kOld2);
    EXPECT_EQ(p.boxes.back().text, Says(kErrDiskFull, kLive1));
}

// Every failable call that applying, restoring or the first backup makes is
// made to fail in turn; each live logo must then hold its old or its new
// content, whole, and the backup folder be whole or not there.
TEST(FaultInjection, EveryFailingCallLeavesEachLogoOldOrNewAndNoTemporaryFile)
{
    const unsigned kConcealed = FakePlatform::kHidden | FakePlatform::kReadOnly, kNone = 99;  // kNone: no start-up logo
    enum Job { kApply, kRestore, kBackup };
    const struct {
        Job job;
        const char* chosen[3];
        unsigned attrs0;
    } scenarios[] = {
        {kApply, {kPicked, kPicked, kPicked}, 0},
        {kApply, {"", kPicked, ""}, 0},
        {kApply, {kPicked, "", ""}, kConcealed},
        {kApply, {kPicked, "", kPicked}, kNone},
        {kApply, {"", kBackup1, kBackup2}, 0},
        {kApply, {"C:\\logo.sys", kPicked, ""}, 0},
        {kRestore, {kBackup0, kBackup1, kBackup2}, 0},
        {kRestore, {kBackup0, kBackup1, kBackup2}, FakePlatform::kSystem},
        {kRestore, {kMarker, kBackup1, kBackup2}, kNone},
        {kRestore, {kMarker, kBackup1, kBackup2}, 0},  // a backup folder without a record
        {kBackup, {"", "", ""}, kConcealed},
        {kBackup, {"", "", ""}, kNone},
    };
    long injected = 0, survived = 0;
    for (const auto& s : scenarios) {
        for (long k = 1;; ++k) {
            FakePlatform p;
            if (s.attrs0 != kNone) p.addFile("C:\\LOGO.SYS", kOld0, s.attrs0);
            p.addFile(kLive1, kOld1), p.addFile(kLive2, kOld2), p.addFolder("C:\\PICS"), p.addFile(kPicked, kNew);
            Tool t(p, p);
            FindSystemFolders(t);
            if (s.job != kBackup) {
                (void)BackUpOnFirstStart(t.machine);
                p.addFile(kBackup1, kNew + "1"), p.addFile(kBackup2, kNew + "2");
                if (s.attrs0 != kNone) p.addFile(kBackup0, kNew + "0");
                if (s.chosen[0] == std::string(kMarker) && s.attrs0 != kNone) p.remove(kBackup0), p.remove("C:\\PLUMWICK\\BakLog\\record.txt");
            }
            Contents old[3] = {Read(p, kLive0), kOld1, kOld2}, fresh[3];
            for (int slot = 0; slot < 3; ++slot) {
                const std::string chosen = s.chosen[slot];
                fresh[slot] = chosen.empty() || FakePlatform::Fold(chosen) == FakePlatform::Fold(kLive[slot]) ? old[slot]
                              : chosen == kMarker                                                             ? std::nullopt
                                                                                                              : Read(p, chosen);
            }
            p.failCall(p.calls + k, kErrDeviceIO);
            try {
                Text chosen[] = {s.chosen[0], s.chosen[1], s.chosen[2]};
                Restored done[3];
                ShowAndEnd(t, s.job == kRestore ? RestoreDefaultLogos(t.machine, done)
                              : s.job == kApply ? ApplyLogos(t.machine, chosen)
                                                : BackUpOnFirstStart(t.machine).slot[1]);
            } catch (const FakeEnded&) {
            }
            bool whole = NoTemporaryFiles(p);
            if (s.job == kBackup)
                whole = whole && (p.exists(kBackup1) ? Read(p, kBackup0) == old[0] && Read(p, kBackup1) == old[1] && Read(p, kBackup2) == old[2]
                                                     : !p.exists("C:\\PLUMWICK\\BakLog"));
            else
                whole = whole && Read(p, kBackup1) == kNew + "1";
            for (int slot = 0; slot < 3; ++slot) whole = whole && (Read(p, kLive[slot]) == fresh[slot] || (p.injected && Read(p, kLive[slot]) == old[slot]));
            EXPECT_TRUE(whole) << "scenario " << &s - scenarios << ": a logo, a backup or a temporary file is wrong after fault " << k;
            if (!p.injected) break;
            ++injected, survived += whole;
        }
    }
    std::printf("fault injection: %ld faults injected, files survived %ld\n", injected, survived);
    EXPECT_EQ(survived, injected);
    EXPECT_GT(injected, 200);
}

}  // namespace
