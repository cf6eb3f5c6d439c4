#pragma once
#include <memory>
#include <string>

#include "host/image_file.h"
#include "host/image_logos.h"
#include "host/mtools_volume.h"
#include "host/progress.h"

// A Windows 95/98 installation on a disk image, checked through before
// anything in it changes: the image locked against emulators and of a
// kind plumwick writes, its boot volume found, MSDOS.SYS read and the
// Windows folder there. A UserError for anything that is not so.
class WindowsDisk {
public:
    WindowsDisk(const std::string& imagePath, Progress& progress);

    const ImageLogos& logos() const { return *logos_; }
    // Puts right replaces that a run killed half way left behind.
    void recover() const;

private:
    ImageFile image_;
    std::unique_ptr<MtoolsVolume> volume_;
    std::unique_ptr<ImageLogos> logos_;
};
