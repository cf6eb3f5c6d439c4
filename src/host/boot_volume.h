#pragma once
#include <cstdint>
#include <string>

#include "host/image_file.h"

// Where the boot drive's FAT file system starts in a disk image: the MBR's
// active FAT partition, else its first FAT partition, or the image itself
// when it holds a FAT file system from sector 0 with no partition table.
struct BootVolume {
    uint64_t offset;
    std::string where;  // "partition 1", "the whole image": for messages
    // Which file system it is: where it is and the serial number its
    // formatting gave it ("partition 1, FAT volume D424-A484").
    std::string identity;
};
// A UserError for a broken partition table or none, no FAT partition, or a
// FAT partition that holds no file system.
BootVolume FindBootVolume(const ImageFile& image, uint64_t diskSize);
