#pragma once
#include "logo_files/run_state.h"

// WindowsDir and BootRoot, from the system.
void FindSystemFolders(Tool& t);

// On the first start (no BakLog folder yet) saves the live logos that exist
// in BakLog. Answers, per slot, the failure that kept a logo from its backup.
struct BackupFailures {
    Err slot[kSlotCount];
    bool any() const { return slot[0] || slot[1] || slot[2]; }
};
BackupFailures BackUpOnFirstStart(Tool& t);

// Puts right every slot that a replace cut off half way left behind.
void RecoverAllLogos(Tool& t);
