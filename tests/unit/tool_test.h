#pragma once
// The machine the tool's unit tests run on, and how they work its windows.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "bitmaps.h"
#include "fake_platform.h"
#include "main.h"
#include "ui/main_window/main_window.h"

using Contents = std::optional<std::string>;  // nullopt: no such file

const char *const kLive0 = "C:\\logo.sys", *const kLive1 = "C:\\WINDOWS\\logow.sys", *const kLive2 = "C:\\WINDOWS\\logos.sys";
const char* const kLive[] = {kLive0, kLive1, kLive2};
const char *const kBackup0 = "C:\\PLUMWICK\\BakLog\\logo.sys", *const kBackup1 = "C:\\PLUMWICK\\BakLog\\logow.sys",
                  *const kBackup2 = "C:\\PLUMWICK\\BakLog\\logos.sys";
const char *const kDefault = "C:\\PLUMWICK\\DfltLogo.sys", *const kMarker = "C:\\PLUMWICK\\dfltlogo.sys";
const char *const kSettings = "C:\\PLUMWICK\\Wendrop1.vrx", *const kPicked = "C:\\PICS\\picked.bmp";
const char *const kLeft =
                      "\x8B\x4E\x93\xAE\x8E\x9E\x82\xCC"
                      "Left",
                  *const kTop =
                      "\x8B\x4E\x93\xAE\x8E\x9E\x82\xCC"
                      "Top";  // 起動時の
// Colours (0xRRGGBB) of small pictures that tell which file a preview came from.
constexpr uint32_t kLogo0 = 0x100000, kLogo1 = 0x200000, kLogo2 = 0x300000, kDefaultRgb = 0x0000FF, kPickedRgb = 0x00FF00;
const std::string kContinue = "\r\n\x91\xB1\x82\xAF\x82\xDC\x82\xB7\x82\xA9\x81\x48";  // 続けますか？

// A small picture of one colour.
inline std::string Flat(uint32_t rgb, int32_t width = 2, int32_t height = 2)
{
    return Picture24(width, height, [rgb](int32_t, int32_t) { return rgb; });
}
// A logo whose every pixel is entry 253; entry i is grey i but entry 255 is
// `last`; entries from `firstCycled` on turn.
inline std::string LogoShaped(uint8_t firstCycled, uint32_t last)
{
    std::vector<uint32_t> palette(256);
    for (uint32_t i = 0; i < 256; ++i) palette[i] = i == 255 ? last : i * 0x010101;
    return LogoFile(
        palette, [](int32_t, int32_t) { return 253u; }, firstCycled);
}
const std::string kOld0 = Flat(kLogo0), kOld1 = Flat(kLogo1), kOld2 = Flat(kLogo2), kNew = Flat(kPickedRgb);

// The message a failure shows: its description, the path on a line of its own.
inline std::string Says(int number, const char* path = "") { return Str(Err(number, path).description()); }
inline Contents Read(const FakePlatform& p, const std::string& path) { return p.exists(path) ? Contents(p.bytes(path)) : std::nullopt; }
inline std::vector<int32_t> Rect(const PixelRect& r) { return {r.left, r.top, r.width, r.height}; }
bool NoTemporaryFiles(const FakePlatform& p);
// The three live logos, the default picture and a picked file.
void LayOutMachine(FakePlatform& p);
// The main windows the tool left open, freed as the end of the process would.
void FreeMainWindows(FakePlatform& p);

// A machine laid out by LayOutMachine, and the tool.
class ToolTest : public ::testing::Test {
protected:
    FakePlatform p;
    Tool t{p, p};

    void SetUp() override;
    void TearDown() override { FreeMainWindows(p); }
    template <typename F>
    bool Run(F&& f)  // false if the tool ended in f
    {
        try {
            f();
            return true;
        } catch (const FakeEnded&) {
            return false;
        }
    }
    bool Start()
    {
        return Run([&] { Main(t); });
    }
    FakePlatform::Form& Window();                                               // the main window last loaded
    MainWindow& State() { return *static_cast<MainWindow*>(Window().events); }  // what the main window keeps
    FakePlatform::Control& Ctl(int id) { return Window().controls.at(id); }
    std::string Chosen(int slot) { return Ctl(MainControl::ChosenPath + slot).caption; }
    bool Click(int control)
    {
        return Run([&] { Window().events->Click(control); });
    }
    void Choose(int slot, const std::string& path, Answer make = Answer::No)
    {
        p.fileChoices = {path}, p.answers = {make}, Click(MainControl::ChooseButton + slot);
    }
    std::string Stored(const char* key)
    {
        Text value;
        return p.readProfileString("Wendrop1", key, kSettings, &value) ? Str(value) : "(none)";
    }
    bool Apply(const char* a, const char* b, const char* c);
    void ExpectLive(Contents a, Contents b, Contents c)
    {
        EXPECT_EQ(std::make_tuple(Read(p, kLive0), Read(p, kLive1), Read(p, kLive2)), std::make_tuple(a, b, c));
        EXPECT_TRUE(NoTemporaryFiles(p));
    }
    std::vector<int> Draws();
    uint32_t Shown(int slot);  // the colour of a 96 x 60 preview all of one colour, else 0xFFFFFFFF
    bool None(int slot);       // the preview shows no logo: grey, crossed out
};
