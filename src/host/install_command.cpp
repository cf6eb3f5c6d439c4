#include <cstdio>
#include <memory>
#include <optional>

#include "host/commands.h"
#include "host/disk_backup.h"
#include "host/disk_options.h"
#include "host/interruption.h"
#include "host/logo_from_picture.h"
#include "host/logo_screen.h"
#include "host/user_error.h"
#include "logo_files/slots.h"

namespace {
// What the command calls each logo: its option, and its part in messages.
struct SlotWords {
    const char* option;
    const char* role;
};
const SlotWords kSlotWords[kSlotCount] = {
    {"--start", "start-up"},
    {"--shutdown", "shutdown"},
    {"--power-off", "power-off"},
};

std::string Str(const Text& t) { return std::string(t.c_str(), t.size()); }

// A logo to put in, held in memory: the logo procedures copy it from there.
struct NewLogo {
    LogoFromFile made;
    std::unique_ptr<MemoryFile> file;
};

int RunInstall(const CommandArgs& args, Progress& progress)
{
    const std::string& image = args.positional[0];
    if (!args.has(kSlotWords[0].option) && !args.has(kSlotWords[1].option) && !args.has(kSlotWords[2].option))
        throw UsageError{"plumwick install: give at least one of --start, --shutdown, --power-off"};
    // Every picture is made into a logo before the image is opened: one that
    // cannot be read stops the run with nothing changed.
    std::optional<NewLogo> logos[kSlotCount];
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        if (!args.has(kSlotWords[slot].option)) continue;
        const std::string& source = args.options.at(kSlotWords[slot].option);
        progress.step("converting " + source);
        logos[slot] = NewLogo{LogoFromPicture(source), nullptr};
        logos[slot]->file = std::make_unique<MemoryFile>(logos[slot]->made.logo);
    }

    CatchInterruptions();
    WindowsDisk disk(image, DiskOptionsOf(args, logos[1] || logos[2]), progress);
    Machine& m = disk.machine();
    BackupRecord kept;
    const bool backedUp = FindDiskBackup(disk, image, &kept);
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        if (logos[slot] && backedUp && kept.logo[slot].state == Kept::Unknown)
            throw UserError(image + ": " + Str(LivePath(m, slot)) + " was not kept at the first install (" +
                            Str(m.BackupFolder) +
                            " has no copy), so plumwick does not change it; move that folder away to start afresh");
    std::vector<std::string> untouched;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        if (logos[slot]) untouched.push_back(Str(LivePath(m, slot)));
    StopIfInterrupted(untouched);
    if (Err e = RecoverAllLogos(m)) throw UserError(image + ": " + disk.told(e));
    if (!backedUp) {
        progress.step("keeping the image's logos");
        KeepDiskBackup(disk, image);
    }
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        if (!logos[slot]) continue;
        StopIfInterrupted(untouched);
        const std::string where = Str(LivePath(m, slot));
        progress.step("writing " + where);
        if (Err e = ReplaceLogo(m, slot, logos[slot]->file->path().c_str()))
            throw UserError(image + ": " + disk.told(e));
        untouched.erase(untouched.begin());
        const LogoFromFile& made = logos[slot]->made;
        const std::string& source = args.options.at(kSlotWords[slot].option);
        if (made.converted)
            std::printf("%s: the %s logo, made from the %s picture %s\n", where.c_str(), kSlotWords[slot].role,
                        made.kind.c_str(), source.c_str());
        else
            std::printf("%s: the %s logo, the logo %s, byte for byte\n", where.c_str(), kSlotWords[slot].role,
                        source.c_str());
        const uint32_t turning = CycledFrom(made.logo);
        if (slot != 0 && turning)
            std::printf(
                "  its colours %u to 255 are meant to turn, as a moving band's do, but Windows turns only the "
                "start-up logo's: as the %s logo it stands still\n",
                turning, kSlotWords[slot].role);
        std::fflush(stdout);
    }
    std::printf("Windows shows them from the machine's next start on.\n");
    return 0;
}
}

const Command kInstallCommand = {
    "install",
    "install DISK.img [--start P] [--shutdown P] [--power-off P] [--windows-dir D] [--force]",
    "put logos into Windows 95/98 on an emulator's disk image",
    "Puts logos into the Windows 95/98 installation on DISK.img:\n"
    "  --start P      C:\\LOGO.SYS, shown while Windows starts\n"
    "  --shutdown P   LOGOW.SYS in the Windows folder, \"please wait\" while it shuts down\n"
    "  --power-off P  LOGOS.SYS in the Windows folder, \"you can now switch off\"\n"
    "P is a picture (PNG, JPEG, GIF, BMP; converted as by `plumwick make`) or a\n"
    "logo (put in byte for byte). The boot drive is the MBR's active FAT\n"
    "partition (else its first FAT one, or a disk without partitions); the\n"
    "Windows folder is the one C:\\MSDOS.SYS names (on any drive, C: to the\n"
    "logical ones), or the one that holds WIN.COM, or --windows-dir D:\\WIN98;\n"
    "--start alone needs none. A new logo keeps the attributes (hidden,\n"
    "system, read-only) of the one it replaces.\n"
    "\n"
    "The first install into an image keeps the logos it had in DISK.img.old-logos\n"
    "beside it (never overwritten), with a record of their attributes and of the\n"
    "disk they came from; `plumwick restore DISK.img` puts them back, and both\n"
    "refuse another image at that path. A logo is never half written: a run cut\n"
    "off at any point leaves the old logo or the new one, or the old one as\n"
    "LOGO.PWO beside it, which the next run puts back. Ctrl-C stops before the\n"
    "next logo.\n"
    "\n" PLUMWICK_DISK_HELP,
    {{"--start", "a file"}, {"--shutdown", "a file"}, {"--power-off", "a file"}, kWindowsDirOption, kForceOption},
    1,
    RunInstall,
};
