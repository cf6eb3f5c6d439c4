#include "logo_files/apply.h"
#include "logo_files/slots.h"
#include "picture/bitmap_check.h"
#include "ui/error_styles.h"
#include "ui/help_window/help_window.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/palette_cycle.h"
#include "ui/main_window/previews.h"

namespace {
bool InRow(int control, int first) { return control >= first && control < first + kSlotCount; }

Err CloseMainWindow(MainWindow& w) { return w.tool.platform.unloadForm(w.form); }

// A file that is no bitmap would give no logo, or a broken one: it is
// named, and nothing is touched.
bool ChosenFileIsAPicture(MainWindow& w, LogoSlot slot)
{
    const Text& chosen = w.chosen[slot];
    if (chosen.empty() || (slot == 0 && chosen == DefaultStartupMarker(w.tool.machine))) return true;
    Platform& p = w.tool.platform;
    uint8_t* data = nullptr;
    uint32_t size = 0;
    Err failed = w.tool.machine.files.readFile(chosen, kMaxBitmapFileSize, &data, &size);
    BitmapLayout layout;
    if (!failed && !CheckBitmapFile(data, size, &layout)) failed = Err(kErrInvalidPicture, chosen);
    delete[] data;
    if (!failed) return true;
    p.messageBox(failed.description() + "\r\n\r\n" + TextOf(kTxtNothingChanged), Buttons::Ok, Icon::Critical,
                 TextOf(kTxtAppTitle));
    return false;
}

// Every choice is checked before any is applied; a refused one keeps the
// window open with the choices.
Err ApplyChosenLogos(MainWindow& w)
{
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        if (!ChosenFileIsAPicture(w, slot)) return Err();
    PLUMWICK_TRY(ApplyLogos(w.tool.machine, w.chosen));
    return CloseMainWindow(w);
}

// The defaults become the choices, each a change with its own preview run.
Err RestoreDefaults(MainWindow& w)
{
    Text sources[kSlotCount];
    PLUMWICK_TRY(RestoreDefaultLogos(w.tool.machine, sources));
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) PLUMWICK_TRY(SetChoice(w, slot, sources[slot]));
    return Err();
}

Err ShowHelp(MainWindow& w) { return ShowHelpWindow(w.tool); }

struct ClickHandler {
    int control;
    Err (*handle)(MainWindow&);
};

const ClickHandler kClickHandlers[] = {
    {MainControl::OkButton, ApplyChosenLogos},
    {MainControl::CancelButton, CloseMainWindow},
    {MainControl::RestoreButton, RestoreDefaults},
    {MainControl::HowToButton, ShowHelp},
};
}

MainWindow::~MainWindow() { DeletePaletteCycle(cycle); }

void MainWindow::Load(FormHandle self)
{
    form = self;
    InitMainWindow(*this);
}

// Every way of closing ends here: the position is kept, then the tool ends.
void MainWindow::Unload()
{
    ShowAndEnd(tool, SaveWindowPosition(*this));
    tool.platform.endNow();
}

void MainWindow::Click(int control)
{
    if (InRow(control, MainControl::ChooseButton)) {
        ChooseLogoFile(*this, control - MainControl::ChooseButton);
        return;
    }
    for (const ClickHandler& handler : kClickHandlers)
        if (handler.control == control) ShowAndEnd(tool, handler.handle(*this));
}

void MainWindow::Timer() { StepPaletteCycle(*this); }

Err SetChoice(MainWindow& w, LogoSlot slot, const Text& path)
{
    if (w.chosen[slot] == path) return Err();
    Platform& p = w.tool.platform;
    PLUMWICK_TRY(p.setCaption(w.form, MainControl::ChosenPath + slot, path));
    w.chosen[slot] = path;
    ShowAndEnd(w.tool, p.setEnabled(w.form, MainControl::OkButton, true));
    ShowPreviews(w);
    return Err();
}

// The window lives until the tool ends, and so does what it keeps.
Err ShowMainWindow(Tool& t)
{
    MainWindow* window = new MainWindow(t);
    if (!window) return Err(kErrOutOfMemory);
    FormHandle form = kNoForm;
    if (Err e = t.platform.loadForm(kMainWindowDef, window, &form)) {
        delete window;
        return e;
    }
    return t.platform.showForm(form, false);
}
