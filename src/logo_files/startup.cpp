#include "startup.h"

#include "slots.h"

namespace {
constexpr size_t kDriveRootLength = 3;  // "C:\"

// The backup keeps the logos as they were on the first start, so a file
// already in the folder is never replaced.
void BackUpLogo(Tool& t, LogoSlot slot)
{
    Text present;
    if (t.platform.findFile(BackupPath(t, slot), FileQuery::AnyFile, &present)) return;
    if (!present.empty()) return;
    (void)StoreBackup(t, slot);
}
}

void FindSystemFolders(Tool& t)
{
    t.WindowsDir = t.platform.windowsDirectory();
    t.BootRoot = t.WindowsDir.left(kDriveRootLength);
}

// Failures are ignored: the tool goes on without the backup.
void BackUpOnFirstStart(Tool& t)
{
    Platform& p = t.platform;
    // Any capitalisation names the same folder on a FAT disk.
    Text answer;
    (void)p.findFile(BackupFolder(t), FileQuery::Directory, &answer);
    if (answer.equalsAsciiIgnoringCase("BakLog")) return;
    (void)p.makeFolder(BackupFolder(t));
    BackUpLogo(t, 1);
    BackUpLogo(t, 2);
}
