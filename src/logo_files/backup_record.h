#pragma once
#include "logo_files/machine.h"

// What the backup folder says of each logo as it was before the first
// change: there, with its attributes (its copy lies beside the record), or
// not there at all. A backup made before records were kept says nothing.
enum class Kept : uint8_t { Unknown, Absent, Saved };
struct KeptLogo {
    Kept state = Kept::Unknown;
    uint32_t attributes = 0;  // FileAttribute bits, when Saved
};
struct BackupRecord {
    KeptLogo logo[kSlotCount];
    Text disk;  // which disk the logos came from, in the front end's words; empty if it says none
};

// The record's file in the backup folder.
extern const char kBackupRecordName[];
// The longest record read; a longer file is no record.
constexpr uint32_t kLargestBackupRecord = 4096;

// One line a logo and one for the disk, in ASCII; the disk's words stay as
// given. Unknown logos get no line.
Text FormatBackupRecord(const BackupRecord& record);
// Any bytes: what is not understood is left Unknown.
BackupRecord ParseBackupRecord(const uint8_t* data, uint32_t size);
