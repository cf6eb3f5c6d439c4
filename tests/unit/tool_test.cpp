#include "tool_test.h"

#include "logo_files/apply.h"
#include "ui/error_styles.h"

bool NoTemporaryFiles(const FakePlatform& p)
{
    for (const auto& [folded, e] : p.files)
        if (folded.find(".pwn") != std::string::npos || folded.find(".pwo") != std::string::npos) return false;
    return true;
}

void FreeMainWindows(FakePlatform& p)
{
    for (FakePlatform::Form& f : p.forms)
        if (f.def == &kMainWindowDef) delete static_cast<MainWindow*>(f.events), f.events = nullptr;
}

void LayOutMachine(FakePlatform& p)
{
    p.addFile(kLive0, kOld0), p.addFile(kLive1, kOld1), p.addFile(kLive2, kOld2), p.addFile(kDefault, Flat(kDefaultRgb));
    p.addFolder("C:\\PICS"), p.addFile(kPicked, kNew);
}

void ToolTest::SetUp()
{
    UseLanguage(Language::Japanese);
    LayOutMachine(p);
}

FakePlatform::Form& ToolTest::Window()
{
    for (auto f = p.forms.rbegin(); f != p.forms.rend(); ++f)
        if (f->def == &kMainWindowDef) return *f;
    throw std::runtime_error("no main window");
}

std::vector<int> ToolTest::Draws()
{
    std::vector<int> draws;
    for (int slot = 0; slot < 3; ++slot) draws.push_back(Ctl(MainControl::Preview + slot).draws);
    return draws;
}

uint32_t ToolTest::Shown(int slot)
{
    const FakePlatform::Picture& d = Ctl(MainControl::Preview + slot).drawn;
    for (size_t i = 3; i < d.bgr.size(); ++i)
        if (d.bgr[i] != d.bgr[i % 3]) return 0xFFFFFFFF;
    return d.width != 96 || d.height != 60 ? 0xFFFFFFFF : uint32_t(d.bgr[2]) << 16 | d.bgr[1] << 8 | d.bgr[0];
}

bool ToolTest::None(int slot)
{
    const FakePlatform::Picture& d = Ctl(MainControl::Preview + slot).drawn;
    return d.width == 96 && d.bgr.size() == 96 * 60 * 3 && d.bgr[0] == 0x80 && d.bgr[(5 * 96 + 40) * 3] == 0xC0 && d.bgr[(30 * 96 + 48) * 3] == 0x80;
}

bool ToolTest::Apply(const char* a, const char* b, const char* c)
{
    const Text chosen[] = {a, b, c};
    return Run([&] { ShowAndEnd(t, ApplyLogos(t.machine, chosen)); });
}
