#pragma once
#include <string>

#include "host/boot_volume.h"
#include "host/disk_files.h"
#include "host/image_file.h"
#include "host/progress.h"
#include "logo_files/machine.h"

// A Windows 95/98 installation on a disk image, checked through before
// anything in it changes: the image locked against emulators and of a
// kind plumwick writes, its boot volume found, MSDOS.SYS read and the
// Windows folder there. A UserError for anything that is not so. Its
// logos are changed by the logo procedures through `machine()`, and their
// backup lies beside the image on the host (DISK.img.old-logos).
class WindowsDisk {
public:
    WindowsDisk(const std::string& imagePath, Progress& progress);

    Machine& machine() { return machine_; }
    // Which file system the logos are on, as the backup records it.
    const std::string& identity() const { return boot_.identity; }
    // A failure of the logo procedures, in one line for the user.
    std::string told(const Err& e) const;

private:
    ImageFile image_;
    BootVolume boot_;
    FatVolume volume_;
    DiskFiles files_;
    Machine machine_;
};
