#include "logo_files/slots.h"
#include "ui/error_styles.h"
#include "ui/window_placement.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/main_window_controls.h"
#include "ui/main_window/previews.h"

// Every step of the opening is a unit of its own: a missing or unreadable
// file asks whether to go on with the next unit, anything else ends.
namespace {
constexpr int32_t kWindowWidth = 340;
constexpr int32_t kWindowHeight = 256;
constexpr int32_t kRowPitch = 24;     // between the slot rows
constexpr int32_t kColumnPitch = 104;  // between the preview columns

void Place(Tool& t, const ScreenInfo& screen, const ControlPlace& at)
{
    AskToGoOn(t, SetPlaceFont(t.platform, t.mainWindow, at));
    AskToGoOn(t, MoveToPlace(t.platform, t.mainWindow, screen, at));
}

void LayOut(Tool& t)
{
    const ScreenInfo screen = t.platform.screen();
    using namespace Form1;
    constexpr bool f = true;  // the labels' font
    for (int32_t i = 0; i < kSlotCount; ++i) {
        const ControlPlace row[] = {
            {Label1(i), f, 8, 11 + kRowPitch * i, kUnchanged, kUnchanged},
            {cmdSansyou(i), f, 64, 8 + kRowPitch * i, 41, 17},
            {lblLogo(i), f, 112, 11 + kRowPitch * i, 17, kUnchanged},
            {Label2(i), f, 16 + kColumnPitch * i, 88, kUnchanged, kUnchanged},
            {picPreView(i), false, 16 + kColumnPitch * i, 104, kPreviewWidth, kPreviewHeight},
        };
        for (const ControlPlace& at : row) Place(t, screen, at);
    }
    const ControlPlace bottom[] = {
        {Label3, f, 8, 168, kUnchanged, kUnchanged},
        {cmdHint, f, 8, 192, 121, 25},
        {cmdDflt, f, 136, 192, 57, 25},
        {cmdOK, f, 200, 192, 57, 25},
        {cmdCancel, f, 264, 192, 57, 25},
    };
    for (const ControlPlace& at : bottom) Place(t, screen, at);
}

// The stored place, or the centre worked out from the size the window
// loaded with; then the fixed size.
void PlaceWindow(Tool& t)
{
    Platform& p = t.platform;
    ScreenInfo screen = p.screen();
    t.SettingsPath = p.toolFolder() + "\\Wendrop1.vrx";
    int32_t left = 0, top = 0, width = 0, height = 0;
    AskToGoOn(t, CentredAsLoaded(p, t.mainWindow, screen, &left, &top));
    left = ReadWindowPosition(t, kKeyLeft, left);
    top = ReadWindowPosition(t, kKeyTop, top);
    Err sized = OuterSizeTwips(screen, kWindowWidth, kWindowHeight, &width, &height);
    if (!sized) KeepTitleBarReachable(screen, width, height, &left, &top);
    AskToGoOn(t, sized ? sized : MoveFormTwips(p, t.mainWindow, screen, left, top, width, height));
}

// The start-up logo may be hidden, system or read-only: Windows shows it
// all the same, so it is the one to preview.
void PreviewInstalledLogos(Tool& t)
{
    Text name;
    AskToGoOn(t, t.platform.findFile(LivePath(t, 0), FileQuery::AnyFile, &name));
    PreviewFile(t, 0, name.empty() ? DefaultPicturePath(t) : t.BootRoot + name, AskToGoOn);
    PreviewFile(t, 1, LivePath(t, 1), AskToGoOn);
    PreviewFile(t, 2, LivePath(t, 2), AskToGoOn);
}

// Emptying a chosen file is a change that would start a preview run and
// enable OK; the flag swallows the run, and OK is disabled again.
void EmptyChosenFiles(Tool& t)
{
    Platform& p = t.platform;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        t.SkipNextPreview = true;
        AskToGoOn(t, p.setCaption(t.mainWindow, Form1::lblLogo(slot), Text()));
        AskToGoOn(t, p.setEnabled(t.mainWindow, Form1::cmdOK, false));
    }
}
}

void InitMainWindow(Tool& t)
{
    LayOut(t);
    PlaceWindow(t);
    PreviewInstalledLogos(t);
    EmptyChosenFiles(t);
}
