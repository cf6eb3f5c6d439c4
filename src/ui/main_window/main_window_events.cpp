#include "ui/help_window/help_window.h"
#include "logo_files/apply.h"
#include "logo_files/slots.h"
#include "ui/error_styles.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/main_window_controls.h"
#include "ui/main_window/palette_cycle.h"
#include "ui/main_window/previews.h"

namespace {
Err CloseMainWindow(Tool& t) { return t.platform.unloadForm(t.mainWindow); }

// A file the tool cannot load as a picture would give no logo, or a broken
// one: it is named, and nothing is touched.
bool ChosenFileLoads(Tool& t, LogoSlot slot, const Text& chosen)
{
    if (chosen.empty() || (slot == 0 && chosen == DefaultStartupMarker(t))) return true;
    Platform& p = t.platform;
    Err failed = p.loadPicture(t.mainWindow, Form1::picMoto(slot), chosen);
    (void)p.loadPicture(t.mainWindow, Form1::picMoto(slot), Text());
    if (!failed) return true;
    p.messageBox(failed.description() + "\r\n\r\n" + TextOf(kTxtNothingChanged), Buttons::Ok, Icon::Critical,
                 TextOf(kTxtAppTitle));
    return false;
}

// The chosen files are the path labels' texts. All are checked before any
// is applied; a refused one keeps the window open with the choices.
Err ApplyChosenLogos(Tool& t)
{
    Text chosen[kSlotCount];
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        PLUMWICK_TRY(t.platform.caption(t.mainWindow, Form1::lblLogo(slot), &chosen[slot]));
        if (!ChosenFileLoads(t, slot, chosen[slot])) return Err();
    }
    PLUMWICK_TRY(ApplyLogos(t, chosen));
    return CloseMainWindow(t);
}

// Each new text is a change of its label, with its own preview run.
Err RestoreDefaults(Tool& t)
{
    Text sources[kSlotCount];
    PLUMWICK_TRY(RestoreDefaultLogos(t, sources));
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        PLUMWICK_TRY(t.platform.setCaption(t.mainWindow, Form1::lblLogo(slot), sources[slot]));
    return Err();
}

struct ClickHandler {
    int control;
    Err (*handle)(Tool&);
};

const ClickHandler kClickHandlers[] = {
    {Form1::cmdOK, ApplyChosenLogos},
    {Form1::cmdCancel, CloseMainWindow},
    {Form1::cmdDflt, RestoreDefaults},
    {Form1::cmdHint, ShowHelpWindow},
};

bool IsSlotControl(int control, int first) { return control >= first && control < first + kSlotCount; }

// OK stays enabled from the first change of a chosen file on.
Err EnableOK(Tool& t)
{
    bool enabled = false;
    PLUMWICK_TRY(t.platform.isEnabled(t.mainWindow, Form1::cmdOK, &enabled));
    if (enabled) return Err();
    return t.platform.setEnabled(t.mainWindow, Form1::cmdOK, true);
}

class MainWindowEvents final : public FormEvents {
public:
    explicit MainWindowEvents(Tool& t) : t_(t) {}

    void Load(FormHandle self) override
    {
        t_.mainWindow = self;
        InitMainWindow(t_);
    }

    // Every way of closing ends here: the position is kept, then the tool ends.
    void Unload() override
    {
        ShowAndEnd(t_, SaveWindowPosition(t_));
        t_.platform.endNow();
    }

    void Click(int control) override
    {
        if (IsSlotControl(control, Form1::kCmdSansyou0)) {
            SelectLogoFile(t_, static_cast<int16_t>(control - Form1::kCmdSansyou0));
            return;
        }
        for (const ClickHandler& handler : kClickHandlers)
            if (handler.control == control) ShowAndEnd(t_, handler.handle(t_));
    }

    void Timer() override { StepPaletteCycle(t_); }

    void Change(int control) override
    {
        if (!IsSlotControl(control, Form1::kLblLogo0)) return;
        ShowAndEnd(t_, EnableOK(t_));
        ShowPreviews(t_);
    }

private:
    Tool& t_;
};
}

// The window lives until the tool ends, and so do its handlers.
Err ShowMainWindow(Tool& t)
{
    FormHandle form = kNoForm;
    PLUMWICK_TRY(t.platform.loadForm(Form1::kDefinition, new MainWindowEvents(t), &form));
    return t.platform.showForm(form, false);
}
