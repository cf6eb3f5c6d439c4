#include <cstdio>
#include <optional>

#include "host/commands.h"
#include "host/logo_from_picture.h"
#include "host/saved_logos.h"
#include "host/windows_disk.h"

namespace {
int RunInstall(const CommandArgs& args, Progress& progress)
{
    const std::string& image = args.positional[0];
    // The places are install's only options.
    if (args.options.empty())
        throw UsageError{"plumwick install: give at least one of --start, --shutdown, --power-off"};
    // Every picture is made into a logo before the image is opened: one that
    // cannot be read stops the run with nothing changed.
    std::array<std::optional<LogoFromFile>, kLogoPlaceCount> logos;
    for (size_t i = 0; i < kLogoPlaceCount; ++i) {
        if (!args.has(kLogoPlaces[i].option)) continue;
        const std::string& source = args.options.at(kLogoPlaces[i].option);
        progress.step("converting " + source);
        logos[i] = LogoFromPicture(source);
    }

    WindowsDisk disk(image, progress);
    const SavedLogos saved(image);
    disk.recover();
    if (!saved.exist()) {
        progress.step("saving the image's logos");
        SavedLogos::Logos found;
        for (size_t i = 0; i < kLogoPlaceCount; ++i) found[i] = disk.logos().read(kLogoPlaces[i]);
        saved.save(found);
        std::printf("%s: the image's own logos, kept for `plumwick restore %s`\n", saved.folder().c_str(),
                    image.c_str());
    }
    for (size_t i = 0; i < kLogoPlaceCount; ++i) {
        if (!logos[i]) continue;
        const LogoPlace& place = kLogoPlaces[i];
        const std::string where = disk.logos().shownPath(place);
        progress.step("writing " + where);
        disk.logos().replace(place, logos[i]->logo);
        const std::string& source = args.options.at(place.option);
        if (logos[i]->converted)
            std::printf("%s: the %s logo, made from the %s picture %s\n", where.c_str(), place.role,
                        logos[i]->kind.c_str(), source.c_str());
        else
            std::printf("%s: the %s logo, the logo %s, byte for byte\n", where.c_str(), place.role, source.c_str());
    }
    std::printf("Windows shows them from the machine's next start on.\n");
    return 0;
}
}

const Command kInstallCommand = {
    "install",
    "install DISK.img [--start P] [--shutdown P] [--power-off P]",
    "put logos into Windows 95/98 on an emulator's disk image",
    "Puts logos into the Windows 95/98 installation on DISK.img, a raw disk image\n"
    "(86Box, PCem, QEMU raw, DOSBox-X) or a fixed VHD:\n"
    "  --start P      C:\\LOGO.SYS, shown while Windows starts\n"
    "  --shutdown P   LOGOW.SYS in the Windows folder, \"please wait\" while it shuts down\n"
    "  --power-off P  LOGOS.SYS in the Windows folder, \"you can now switch off\"\n"
    "P is a picture (PNG, JPEG, GIF, BMP; converted as by `plumwick make`) or a\n"
    "logo (put in byte for byte). The boot drive is the MBR's active FAT\n"
    "partition (else its first FAT one, or a disk without partitions); the\n"
    "Windows folder is the one C:\\MSDOS.SYS names.\n"
    "\n"
    "Stop the emulator first: plumwick refuses an image an emulator holds a lock\n"
    "on, and holds its own while it works. The first install into an image keeps\n"
    "the logos it had in DISK.img.old-logos beside it (never overwritten);\n"
    "`plumwick restore DISK.img` puts them back. A logo is never half written: a\n"
    "run cut off at any point leaves the old logo or the new one, and the next\n"
    "run clears up what it left.\n"
    "Needs mtools. Dynamic VHD, qcow2, VDI and VMDK images are refused: make a raw\n"
    "copy with `qemu-img convert -O raw IN OUT.img`.\n",
    {{"--start", "a file"}, {"--shutdown", "a file"}, {"--power-off", "a file"}},
    1,
    RunInstall,
};
