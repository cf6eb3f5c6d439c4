#include "form1.h"

#include "../help_window/form2.h"
#include "../logo_files/apply.h"
#include "main_window.h"
#include "previews.h"

namespace {
Err CloseMainWindow(Tool& t) { return t.platform.unloadForm(t.mainWindow); }

struct ClickHandler {
    int control;
    Err (*handle)(Tool&);
};

const ClickHandler kClickHandlers[] = {
    {Form1::cmdOK, ApplyLogos},
    {Form1::cmdCancel, CloseMainWindow},
    {Form1::cmdDflt, RestoreDefaultLogos},
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

    void Load() override { InitMainWindow(t_); }

    // Every way of closing ends here: the position is kept, then the tool ends.
    void Unload() override
    {
        TopLevel(t_, SaveWindowPosition(t_));
        t_.platform.endNow();
    }

    void Click(int control) override
    {
        if (IsSlotControl(control, Form1::kCmdSansyou0)) {
            SelectLogoFile(t_, static_cast<int16_t>(control - Form1::kCmdSansyou0));
            return;
        }
        for (const ClickHandler& handler : kClickHandlers)
            if (handler.control == control) TopLevel(t_, handler.handle(t_));
    }

    void Change(int control) override
    {
        if (!IsSlotControl(control, Form1::kLblLogo0)) return;
        TopLevel(t_, EnableOK(t_));
        ShowPreviews(t_);
    }

private:
    Tool& t_;
};
}

// The window lives until the tool ends, and so do its handlers.
Err ShowMainWindow(Tool& t)
{
    PLUMWICK_TRY(t.platform.loadForm(Form1::kDefinition, new MainWindowEvents(t), &t.mainWindow));
    return t.platform.showForm(t.mainWindow, false);
}
