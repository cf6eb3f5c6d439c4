#include "../logo_files/slots.h"
#include "../platform/units.h"
#include "form1.h"
#include "main_window.h"
#include "previews.h"

namespace {
constexpr int32_t kNoFont = 0;
constexpr int32_t kFontPoints = 9;
constexpr int32_t kWindowWidth = 340;
constexpr int32_t kWindowHeight = 256;

struct Placement {
    int control;
    int32_t font;
    int32_t left, top, width, height;
};

// Every step of the opening is a unit of its own: a missing or unreadable
// file asks whether to go on with the next unit, anything else ends.
void Unit(Tool& t, const Err& e)
{
    if (!e) return;
    Platform& p = t.platform;
    if (IsFileError(e)) {
        if (p.messageBox(e.description() + "\r\n続けますか？", Buttons::YesNo, Icon::Question,
                         kAppTitle) == Answer::Yes)
            return;
    } else {
        p.messageBox(e.description(), Buttons::Ok, Icon::Critical, kAppTitle);
    }
    p.endNow();
}

void Place(Tool& t, const Placement& at)
{
    Platform& p = t.platform;
    if (at.font != kNoFont) Unit(t, p.setFontSize(t.mainWindow, at.control, at.font));
    Unit(t, p.moveControl(t.mainWindow, at.control, at.left, at.top, at.width, at.height));
}

void LayOut(Tool& t)
{
    using namespace Form1;
    for (int32_t i = 0; i < kSlotCount; ++i) {
        const Placement row[] = {
            {Label1(i), kFontPoints, 8, 11 + 24 * i, kUnchanged, kUnchanged},
            {cmdSansyou(i), kFontPoints, 64, 8 + 24 * i, 41, 17},
            {lblLogo(i), kFontPoints, 112, 11 + 24 * i, 17, kUnchanged},
            {Label2(i), kFontPoints, 16 + 104 * i, 88, kUnchanged, kUnchanged},
            {picPreView(i), kNoFont, 16 + 104 * i, 104, 96, 60},
        };
        for (const Placement& at : row) Place(t, at);
    }
    const Placement bottom[] = {
        {Label3, kFontPoints, 8, 168, kUnchanged, kUnchanged},
        {cmdHint, kFontPoints, 8, 192, 121, 25},
        {cmdDflt, kFontPoints, 136, 192, 57, 25},
        {cmdOK, kFontPoints, 200, 192, 57, 25},
        {cmdCancel, kFontPoints, 264, 192, 57, 25},
    };
    for (const Placement& at : bottom) Place(t, at);
}

Err MoveWindow(Tool& t, int32_t left, int32_t top, const ScreenInfo& screen)
{
    int32_t width = kWindowWidth * TwipsPerPixel(screen.dpiX);
    int32_t height = kWindowHeight * TwipsPerPixel(screen.dpiY);
    if (!FitsInt16(width) || !FitsInt16(height)) return Err(kErrOverflow);
    return t.platform.moveForm(t.mainWindow, TwipsToPixels(left, top, width, height, screen));
}

void Place(Tool& t)
{
    Platform& p = t.platform;
    ScreenInfo screen = p.screen();
    t.SettingsPath = p.toolFolder() + "\\Wendrop1.vrx";
    // The centre is worked out from the size the window loaded with.
    PixelRect loaded{};
    Unit(t, p.formRect(t.mainWindow, &loaded));
    int32_t left = ReadWindowPosition(t, kKeyLeft, CentredTwips(screen.widthPx, loaded.width, screen.dpiX));
    int32_t top = ReadWindowPosition(t, kKeyTop, CentredTwips(screen.heightPx, loaded.height, screen.dpiY));
    Unit(t, MoveWindow(t, left, top, screen));
}

void PreviewInstalled(Tool& t, LogoSlot slot, const Text& path)
{
    Platform& p = t.platform;
    Unit(t, p.loadPicture(t.mainWindow, Form1::picMoto(slot), path));
    Unit(t, PreviewDrawing(t, slot));
    Unit(t, p.loadPicture(t.mainWindow, Form1::picMoto(slot), Text()));
}

// The start-up logo may be hidden, system or read-only: Windows shows it
// all the same, so it is the one to preview.
void PreviewInstalledLogos(Tool& t)
{
    Text name;
    Unit(t, t.platform.findFile(LivePath(t, 0), FileQuery::AnyFile, &name));
    PreviewInstalled(t, 0, name.empty() ? DefaultPicturePath(t) : t.BootRoot + name);
    PreviewInstalled(t, 1, LivePath(t, 1));
    PreviewInstalled(t, 2, LivePath(t, 2));
}

// Emptying a chosen file is a change that would start a preview run and
// enable OK; the flag swallows the run, and OK is disabled again.
void EmptyChosenFiles(Tool& t)
{
    Platform& p = t.platform;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        t.SkipNextPreview = true;
        Unit(t, p.setCaption(t.mainWindow, Form1::lblLogo(slot), Text()));
        Unit(t, p.setEnabled(t.mainWindow, Form1::cmdOK, false));
    }
}
}

void InitMainWindow(Tool& t)
{
    LayOut(t);
    Place(t);
    PreviewInstalledLogos(t);
    EmptyChosenFiles(t);
}
