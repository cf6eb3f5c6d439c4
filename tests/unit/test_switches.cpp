#include <set>

#include "command_line/switch_run.h"
#include "logo_files/random_logos.h"
#include "picture/make_logo.h"
#include "tool_test.h"

namespace {

// "/logo a.bmp" and the rest: what each command line asks for.
TEST(ParseSwitches, ReadsEveryFormOfTheCommandLine)
{
    const struct {
        const char* line;
        Job job;
        std::vector<std::string> files;  // Apply: the three slots'; Wrong: {what is wrong, where}
        // clang-format off
    } cases[] = {
        {"", Job::Window, {}},
        {"   ", Job::Window, {}},
        {"/random", Job::Random, {}},
        {"/RANDOM", Job::Random, {}},
        {"/Default", Job::Default, {}},
        {"/?", Job::Help, {}},
        {"/logo a.bmp /? /bad", Job::Wrong, {"unknown", "/bad"}},
        {"/logo a.bmp /?", Job::Help, {}},
        {"/logo a.bmp", Job::Apply, {"a.bmp", "", ""}},
        {"/logos \"C:\\My Pictures\\x y.bmp\" /LOGO b.bmp", Job::Apply, {"b.bmp", "", "C:\\My Pictures\\x y.bmp"}},
        {"/logow C:\\My Pictures\\x y.bmp  /logos z.bmp", Job::Apply, {"", "C:\\My Pictures\\x y.bmp", "z.bmp"}},
        {"/logow pics\\\x95\x5C\x83\x5C.bmp", Job::Apply, {"", "pics\\\x95\x5C\x83\x5C.bmp", ""}},  // 表ソ: tails 0x5C
        {"/logo a.bmp /logo b.bmp", Job::Apply, {"b.bmp", "", ""}},
        {"/random /default", Job::Wrong, {"one job", "/default"}},
        {"/logo a.bmp /random", Job::Wrong, {"one job", "/random"}},
        {"/logo", Job::Wrong, {"missing", "/logo"}},
        {"/logo /logow b.bmp", Job::Wrong, {"missing", "/logo"}},
        {"/logo \"\"", Job::Wrong, {"missing", "/logo"}},
        {"/randomly", Job::Wrong, {"unknown", "/randomly"}},
        {"a.bmp", Job::Wrong, {"unknown", "a.bmp"}},
        {"-random", Job::Wrong, {"unknown", "-random"}},
    };
    // clang-format on
    const std::map<TextId, std::string> wrong = {{kTxtUnknownSwitch, "unknown"}, {kTxtOneJob, "one job"}, {kTxtMissingFile, "missing"}};
    for (const auto& c : cases) {
        const Switches s = ParseSwitches(c.line);
        std::vector<std::string> got;
        if (s.job == Job::Apply) got = {Str(s.files[0]), Str(s.files[1]), Str(s.files[2])};
        if (s.job == Job::Wrong) got = {wrong.count(s.wrong) ? wrong.at(s.wrong) : "?", Str(s.where)};
        EXPECT_EQ(std::make_pair(int(s.job), got), std::make_pair(int(c.job), c.files)) << c.line;
    }
}

// A logo of one colour, as Windows shows one.
std::string LogoOf(uint32_t rgb)
{
    return LogoFile({rgb}, [](int32_t, int32_t) { return 0u; });
}

// Every logo Windows shows in the slot's folder can come up, never the live
// one while there is another, and every picture, as the logo made of it,
// written beside the folder; never a file that is no picture. A picture
// whose logo is the live one is passed over for another. A folder with
// nothing else, or none, changes nothing.
// (Slot 0 has such a picture and one other logo; slot 2 only the live logo
// and such a picture.)
TEST_F(ToolTest, RandomPicksAmongTheOtherLogosAndPictures)
{
    const std::string folder = "C:\\PLUMWICK\\Random\\LOGOW\\", made = "C:\\PLUMWICK\\Random\\LOGOW.pwm";
    std::string madeOfNew(kLogoFileSize, 0);
    MemorySource picture = SourceOf(kNew);
    ASSERT_FALSE(MakeLogo(picture, reinterpret_cast<uint8_t*>(madeOfNew.data())));
    p.addFile(kLive0, madeOfNew), p.addFile(kLive1, LogoOf(0x111111)), p.addFile(kLive2, madeOfNew);
    p.addFolder("C:\\PLUMWICK\\RANDOM"), p.addFolder("C:\\PLUMWICK\\Random\\logo"), p.addFolder("C:\\PLUMWICK\\Random\\logow");
    p.addFolder("C:\\PLUMWICK\\Random\\LOGOS");
    for (auto [name, bytes] : {std::pair{"a.sys", LogoOf(0xAAAAAA)},
                               {"b.BMP", LogoOf(0xBBBBBB)},
                               {"live.sys", LogoOf(0x111111)},
                               {"flat.bmp", kNew},
                               {"logo-sized.sys", std::string(kLogoFileSize, 'B')},
                               {"text.txt", std::string("no picture")}})
        p.addFile(folder + name, bytes);
    p.addFile("C:\\PLUMWICK\\Random\\LOGO\\flat.bmp", kNew), p.addFile("C:\\PLUMWICK\\Random\\LOGO\\c.sys", LogoOf(0xCCCCCC));
    p.addFile("C:\\PLUMWICK\\Random\\LOGOS\\live.sys", madeOfNew), p.addFile("C:\\PLUMWICK\\Random\\LOGOS\\flat.bmp", kNew);
    FindSystemFolders(t);
    std::set<std::string> picked;
    for (uint32_t seed = 0; seed < 64; ++seed) {
        Text picks[3];
        ASSERT_FALSE(PickRandomLogos(t.machine, seed, picks));
        EXPECT_EQ(Str(picks[0]) + "|" + Str(picks[2]), "C:\\PLUMWICK\\Random\\LOGO\\c.sys|") << seed;
        picked.insert(Str(picks[1]));
        if (Str(picks[1]) == made) {
            EXPECT_EQ(Read(p, made), Contents(madeOfNew)) << seed;
        }
        ClearMadeRandomLogos(t.machine);
        EXPECT_FALSE(p.exists(made)) << seed;
    }
    EXPECT_EQ(picked, (std::set<std::string>{folder + "a.sys", folder + "b.BMP", made}));
}

// With switches the tool shows no window and says nothing when all went
// well. Any failure is one box that says what failed and which logos were
// left as they were, and a non-zero exit code; a wrong command line, or
// another Plumwick running, touches nothing.
TEST(SwitchRun, EachJobWithoutAWindow)
{
    const std::string given = LogoOf(0x123456), relative = LogoOf(0x654321), saved1 = LogoOf(0x0000AA), saved2 = LogoOf(0x0000BB);
    const std::string unchanged = "\r\n\r\nNo logo has been changed.";
    // A picture that is no logo is made into one in the Logos folder, which is what is installed.
    std::string madeOfPicked(kLogoFileSize, 0);
    MemorySource picked = SourceOf(kNew);
    ASSERT_FALSE(MakeLogo(picked, reinterpret_cast<uint8_t*>(madeOfPicked.data())));
    const struct {
        const char* name;
        const char* line;
        std::function<void(FakePlatform&)> also;
        int code;
        Contents live[3];
        std::string box;  // "" for none; a trailing "..." for only the beginning
        // clang-format off
    } cases[] = {
        {"apply", "/logow C:\\PICS\\logo.sys /logos pics\\logo.sys", nullptr, 0, {kOld0, given, relative}, ""},
        {"not_a_logo_made_one", "/logo C:\\PICS\\picked.bmp /logos C:\\PICS\\logo.sys", nullptr, 0, {madeOfPicked, kOld1, given}, ""},
        {"not_a_picture", "/logo C:\\PICS\\picked.bmp /logos C:\\PICS\\notes.bmp", nullptr, 1, {kOld0, kOld1, kOld2},
         "C:\\PICS\\notes.bmp\r\n\r\nThis file is not a picture the tool reads (BMP, JPEG, PNG or GIF)." + unchanged},
        {"missing", "/logos C:\\PICS\\logo.sys /logo C:\\PICS\\gone.sys", nullptr, 1, {kOld0, kOld1, kOld2},
         "C:\\PICS\\gone.sys\r\n\r\nFile not found." + unchanged},
        {"fails_half_way", "/logo C:\\PICS\\logo.sys /logow C:\\PICS\\logo.sys",
         [](FakePlatform& p) { p.failOn(FakePlatform::Op::CopyFile, "WINDOWS\\logow.pwn", kErrDiskFull); }, 1, {given, kOld1, kOld2},
         "Disk full.\r\nC:\\WINDOWS\\logow.sys\r\n\r\nThese logos were left as they were:\r\nC:\\WINDOWS\\logow.sys\r\nC:\\WINDOWS\\logos.sys"},
        {"default", "/default",
         [&](FakePlatform& p) { p.addFolder("C:\\PLUMWICK\\BakLog"), p.addFile(kBackup1, saved1), p.addFile(kBackup2, saved2); }, 0,
         {std::nullopt, saved1, saved2}, ""},
        {"default_with_a_copy_gone", "/default", [&](FakePlatform& p) { p.addFolder("C:\\PLUMWICK\\BakLog"), p.addFile(kBackup1, saved1); }, 1,
         {std::nullopt, saved1, kOld2},
         "Left as they are, as their copies in BakLog are gone:\r\nC:\\PLUMWICK\\BakLog\\logos.sys\r\n\r\n"
         "These logos were left as they were:\r\nC:\\WINDOWS\\logos.sys"},
        {"random", "/random",
         [&](FakePlatform& p) { p.addFolder("C:\\PLUMWICK\\Random"), p.addFolder("C:\\PLUMWICK\\Random\\LOGOS"), p.addFile("C:\\PLUMWICK\\Random\\LOGOS\\x.sys", given); },
         0, {kOld0, kOld1, given}, ""},
        {"wrong", "/wrong", nullptr, 2, {kOld0, kOld1, kOld2}, "This switch is not known: /wrong\r\n\r\nPlumwick.exe /? lists the switches."},
        {"help", "/?", nullptr, 0, {kOld0, kOld1, kOld2}, "Plumwick.exe switches\r\n\r\n/random: for each logo, ..."},
        {"another_copy", "/default", [](FakePlatform& p) { p.otherCopy = true; }, 3, {kOld0, kOld1, kOld2},
         "Plumwick is running already. Run this again when it has finished." + unchanged},
    };
    // clang-format on
    for (const auto& c : cases) {
        UseLanguage(Language::Japanese);  // as a new process starts: the language is the system's, chosen first
        FakePlatform p;
        LayOutMachine(p);
        p.acp = 1252, p.arguments = c.line;
        p.addFile("C:\\PICS\\logo.sys", given), p.addFile("C:\\PICS\\notes.bmp", "no picture"), p.addFolder("C:\\WORK"), p.addFolder("C:\\WORK\\pics"),
            p.addFile("C:\\WORK\\pics\\logo.sys", relative);
        if (c.also) c.also(p);
        const bool firstRun = !p.exists("C:\\PLUMWICK\\BakLog"), kept2 = p.exists(kBackup2);
        Tool t(p, p);
        EXPECT_EQ(Main(t), c.code) << c.name;
        EXPECT_EQ(std::make_tuple(Read(p, kLive0), Read(p, kLive1), Read(p, kLive2)), std::make_tuple(c.live[0], c.live[1], c.live[2])) << c.name;
        const size_t shown = c.box.size() > 3 && c.box.compare(c.box.size() - 3, 3, "...") == 0 ? c.box.size() - 3 : std::string::npos;
        ASSERT_EQ(p.boxes.size(), c.box.empty() ? 0u : 1u) << c.name;
        EXPECT_EQ(p.boxes.empty() ? "" : p.boxes[0].text.substr(0, shown), c.box.substr(0, shown)) << c.name;
        EXPECT_TRUE(p.forms.empty() && NoTemporaryFiles(p)) << c.name;
        EXPECT_EQ(Read(p, "C:\\PLUMWICK\\Logos\\picked.bmp").has_value(), c.live[0] == Contents(madeOfPicked)) << c.name;
        const bool started = c.code != 2 && !p.otherCopy && c.line != std::string("/?");
        EXPECT_EQ(Read(p, kBackup2).has_value(), (started && firstRun) || kept2) << c.name << ": the first run's backup";
    }
}

}  // namespace
