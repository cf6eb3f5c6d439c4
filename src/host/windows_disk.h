#pragma once
#include <memory>
#include <string>
#include <vector>

#include "host/disk_files.h"
#include "host/dos_drives.h"
#include "host/image_file.h"
#include "host/image_format.h"
#include "host/progress.h"
#include "host/qemu_view.h"
#include "logo_files/machine.h"

// How the Windows on a disk image is to be taken.
struct DiskOptions {
    std::string windowsDir;    // --windows-dir: "C:\WIN98"; empty for the one MSDOS.SYS or WIN.COM tells
    bool force = false;        // --force: go on while another process has the image open for writing
    bool needsWindows = true;  // false: only the start-up logo, which lives in C:\ wherever Windows is
};

// A Windows 95/98 installation on a disk image, checked through before
// anything in it changes: the image locked against emulators and held by
// no other writer, opened by plumwick itself (raw, fixed VHD) or through
// QEMU (any other format), its DOS drives found, MSDOS.SYS read and the
// Windows folder found. A UserError for anything that is not so. Its logos
// are changed by the logo procedures through `machine()`, and their backup
// lies beside the image on the host (DISK.img.old-logos).
class WindowsDisk {
public:
    WindowsDisk(const std::string& imagePath, const DiskOptions& options, Progress& progress);

    Machine& machine() { return *machine_; }
    // Which file systems the logos are on, as the backup records it.
    const std::string& identity() const { return identity_; }
    // Why the Windows folder is not known, when it is not (needsWindows false).
    const std::string& windowsNotFound() const { return windowsNotFound_; }
    // A failure of the logo procedures, in one line for the user.
    std::string told(const Err& e) const;

private:
    const FatVolume& volume(char letter) const;
    std::string findWindows(const DiskOptions& options);

    std::string path_;
    ImageFile image_;
    std::unique_ptr<QemuView> view_;
    std::unique_ptr<ImageFile> raw_;  // what QEMU shows of the image
    std::vector<DosDrive> drives_;
    std::vector<std::unique_ptr<FatVolume>> volumes_;
    std::unique_ptr<DiskFiles> files_;
    std::unique_ptr<Machine> machine_;
    std::string identity_;
    std::string windowsNotFound_;
};
