#include "logo_files/startup.h"

#include "logo_files/slots.h"

namespace {
constexpr size_t kDriveRootLength = 3;  // "C:\"

// The backup keeps the logos as they were on the first start, so a file
// already in the folder is never replaced. A logo that is not there has
// nothing to keep.
Err BackUpLogo(Tool& t, LogoSlot slot)
{
    Platform& p = t.platform;
    Text present;
    PLUMWICK_TRY(p.findFile(BackupPath(t, slot), FileQuery::AnyFile, &present));
    if (!present.empty()) return Err();
    PLUMWICK_TRY(p.findFile(LivePath(t, slot), FileQuery::AnyFile, &present));
    if (present.empty()) return Err();
    return StoreBackup(t, slot);
}
}

void FindSystemFolders(Tool& t)
{
    t.WindowsDir = t.platform.windowsDirectory();
    t.BootRoot = t.WindowsDir.left(kDriveRootLength);
}

// A failure stops only its own step: the tool goes on without that backup.
BackupFailures BackUpOnFirstStart(Tool& t)
{
    Platform& p = t.platform;
    BackupFailures failures;
    // Any capitalisation names the same folder on a FAT disk.
    Text answer;
    (void)p.findFile(BackupFolder(t), FileQuery::Directory, &answer);
    if (answer.equalsAsciiIgnoringCase("BakLog")) return failures;
    Err folder = p.makeFolder(BackupFolder(t));
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        Err e = BackUpLogo(t, slot);
        failures.slot[slot] = e && folder ? folder : e;
    }
    return failures;
}

void RecoverAllLogos(Tool& t)
{
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) (void)RecoverLogo(t, slot);
}
