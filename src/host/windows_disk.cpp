#include "host/windows_disk.h"

#include <algorithm>

#include "host/boot_volume.h"
#include "host/image_format.h"
#include "host/msdos_sys.h"
#include "host/user_error.h"

namespace {
const char kMsdosSys[] = "MSDOS.SYS";
}

WindowsDisk::WindowsDisk(const std::string& imagePath, Progress& progress) : image_(imagePath)
{
    progress.step("reading " + imagePath);
    const BootVolume boot = FindBootVolume(image_, RawDiskSize(image_));
    volume_ = std::make_unique<MtoolsVolume>(imagePath, boot.offset, boot.where);
    const auto root = volume_->list("");
    if (!root) throw UserError(imagePath + ": the root folder of " + boot.where + " cannot be read");
    const MtoolsVolume::Entry* msdos = FindEntry(*root, kMsdosSys);
    if (!msdos)
        throw UserError(imagePath + ": no MSDOS.SYS in the root of " + boot.where +
                        ", so no Windows 95 or 98 starts from it; install Windows in the emulator first");
    const std::string windows = WindowsFolderFromMsdosSys(volume_->read(msdos->name), imagePath + ": C:\\MSDOS.SYS");
    if (!volume_->list(windows)) {
        std::string shown = windows;
        std::replace(shown.begin(), shown.end(), '/', '\\');
        throw UserError(imagePath + ": MSDOS.SYS names the Windows folder C:\\" + shown + ", which " + boot.where +
                        " does not have; check the image in the emulator");
    }
    logos_ = std::make_unique<ImageLogos>(*volume_, windows);
}

void WindowsDisk::recover() const
{
    for (const LogoPlace& place : kLogoPlaces) logos_->recover(place);
}
