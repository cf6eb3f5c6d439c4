#include "logo_files/apply.h"

#include "logo_files/slots.h"

// Slots go in order; the first failure stops the run with the earlier
// slots applied and the later ones untouched.
Err ApplyLogos(Machine& m, const Text chosen[kSlotCount])
{
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        if (!chosen[slot].empty()) PLUMWICK_TRY(ReplaceLogo(m, slot, chosen[slot]));
    return Err();
}

Err RestoreDefaultLogos(Machine& m, Restored done[kSlotCount])
{
    BackupRecord record;
    PLUMWICK_TRY(ReadBackupRecord(m, &record));
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) done[slot] = Restored::NotKept;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) PLUMWICK_TRY(RestoreLogo(m, record, slot, &done[slot]));
    return Err();
}
