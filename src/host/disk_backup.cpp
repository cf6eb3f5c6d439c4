#include "host/disk_backup.h"

#include <cstdio>

#include "host/user_error.h"
#include "logo_files/backup.h"

namespace {
std::string Str(const Text& t) { return std::string(t.c_str(), t.size()); }
}

bool FindDiskBackup(WindowsDisk& disk, const std::string& image, BackupRecord* record)
{
    Machine& m = disk.machine();
    if (!HasBackup(m)) return false;
    if (Err e = ReadBackupRecord(m, record)) throw UserError(image + ": " + disk.told(e));
    if (!record->disk.empty() && Str(record->disk) != disk.identity())
        throw UserError(image + ": the logos kept in " + Str(m.BackupFolder) + " came from another disk (" +
                        Str(record->disk) + "), not from this image (" + disk.identity() +
                        "); if the image is a new one, move that folder away and run plumwick again");
    return true;
}

void KeepDiskBackup(WindowsDisk& disk, const std::string& image)
{
    Machine& m = disk.machine();
    const BackupFailures failures = TakeBackup(m, Text(disk.identity().data(), disk.identity().size()));
    for (const Err& e : failures.slot)
        if (e)
            throw UserError(image + ": its logos cannot be kept in " + Str(m.BackupFolder) + " (" + disk.told(e) +
                            "), so plumwick changes none; make the folder beside the image writable");
    std::printf("%s: the image's own logos, kept for `plumwick restore %s`\n", Str(m.BackupFolder).c_str(),
                image.c_str());
}
