#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "host/image_file.h"

// A FAT file system on the disk, and the letter DOS gives it.
struct DosDrive {
    char letter;
    uint64_t offset;       // where it starts in the disk, in bytes
    std::string where;     // "partition 1", "logical partition 5", "the whole image": for messages
    std::string identity;  // where, and the serial number its formatting gave it: "partition 1, FAT volume D424-A484"
};

// The disk's FAT drives in the order of their letters, as DOS and Windows
// 95/98 give them on the first hard disk: C: is the active primary FAT
// partition (else the first), then come the logical ones of the extended
// partition in order, then the other primary ones; a disk without
// partitions is C: alone. A UserError for a broken partition table, no FAT
// partition, or a C: that holds no FAT file system.
std::vector<DosDrive> FindDosDrives(const ImageFile& image, uint64_t diskSize);
