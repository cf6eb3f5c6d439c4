#include "apply.h"

#include "slots.h"

// Slots go in order; the first failure stops the run with the earlier
// slots applied and the later ones untouched.
Err ApplyLogos(Tool& t, const Text chosen[kSlotCount])
{
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        if (chosen[slot].empty()) continue;
        if (slot == 0 && chosen[slot] == DefaultStartupMarker(t))
            PLUMWICK_TRY(DeleteLogoIfPresent(t, 0));
        else
            PLUMWICK_TRY(ReplaceLogo(t, slot, chosen[slot]));
    }
    return Err();
}

// Both backups are checked before anything is touched, so a missing one
// cannot leave a slot without its logo.
Err RestoreDefaultLogos(Tool& t, Text sources[kSlotCount])
{
    Platform& p = t.platform;
    PLUMWICK_TRY(p.checkReadable(BackupPath(t, 1)));
    PLUMWICK_TRY(p.checkReadable(BackupPath(t, 2)));
    PLUMWICK_TRY(DeleteLogoIfPresent(t, 0));
    PLUMWICK_TRY(ReplaceLogo(t, 1, BackupPath(t, 1)));
    PLUMWICK_TRY(ReplaceLogo(t, 2, BackupPath(t, 2)));
    sources[0] = DefaultStartupMarker(t);
    sources[1] = BackupPath(t, 1);
    sources[2] = BackupPath(t, 2);
    return Err();
}
