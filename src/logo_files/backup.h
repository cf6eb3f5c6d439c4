#pragma once
#include "logo_files/backup_record.h"

// Whether the backup folder is there, in any capitalisation.
bool HasBackup(Machine& m);

// Per slot, the failure that kept a logo from the backup.
struct BackupFailures {
    Err slot[kSlotCount];
    bool any() const { return slot[0] || slot[1] || slot[2]; }
};

// A new backup folder with a copy of each logo there is and a record of
// each slot whose place is known, saying `disk` came from where. Whole or not at all: it is
// made under another name and renamed when whole; if any logo cannot be
// saved, none is, and each one there is named with the failure.
BackupFailures TakeBackup(Machine& m, const Text& disk);

// On the first start (no backup folder yet) the backup of the logos as
// they are.
BackupFailures BackUpOnFirstStart(Machine& m);

// What the backup's record says. A folder made before records were kept is
// taken as its files say: a logo there is saved (its attributes unknown,
// kSameAttributes); a missing start-up logo was absent.
Err ReadBackupRecord(Machine& m, BackupRecord* record);

enum class Restored {
    Replaced,         // its saved logo is back, with the attributes it had
    Removed,          // it was not there at first, and is gone again
    NothingToRemove,  // it was not there at first, and is not now
    NotKept,          // the backup knows nothing of it: left as it is
    Lost,             // its saved copy is gone or unreadable: left as it is
};
// Puts one slot back as the backup has it: its saved logo, with the
// attributes it had, or no logo. A slot the backup cannot give back is left
// as it is, and said so in `done`; an error is a failure of the putting
// back itself.
Err RestoreLogo(Machine& m, const BackupRecord& record, LogoSlot slot, Restored* done);
