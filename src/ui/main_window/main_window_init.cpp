#include "logo_files/slots.h"
#include "ui/error_styles.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/previews.h"
#include "ui/window_placement.h"

// Every step of the opening is a unit of its own: a missing or unreadable
// file asks whether to go on with the next unit, anything else ends.
namespace {
constexpr int32_t kWindowWidth = 340;
constexpr int32_t kWindowHeight = 256;
constexpr int32_t kRowPitch = 24;      // between the slot rows
constexpr int32_t kColumnPitch = 104;  // between the preview columns

void Place(MainWindow& w, const ScreenInfo& screen, const ControlPlace& at)
{
    AskToGoOn(w.tool, SetPlaceFont(w.tool.platform, w.form, at));
    AskToGoOn(w.tool, MoveToPlace(w.tool.platform, w.form, screen, at));
}

void LayOut(MainWindow& w)
{
    const ScreenInfo screen = w.tool.platform.screen();
    using namespace MainControl;
    constexpr bool f = true;  // the labels' font
    for (int32_t i = 0; i < kSlotCount; ++i) {
        const ControlPlace row[] = {
            {SlotName + i, f, 8, 11 + kRowPitch * i, kUnchanged, kUnchanged},
            {ChooseButton + i, f, 64, 8 + kRowPitch * i, 41, 17},
            {ChosenPath + i, f, 112, 11 + kRowPitch * i, 17, kUnchanged},
            {PreviewTitle + i, f, 16 + kColumnPitch * i, 88, kUnchanged, kUnchanged},
            {Preview + i, false, 16 + kColumnPitch * i, 104, kPreviewWidth, kPreviewHeight},
        };
        for (const ControlPlace& at : row) Place(w, screen, at);
    }
    const ControlPlace bottom[] = {
        {FormatNote, f, 8, 168, kUnchanged, kUnchanged},
        {HowToButton, f, 8, 192, 121, 25},
        {RestoreButton, f, 136, 192, 57, 25},
        {OkButton, f, 200, 192, 57, 25},
        {CancelButton, f, 264, 192, 57, 25},
    };
    for (const ControlPlace& at : bottom) Place(w, screen, at);
}

// The stored place, or the centre worked out from the size the window
// loaded with; then the fixed size.
void PlaceWindow(MainWindow& w)
{
    Platform& p = w.tool.platform;
    ScreenInfo screen = p.screen();
    w.settingsPath = w.tool.machine.ToolFolder + "\\Wendrop1.vrx";
    int32_t left = 0, top = 0, width = 0, height = 0;
    AskToGoOn(w.tool, CentredAsLoaded(p, w.form, screen, &left, &top));
    left = ReadWindowPosition(w, kKeyLeft, left);
    top = ReadWindowPosition(w, kKeyTop, top);
    Err sized = OuterSizeTwips(screen, kWindowWidth, kWindowHeight, &width, &height);
    if (!sized) KeepTitleBarReachable(screen, width, height, &left, &top);
    AskToGoOn(w.tool, sized ? sized : MoveFormTwips(p, w.form, screen, left, top, width, height));
}

// The start-up logo may be hidden, system or read-only: Windows shows it
// all the same, so it is the one to preview.
void PreviewInstalledLogos(MainWindow& w)
{
    Tool& t = w.tool;
    Text name;
    const Machine& m = t.machine;
    AskToGoOn(t, m.files.findFile(LivePath(m, 0), FileQuery::AnyFile, &name));
    PreviewFile(w, 0, name.empty() ? DefaultPicturePath(m) : m.BootRoot + name, AskToGoOn);
    PreviewFile(w, 1, LivePath(m, 1), AskToGoOn);
    PreviewFile(w, 2, LivePath(m, 2), AskToGoOn);
}
}

void InitMainWindow(MainWindow& w)
{
    LayOut(w);
    PlaceWindow(w);
    PreviewInstalledLogos(w);
    AskToGoOn(w.tool, w.tool.platform.setEnabled(w.form, MainControl::OkButton, false));
}
