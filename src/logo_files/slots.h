#pragma once
#include "tool.h"

Text LivePath(const Tool& t, LogoSlot slot);
Text BackupPath(Tool& t, LogoSlot slot);
Text BackupFolder(Tool& t);
Text DefaultPicturePath(Tool& t);
Text DefaultStartupMarker(Tool& t);

// A logo file's name and the names it goes by while it is being replaced.
struct SlotFiles {
    const char* live;
    const char* fresh;  // the new file until it stands in place
    const char* old;    // the replaced file until the new one stands
};
extern const SlotFiles kSlotFiles[kSlotCount];

Err DeleteLogoIfPresent(Tool& t, LogoSlot slot);
Err ReplaceLogo(Tool& t, LogoSlot slot, const Text& from);
Err StoreBackup(Tool& t, LogoSlot slot);
