#include <algorithm>
#include <cstdio>
#include <optional>

#include "../../src/logo_files/apply.h"
#include "../../src/logo_files/slots.h"
#include "tool_fixture.h"

namespace {

constexpr const char* kMarker = "C:\\PLUMWICK\\dfltlogo.sys";
constexpr const char* kPicked = "C:\\PICS\\picked.bmp";

using Contents = std::optional<std::string>;  // nullopt: no such file

Contents Read(const FakePlatform& p, const std::string& path)
{
    return p.exists(path) ? Contents(p.bytes(path)) : std::nullopt;
}

bool NoTemporaryFiles(const FakePlatform& p)
{
    for (const std::string& path : p.list()) {
        std::string ext = path.size() > 4 ? path.substr(path.size() - 4) : "";
        if (ext == ".pwn" || ext == ".pwo" || ext == ".PWN" || ext == ".PWO") return false;
    }
    return true;
}

class ApplyTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        p.addFolder("C:\\PICS");
        p.addFile(kPicked, Logo(0x00FF00));
        ASSERT_TRUE(Start());
    }
    void SetChosen(int slot, const std::string& path)
    {
        ASSERT_TRUE(Run([&] { (void)p.setCaption(t.mainWindow, Form1::lblLogo(slot), Text(path.c_str())); }));
    }
    // True when the run ended the tool, as every apply does.
    bool Apply()
    {
        return !Run([&] { TopLevel(t, ApplyLogos(t)); });
    }
    bool Restore()
    {
        return Run([&] { TopLevel(t, RestoreDefaultLogos(t)); });
    }
};

const std::string kOld0 = Logo(0x100000), kOld1 = Logo(0x200000), kOld2 = Logo(0x300000),
                  kPickedBytes = Logo(0x00FF00), kDefault = Logo(0x0000FF);

struct ApplyCase {
    const char* name;
    const char* chosen[3];
    Contents expected[3];  // what each live file holds afterwards
};

class ApplyCases : public ApplyTest, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(ApplyCases, ReplacesExactlyTheChosenSlotsAndCloses)
{
    const ApplyCase& c = GetParam();
    for (int slot = 0; slot < 3; ++slot)
        if (*c.chosen[slot]) SetChosen(slot, c.chosen[slot]);
    EXPECT_TRUE(Apply());
    EXPECT_TRUE(p.boxes.empty());
    EXPECT_TRUE(p.exists("C:\\PLUMWICK\\Wendrop1.vrx")) << "closing keeps the position";
    const char* live[] = {kLive0, kLive1, kLive2};
    for (int slot = 0; slot < 3; ++slot) EXPECT_EQ(Read(p, live[slot]), c.expected[slot]) << "slot " << slot;
    EXPECT_TRUE(NoTemporaryFiles(p));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyCases,
    ::testing::Values(
        ApplyCase{"nothing_chosen", {"", "", ""}, {kOld0, kOld1, kOld2}},
        ApplyCase{"only_shutdown", {"", kPicked, ""}, {kOld0, kPickedBytes, kOld2}},
        ApplyCase{"all_three", {kPicked, kPicked, kPicked}, {kPickedBytes, kPickedBytes, kPickedBytes}},
        ApplyCase{"default_marker", {kMarker, "", ""}, {std::nullopt, kOld1, kOld2}},
        // Only the marker's own spelling removes the logo; the default picture is a file like any other.
        ApplyCase{"default_picture", {"C:\\PLUMWICK\\DfltLogo.sys", "", ""}, {kDefault, kOld1, kOld2}},
        ApplyCase{"backups_again", {"", kBackup1, kBackup2}, {kOld0, kOld1, kOld2}},
        ApplyCase{"own_live_file", {"c:\\LOGO.SYS", "C:\\windows\\LOGOW.SYS", ""}, {kOld0, kOld1, kOld2}}),
    CaseName());

class ConcealedLogo : public ApplyTest, public ::testing::WithParamInterface<const char*> {};

// Windows shows a hidden, system or read-only logo all the same, so it is
// replaced or removed like any other, under the name the disk has.
TEST_P(ConcealedLogo, IsReplacedOrRemoved)
{
    p.remove(kLive0);
    p.addFile("C:\\LOGO.SYS", kOld0, FakePlatform::kHidden | FakePlatform::kSystem | FakePlatform::kReadOnly);
    SetChosen(0, GetParam());
    EXPECT_TRUE(Apply());
    EXPECT_TRUE(p.boxes.empty());
    if (std::string(GetParam()) == kMarker) {
        EXPECT_FALSE(p.exists(kLive0));
        EXPECT_NE(std::find(p.log.begin(), p.log.end(), "delete C:\\LOGO.SYS"), p.log.end());
    } else {
        EXPECT_EQ(Read(p, kLive0), kPickedBytes);
        EXPECT_EQ(p.entry(kLive0)->attrs, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ConcealedLogo, ::testing::Values(kPicked, kMarker));

TEST_F(ApplyTest, AMissingChosenFileStopsAtItsSlotAndLeavesItsLogo)
{
    SetChosen(0, kPicked);
    SetChosen(1, "C:\\PICS\\gone.bmp");
    SetChosen(2, kPicked);
    EXPECT_TRUE(Apply());
    EXPECT_EQ(Read(p, kLive0), kPickedBytes) << "earlier slots stay applied";
    EXPECT_EQ(Read(p, kLive1), kOld1);
    EXPECT_EQ(Read(p, kLive2), kOld2) << "later slots are not touched";
    ASSERT_FALSE(p.boxes.empty());
    EXPECT_EQ(p.boxes.back().text, Str(Err(kErrFileNotFound, "C:\\PICS\\gone.bmp").description()));
    EXPECT_EQ(p.boxes.back().title, "Plumwick");
    EXPECT_TRUE(p.forms[t.mainWindow].loaded) << "the window is not unloaded";
    EXPECT_FALSE(p.exists("C:\\PLUMWICK\\Wendrop1.vrx"));
    EXPECT_TRUE(NoTemporaryFiles(p));
}

TEST_F(ApplyTest, AFullDiskLeavesTheOldLogoWholeAndNamesIt)
{
    p.failOn(FakePlatform::Op::CopyFile, "logow.pwn", kErrDiskFull);
    SetChosen(1, kPicked);
    EXPECT_TRUE(Apply());
    EXPECT_EQ(Read(p, kLive1), kOld1);
    EXPECT_TRUE(NoTemporaryFiles(p));
    EXPECT_EQ(p.boxes.back().text, Str(Err(kErrDiskFull, kLive1).description())) << "not the temporary file";
}

// A run cut off half way may leave the replaced logo under its temporary
// name: it is put back first, unless a new logo already stands there.
TEST_F(ApplyTest, WhatACrashLeftIsCleanedUpFirst)
{
    p.addFile("C:\\WINDOWS\\logow.pwo", "the logo before");
    p.remove(kLive2);
    p.addFile("C:\\WINDOWS\\logos.pwo", kOld2);
    p.addFile("C:\\WINDOWS\\logos.pwn", "half a file");
    p.failOn(FakePlatform::Op::CopyFile, "logos.pwn", kErrPathFileAccess);
    SetChosen(1, kPicked);
    SetChosen(2, kPicked);
    EXPECT_TRUE(Apply());
    EXPECT_EQ(Read(p, kLive1), kPickedBytes);
    EXPECT_EQ(Read(p, kLive2), kOld2);
    EXPECT_TRUE(NoTemporaryFiles(p));
}

TEST_F(ApplyTest, RestorePutsTheBackupsBackRemovesTheStartUpLogoAndNamesTheDefaults)
{
    p.addFile(kLive1, Logo(0x222222));
    p.addFile(kLive2, Logo(0x333333));
    ASSERT_TRUE(Restore());
    EXPECT_FALSE(p.exists(kLive0));
    EXPECT_EQ(Read(p, kLive1), kOld1);
    EXPECT_EQ(Read(p, kLive2), kOld2);
    EXPECT_EQ(Chosen(0), kMarker);
    EXPECT_EQ(Chosen(1), kBackup1);
    EXPECT_EQ(Chosen(2), kBackup2);
    EXPECT_TRUE(Ctl(Form1::cmdOK).enabled);
    EXPECT_TRUE(p.forms[t.mainWindow].loaded) << "the window stays open";
    EXPECT_TRUE(NoTemporaryFiles(p));
}

class RestoreMissing : public ApplyTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RestoreMissing, TouchesNothingAndNamesTheMissingFile)
{
    p.addFile(kLive1, Logo(0x222222));
    p.remove(GetParam());
    EXPECT_FALSE(Restore());
    EXPECT_EQ(Read(p, kLive0), kOld0);
    EXPECT_EQ(Read(p, kLive1), Logo(0x222222));
    EXPECT_EQ(Read(p, kLive2), kOld2);
    for (int slot = 0; slot < 3; ++slot) EXPECT_EQ(Chosen(slot), "");
    EXPECT_EQ(p.boxes.back().text, Str(Err(kErrFileNotFound, GetParam()).description()));
}

INSTANTIATE_TEST_SUITE_P(Cases, RestoreMissing, ::testing::Values(kBackup1, kBackup2));

// Every platform call that applying or restoring makes is made to fail in
// turn; each live logo must then hold its old or its new content, whole.
struct FaultScenario {
    const char* name;
    bool restore;
    const char* chosen[3];
    unsigned attrs0;
    bool noLogo0;
};

struct FaultTally {
    long injected = 0, survived = 0;
};

FaultTally RunFaults(const FaultScenario& s)
{
    FaultTally tally;
    for (long k = 1;; ++k) {
        FakePlatform p;
        if (!s.noLogo0) p.addFile("C:\\LOGO.SYS", kOld0, s.attrs0);
        p.addFile(kLive1, kOld1);
        p.addFile(kLive2, kOld2);
        p.addFile("C:\\PLUMWICK\\DfltLogo.sys", kDefault);
        p.addFolder("C:\\PICS");
        p.addFile(kPicked, kPickedBytes);
        Tool t(p);
        Main(t);
        p.addFile(kBackup1, kPickedBytes + "1");
        p.addFile(kBackup2, kPickedBytes + "2");
        for (int slot = 0; slot < 3; ++slot)
            (void)p.setCaption(t.mainWindow, Form1::lblLogo(slot), Text(s.chosen[slot]));

        Contents old[3] = {Read(p, kLive0), kOld1, kOld2};
        Contents fresh[3];
        for (int slot = 0; slot < 3; ++slot) {
            std::string chosen = s.restore ? (slot == 0 ? kMarker : slot == 1 ? kBackup1 : kBackup2)
                                           : s.chosen[slot];
            fresh[slot] = chosen.empty() ? old[slot]
                        : chosen == kMarker ? std::nullopt
                        : p.samePath(Text(chosen.c_str()), LivePath(t, slot)) ? old[slot]
                                                                              : Read(p, chosen);
        }
        p.failCall(p.failableCalls() + k, kErrDeviceIO);
        try {
            TopLevel(t, s.restore ? RestoreDefaultLogos(t) : ApplyLogos(t));
        } catch (const FakeEnded&) {
        }
        if (!p.injected()) {
            const char* live[] = {kLive0, kLive1, kLive2};
            for (int slot = 0; slot < 3; ++slot) EXPECT_EQ(Read(p, live[slot]), fresh[slot]) << s.name;
            return tally;
        }
        ++tally.injected;
        bool whole = NoTemporaryFiles(p);
        const char* live[] = {kLive0, kLive1, kLive2};
        for (int slot = 0; slot < 3; ++slot) {
            Contents now = Read(p, live[slot]);
            bool ok = now == old[slot] || now == fresh[slot];
            EXPECT_TRUE(ok) << s.name << ": slot " << slot << " broken by fault " << k;
            whole = whole && ok;
        }
        EXPECT_TRUE(NoTemporaryFiles(p)) << s.name << ": temporary file left by fault " << k;
        EXPECT_EQ(Read(p, kBackup1), Contents(kPickedBytes + "1"));
        if (whole) ++tally.survived;
    }
}

TEST(FaultInjection, EveryFailingCallLeavesEachLogoOldOrNewAndNoTemporaryFile)
{
    const FaultScenario scenarios[] = {
        {"apply_all", false, {kPicked, kPicked, kPicked}, 0, false},
        {"apply_marker", false, {kMarker, kPicked, ""}, 0, false},
        {"apply_concealed", false, {kPicked, "", ""}, FakePlatform::kHidden | FakePlatform::kReadOnly, false},
        {"apply_no_startup_logo", false, {kPicked, "", kPicked}, 0, true},
        {"apply_backups", false, {"", kBackup1, kBackup2}, 0, false},
        {"apply_own_file", false, {"C:\\logo.sys", kPicked, ""}, 0, false},
        {"restore", true, {"", "", ""}, 0, false},
        {"restore_concealed", true, {"", "", ""}, FakePlatform::kSystem, false},
        {"restore_no_startup_logo", true, {"", "", ""}, 0, true},
    };
    FaultTally total;
    for (const FaultScenario& s : scenarios) {
        FaultTally one = RunFaults(s);
        EXPECT_GT(one.injected, 0) << s.name;
        total.injected += one.injected;
        total.survived += one.survived;
    }
    std::printf("fault injection: %ld faults injected, files survived %ld\n", total.injected, total.survived);
    EXPECT_EQ(total.survived, total.injected);
}

}  // namespace
