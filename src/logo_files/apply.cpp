#include "apply.h"

#include "../main_window/form1.h"
#include "slots.h"

namespace {
Err ApplySlot(Tool& t, LogoSlot slot, const Text& chosen)
{
    if (slot == 0 && chosen == DefaultStartupMarker(t)) return DeleteLogoIfPresent(t, 0);
    // Copying the live file onto itself would gain nothing.
    if (t.platform.samePath(chosen, LivePath(t, slot))) return Err();
    return ReplaceLogo(t, slot, chosen);
}
}

// Slots go in order; the first failure stops the run with the earlier
// slots applied and the later ones untouched.
Err ApplyLogos(Tool& t)
{
    Platform& p = t.platform;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        Text chosen;
        PLUMWICK_TRY(p.caption(t.mainWindow, Form1::lblLogo(slot), &chosen));
        if (chosen.empty()) continue;
        PLUMWICK_TRY(ApplySlot(t, slot, chosen));
    }
    return p.unloadForm(t.mainWindow);
}

// Both backups are checked before anything is touched, so a missing one
// cannot leave a slot without its logo.
Err RestoreDefaultLogos(Tool& t)
{
    Platform& p = t.platform;
    PLUMWICK_TRY(p.checkReadable(BackupPath(t, 1)));
    PLUMWICK_TRY(p.checkReadable(BackupPath(t, 2)));
    PLUMWICK_TRY(DeleteLogoIfPresent(t, 0));
    PLUMWICK_TRY(ReplaceLogo(t, 1, BackupPath(t, 1)));
    PLUMWICK_TRY(ReplaceLogo(t, 2, BackupPath(t, 2)));
    PLUMWICK_TRY(p.setCaption(t.mainWindow, Form1::lblLogo(0), DefaultStartupMarker(t)));
    PLUMWICK_TRY(p.setCaption(t.mainWindow, Form1::lblLogo(1), BackupPath(t, 1)));
    return p.setCaption(t.mainWindow, Form1::lblLogo(2), BackupPath(t, 2));
}
