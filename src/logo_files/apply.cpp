#include "logo_files/apply.h"

#include "logo_files/slots.h"

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

// Every backup is checked before anything is touched, so a missing one
// cannot leave a slot without its logo. A start-up logo saved on the first
// start comes back; without one, logo.sys goes, and Windows shows its own.
Err DefaultLogoSources(Tool& t, Text sources[kSlotCount])
{
    Platform& p = t.platform;
    Text savedStartup;
    PLUMWICK_TRY(p.findFile(BackupPath(t, 0), FileQuery::AnyFile, &savedStartup));
    const bool keepsStartup = !savedStartup.empty();
    for (LogoSlot slot = keepsStartup ? 0 : 1; slot < kSlotCount; ++slot)
        PLUMWICK_TRY(p.checkReadable(BackupPath(t, slot)));
    sources[0] = keepsStartup ? BackupPath(t, 0) : DefaultStartupMarker(t);
    sources[1] = BackupPath(t, 1);
    sources[2] = BackupPath(t, 2);
    return Err();
}

Err RestoreDefaultLogos(Tool& t, Text sources[kSlotCount])
{
    PLUMWICK_TRY(DefaultLogoSources(t, sources));
    return ApplyLogos(t, sources);
}
