#include "logo_files/apply.h"

#include "logo_files/backup.h"
#include "logo_files/slots.h"

// Slots go in order; the first failure stops the run with the earlier
// slots applied and the later ones untouched.
Err ApplyLogos(Machine& m, const Text chosen[kSlotCount])
{
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        if (chosen[slot].empty()) continue;
        if (slot == 0 && chosen[slot] == DefaultStartupMarker(m))
            PLUMWICK_TRY(DeleteLogoIfPresent(m, 0));
        else
            PLUMWICK_TRY(ReplaceLogo(m, slot, chosen[slot]));
    }
    return Err();
}

Err RestoreDefaultLogos(Machine& m, Text sources[kSlotCount])
{
    BackupRecord record;
    PLUMWICK_TRY(ReadBackup(m, &record));
    PLUMWICK_TRY(RequireEveryLogo(m, record));
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        Restored done;
        PLUMWICK_TRY(RestoreLogo(m, record, slot, &done));
        const bool saved = record.logo[slot].state == Kept::Saved;
        sources[slot] = saved ? BackupPath(m, slot) : slot == 0 ? DefaultStartupMarker(m) : Text();
    }
    return Err();
}
