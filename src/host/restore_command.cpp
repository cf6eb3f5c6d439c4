#include <cstdio>

#include "host/commands.h"
#include "host/disk_backup.h"
#include "host/disk_options.h"
#include "host/interruption.h"
#include "host/user_error.h"
#include "logo_files/backup.h"
#include "logo_files/slots.h"

namespace {
std::string Str(const Text& t) { return std::string(t.c_str(), t.size()); }

int RunRestore(const CommandArgs& args, Progress& progress)
{
    const std::string& image = args.positional[0];
    CatchInterruptions();
    WindowsDisk disk(image, DiskOptionsOf(args, false), progress);
    Machine& m = disk.machine();
    BackupRecord record;
    if (!FindDiskBackup(disk, image, &record))
        throw UserError(image + ": no saved logos beside it (" + Str(m.BackupFolder) +
                        "); plumwick saves them at its first install into an image, so it has changed none here");
    std::vector<std::string> untouched;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        untouched.push_back(HasPlace(m, slot) ? Str(LivePath(m, slot)) : std::string(LogoName(slot)));
    StopIfInterrupted(untouched);
    if (Err e = RecoverAllLogos(m)) throw UserError(image + ": " + disk.told(e));
    bool lost = false;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        StopIfInterrupted(untouched);
        if (!HasPlace(m, slot)) {
            std::printf("%s: left as it is (%s)\n", LogoName(slot), disk.windowsNotFound().c_str());
            untouched.erase(untouched.begin());
            continue;
        }
        const std::string where = Str(LivePath(m, slot));
        progress.step("writing " + where);
        Restored done;
        if (Err e = RestoreLogo(m, record, slot, &done)) throw UserError(image + ": " + disk.told(e));
        untouched.erase(untouched.begin());
        if (done == Restored::Replaced) std::printf("%s: put back\n", where.c_str());
        if (done == Restored::Removed) std::printf("%s: removed, as the image had none\n", where.c_str());
        if (done == Restored::NotKept && HasPlace(m, slot))
            std::printf("%s: left as it is (the first install kept no copy of it)\n", where.c_str());
        if (done == Restored::Lost) {
            std::fprintf(stderr, "plumwick: %s: left as it is, as its copy %s is gone or unreadable\n", where.c_str(),
                         Str(BackupPath(m, slot)).c_str());
            lost = true;
        }
        std::fflush(stdout);
    }
    return lost ? 1 : 0;
}
}

const Command kRestoreCommand = {
    "restore",
    "restore DISK.img [--windows-dir D] [--force]",
    "put back the logos the image had before the first install",
    "Puts the logos kept in DISK.img.old-logos at the first install back into\n"
    "DISK.img, each with the attributes it had, and removes those the image did\n"
    "not have (without C:\\LOGO.SYS, Windows shows its own start-up logo). The\n"
    "kept files stay. It refuses when they came from another disk than this\n"
    "image. A logo whose kept copy is gone is left as it is, and the exit code\n"
    "is 1.\n"
    "\n" PLUMWICK_DISK_HELP,
    {kWindowsDirOption, kForceOption},
    1,
    RunRestore,
};
