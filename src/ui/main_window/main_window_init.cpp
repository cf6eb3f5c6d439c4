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
constexpr int32_t kMargin = 8;
// Room for the slots' names in either language, at any dots per inch.
constexpr int32_t kButtonLeft = 72, kButtonWidth = 41, kPathLeft = kButtonLeft + kButtonWidth + kMargin;

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
            {ChooseButton + i, f, kButtonLeft, 8 + kRowPitch * i, kButtonWidth, 17},
            {ChosenPath + i, f, kPathLeft, 8 + kRowPitch * i, kWindowWidth - kPathLeft - kMargin, 17},
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
    w.settingsPath = SettingsPath(w.tool.machine);
    int32_t left = 0, top = 0, width = 0, height = 0;
    AskToGoOn(w.tool, CentredAsLoaded(p, w.form, screen, &left, &top));
    left = ReadWindowPosition(w, kKeyLeft, left);
    top = ReadWindowPosition(w, kKeyTop, top);
    Err sized = OuterSizeTwips(screen, kWindowWidth, kWindowHeight, &width, &height);
    if (!sized) KeepTitleBarReachable(screen, width, height, &left, &top);
    AskToGoOn(w.tool, sized ? sized : MoveFormTwips(p, w.form, screen, left, top, width, height));
}

// The shutdown logos that are not there are named in one box, with what
// that means; a missing start-up logo is Windows' own, and needs no word.
void TellMissingLogos(MainWindow& w)
{
    const Machine& m = w.tool.machine;
    Text missing;
    for (LogoSlot slot = 1; slot < kSlotCount; ++slot) {
        Text name;
        if (!m.files.findFile(LivePath(m, slot), FileQuery::AnyFile, &name) && name.empty())
            missing += Text("\r\n") + LivePath(m, slot);
    }
    if (missing.empty()) return;
    w.tool.platform.messageBox(Text(TextOf(kTxtMissingLogos)) + missing + "\r\n\r\n" + TextOf(kTxtMissingMeans),
                               Buttons::Ok, Icon::Information, TextOf(kTxtAppTitle));
}
}

void InitMainWindow(MainWindow& w)
{
    LayOut(w);
    PlaceWindow(w);
    TellMissingLogos(w);
    PreviewInstalledLogos(w, AskToGoOn);
    AskToGoOn(w.tool, w.tool.platform.setEnabled(w.form, MainControl::OkButton, false));
}
