#include "startup.h"

#include "../main_window/form1.h"
#include "slots.h"

namespace {
constexpr uint32_t kWindowsDirBuffer = 256;

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

// Start-up ignores every failure and goes on with its next step.
void Main(Tool& t)
{
    Platform& p = t.platform;
    if (p.anotherCopyRunning()) p.endNow();

    char buffer[kWindowsDirBuffer] = {};
    p.getWindowsDirectory(buffer, kWindowsDirBuffer);
    uint32_t length = 0;
    while (length < kWindowsDirBuffer && buffer[length]) ++length;
    t.WindowsDir = Text(buffer, length);
    t.BootRoot = t.WindowsDir.left(3);

    // Any capitalisation names the same folder on a FAT disk.
    Text answer;
    (void)p.findFile(BackupFolder(t), FileQuery::Directory, &answer);
    if (!answer.equalsAsciiIgnoringCase("BakLog")) {
        (void)p.makeFolder(BackupFolder(t));
        BackUpLogo(t, 1);
        BackUpLogo(t, 2);
    }

    (void)ShowMainWindow(t);
}
