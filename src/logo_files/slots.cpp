#include "logo_files/slots.h"

#include "logo_files/safe_replace.h"

namespace {
const ReplaceNames kSlotFiles[kSlotCount] = {
    {"logo.sys", "logo.pwn", "logo.pwo"},
    {"logow.sys", "logow.pwn", "logow.pwo"},
    {"logos.sys", "logos.pwn", "logos.pwo"},
};

// The start-up logo lives in the boot drive's root, whose value already
// ends in a backslash; the other two live in the Windows directory.
Text SlotDir(const Tool& t, LogoSlot slot) { return slot == 0 ? t.BootRoot : t.WindowsDir + "\\"; }
}

Text LivePath(const Tool& t, LogoSlot slot) { return SlotDir(t, slot) + kSlotFiles[slot].live; }
Text BackupPath(Tool& t, LogoSlot slot) { return BackupFolder(t) + "\\" + kSlotFiles[slot].live; }
Text BackupFolder(Tool& t) { return t.platform.toolFolder() + "\\BakLog"; }
// Where logos made from the user's pictures go.
Text LogosFolder(Tool& t) { return t.platform.toolFolder() + "\\Logos"; }
Text DefaultPicturePath(Tool& t) { return t.platform.toolFolder() + "\\DfltLogo.sys"; }
// Slot 0 set to exactly this text means: no logo.sys, the system's own logo.
Text DefaultStartupMarker(Tool& t) { return t.platform.toolFolder() + "\\dfltlogo.sys"; }

// Hidden, system and read-only logos go too: Windows shows them all.
Err DeleteLogoIfPresent(Tool& t, LogoSlot slot) { return DeleteFileIfPresent(t.platform, LivePath(t, slot)); }

Err ReplaceLogo(Tool& t, LogoSlot slot, const Text& from)
{
    return ReplaceFile(t.platform, from, SlotDir(t, slot), kSlotFiles[slot]);
}

Err RecoverLogo(Tool& t, LogoSlot slot) { return Recover(t.platform, SlotDir(t, slot), kSlotFiles[slot]); }

Err StoreBackup(Tool& t, LogoSlot slot)
{
    return ReplaceFile(t.platform, LivePath(t, slot), BackupFolder(t) + "\\", kSlotFiles[slot]);
}
