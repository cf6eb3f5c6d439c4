#pragma once
#include <gtest/gtest.h>

#include <cmath>

#include "../../src/logo_files/slots.h"
#include "../../src/logo_files/startup.h"
#include "../../src/main_window/form1.h"
#include "../fake/fake_platform.h"

// A small picture whose colour tells which file it came from.
inline std::string Logo(uint32_t rgb, int32_t width = 32, int32_t height = 40)
{
    return MakeBitmap(width, height, [rgb](int32_t, int32_t) { return rgb; });
}

constexpr const char* kLive0 = "C:\\logo.sys";
constexpr const char* kLive1 = "C:\\WINDOWS\\logow.sys";
constexpr const char* kLive2 = "C:\\WINDOWS\\logos.sys";
constexpr const char* kBackup1 = "C:\\PLUMWICK\\BakLog\\logow.sys";
constexpr const char* kBackup2 = "C:\\PLUMWICK\\BakLog\\logos.sys";

// A machine with the three live logos, the default picture and the tool.
class ToolTest : public ::testing::Test {
protected:
    FakePlatform p;
    Tool t{p};

    void SetUp() override
    {
        p.addFile(kLive0, Logo(0x100000));
        p.addFile(kLive1, Logo(0x200000));
        p.addFile(kLive2, Logo(0x300000));
        p.addFile("C:\\PLUMWICK\\DfltLogo.sys", Logo(0x0000FF));
    }

    // Runs the tool's code; false if the tool ended in it.
    template <typename F>
    bool Run(F&& f)
    {
        try {
            f();
            return true;
        } catch (const FakeEnded&) {
            return false;
        }
    }
    // Start-up to the open main window.
    bool Start()
    {
        return Run([&] { Main(t); });
    }

    FakePlatform::Control& Ctl(int index) { return p.control(t.mainWindow, index); }
    std::string Chosen(int slot) { return Ctl(Form1::lblLogo(slot)).caption; }
    bool Click(int control)
    {
        return Run([&] { p.forms.at(t.mainWindow).events->Click(control); });
    }
    void Choose(int slot, const std::string& path)
    {
        p.fileChoices.push_back(path);
        Click(Form1::cmdSansyou(slot));
    }
};

// Where a window of `loaded` pixels is centred on a screen of `screen`
// pixels: the room in twips rounded half to even, halved toward zero, then
// back to pixels.
inline int32_t CentredPixels(int32_t screen, int32_t loaded, int32_t dpi)
{
    double room = std::nearbyint((screen - loaded) * (1440.0 / dpi));
    int32_t half = static_cast<int32_t>(room) / 2;
    return static_cast<int32_t>(std::nearbyint(half * dpi / 1440.0));
}

// Names parameterised cases after their `name` field.
struct CaseName {
    template <typename P>
    std::string operator()(const ::testing::TestParamInfo<P>& info) const
    {
        return info.param.name;
    }
};
