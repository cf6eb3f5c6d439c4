#include <cstdio>

#include "host/commands.h"
#include "host/saved_logos.h"
#include "host/user_error.h"
#include "host/windows_disk.h"

namespace {
int RunRestore(const CommandArgs& args, Progress& progress)
{
    const std::string& image = args.positional[0];
    WindowsDisk disk(image, progress);
    const SavedLogos saved(image);
    if (!saved.exist())
        throw UserError(image + ": no saved logos beside it (" + saved.folder() +
                        "); plumwick saves them at its first install into an image, so it has changed none here");
    const SavedLogos::Logos logos = saved.load();
    disk.recover();
    for (size_t i = 0; i < kLogoPlaceCount; ++i) {
        const LogoPlace& place = kLogoPlaces[i];
        const std::string where = disk.logos().shownPath(place);
        progress.step("writing " + where);
        if (logos[i]) {
            disk.logos().replace(place, *logos[i]);
            std::printf("%s: put back\n", where.c_str());
        } else {
            disk.logos().remove(place);
            std::printf("%s: removed, as the image had none\n", where.c_str());
        }
    }
    return 0;
}
}

const Command kRestoreCommand = {
    "restore",
    "restore DISK.img",
    "put back the logos the image had before the first install",
    "Puts the logos kept in DISK.img.old-logos at the first install back into\n"
    "DISK.img, and removes those the image did not have (without C:\\LOGO.SYS,\n"
    "Windows shows its own start-up logo). The kept files stay. Stop the emulator\n"
    "first.\n",
    {},
    1,
    RunRestore,
};
