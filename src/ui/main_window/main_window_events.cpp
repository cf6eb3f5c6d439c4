#include "logo_files/apply.h"
#include "logo_files/slots.h"
#include "ui/error_styles.h"
#include "ui/help_window/help_window.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/palette_cycle.h"
#include "ui/main_window/previews.h"

namespace {
bool InRow(int control, int first) { return control >= first && control < first + kSlotCount; }

Err CloseMainWindow(MainWindow& w) { return w.tool.platform.unloadForm(w.form); }

// A chosen file that Windows would not show is installed only on the
// user's word, asked once for all of them, No unless answered.
bool AgreedToWhatWindowsWillNotShow(MainWindow& w)
{
    Text files;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        if (!w.chosen[slot].empty() && !w.shownAsLogo[slot]) files += Text("\r\n") + w.chosen[slot];
    if (files.empty()) return true;
    const Text question = Text(TextOf(kTxtNotShownFiles)) + files + "\r\n\r\n" + TextOf(kTxtLogoNeeds) + "\r\n\r\n" +
                          TextOf(kTxtInstallAnyway);
    return w.tool.platform.messageBox(question, Buttons::YesNoDefaultNo, Icon::Question, TextOf(kTxtAppTitle)) ==
           Answer::Yes;
}

Err ApplyChosenLogos(MainWindow& w)
{
    if (!AgreedToWhatWindowsWillNotShow(w)) return Err();
    PLUMWICK_TRY(ApplyLogos(w.tool.machine, w.chosen));
    return CloseMainWindow(w);
}

// "Put back as they were at the first start:" and the logos, when there are any.
Text Listed(const Machine& m, const Restored done[kSlotCount], Restored which, TextId heading)
{
    Text list;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        if (done[slot] == which || (which == Restored::Lost && done[slot] == Restored::NotKept))
            list += Text("\r\n") + LivePath(m, slot) +
                    (which == Restored::Lost ? Text(" (") + BackupPath(m, slot) + ")" : Text());
    return list.empty() ? Text() : Text("\r\n\r\n") + TextOf(heading) + list;
}

// What Default did, in one box; a logo it could not give back is named
// with the copy that is missing.
void TellWhatDefaultDid(MainWindow& w, const Restored done[kSlotCount])
{
    const Machine& m = w.tool.machine;
    const Text lost = Listed(m, done, Restored::Lost, kTxtBackupCopyGone);
    Text text = Listed(m, done, Restored::Replaced, kTxtPutBack) +
                Listed(m, done, Restored::Removed, kTxtRemovedAsAtFirst) + lost;
    text = text.empty() ? Text(TextOf(kTxtNothingToRestore)) : Text(TextOf(kTxtDefaultDid)) + text;
    w.tool.platform.messageBox(text, Buttons::Ok, lost.empty() ? Icon::Information : Icon::Critical,
                               TextOf(kTxtAppTitle));
}

// The logos go back at once; then the rows show what is installed, with
// nothing chosen, and OK waits for a new choice.
Err RestoreDefaults(MainWindow& w)
{
    Restored done[kSlotCount];
    PLUMWICK_TRY(RestoreDefaultLogos(w.tool.machine, done));
    Platform& p = w.tool.platform;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        PLUMWICK_TRY(p.setCaption(w.form, MainControl::ChosenPath + slot, Text()));
        w.chosen[slot] = Text();
        w.shownAsLogo[slot] = false;
    }
    PLUMWICK_TRY(p.setEnabled(w.form, MainControl::OkButton, false));
    PreviewInstalledLogos(w, ShowAndEnd);
    TellWhatDefaultDid(w, done);
    return Err();
}

Err ShowHelp(MainWindow& w) { return ShowHelpWindow(w.tool, w.form); }

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

// A file dropped on a slot's row or preview is chosen for that slot, as if
// in its dialog; any other drop is told where one goes.
void MainWindow::FilesDropped(int control, uint32_t count, const Text& first)
{
    using namespace MainControl;
    const int rows[] = {SlotName, ChooseButton, ChosenPath, PreviewTitle, Preview};
    for (int row : rows)
        if (count == 1 && InRow(control, row)) {
            TakeLogoFile(*this, control - row, first);
            return;
        }
    tool.platform.messageBox(TextOf(kTxtDropOnSlot), Buttons::Ok, Icon::Information, TextOf(kTxtAppTitle));
}

Err SetChoice(MainWindow& w, LogoSlot slot, const Text& path, bool shownAsLogo)
{
    const bool same = w.chosen[slot] == path;
    if (!same) PLUMWICK_TRY(w.tool.platform.setCaption(w.form, MainControl::ChosenPath + slot, path));
    w.shownAsLogo[slot] = shownAsLogo;
    if (same) return Err();
    Platform& p = w.tool.platform;
    w.chosen[slot] = path;
    ShowAndEnd(w.tool, p.setEnabled(w.form, MainControl::OkButton, true));
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
