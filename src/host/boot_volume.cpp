#include "host/boot_volume.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "host/picture_core.h"
#include "host/user_error.h"

namespace {
constexpr uint64_t kSectorSize = 512;
constexpr size_t kPartitionTableAt = 446, kPartitionEntrySize = 16, kPartitionCount = 4;
constexpr size_t kSignatureAt = 510;
constexpr uint8_t kSignature[] = {0x55, 0xAA};
// A FAT boot sector: its first byte a jump, then the BIOS parameter block.
constexpr uint8_t kShortJump = 0xEB, kNearJump = 0xE9;
constexpr size_t kBytesPerSectorAt = 11, kSectorsPerClusterAt = 13, kReservedSectorsAt = 14, kFatCountAt = 16,
                 kMediaAt = 21;
constexpr uint32_t kLargestSector = 4096, kLargestCluster = 128;  // sectors
constexpr uint8_t kMediaOddOne = 0xF0, kMediaLowest = 0xF8;       // the media bytes FAT allows
constexpr uint8_t kActive = 0x80, kInactive = 0x00;
// The extended boot record's signature, and the volume's serial number
// after it: in FAT12 and FAT16 after the BIOS parameter block, in FAT32
// after its longer one (which has 0 sectors a FAT in the short field).
constexpr uint8_t kExtendedSignature = 0x29;
constexpr size_t kSectorsPerFatAt = 22, kShortSignatureAt = 38, kLongSignatureAt = 66;
// FAT12, FAT16 below 32 MB, FAT16, FAT32, FAT32 with LBA, FAT16 with LBA.
constexpr uint8_t kFatTypes[] = {0x01, 0x04, 0x06, 0x0B, 0x0C, 0x0E};

struct Partition {
    int number;  // 1 to 4
    uint8_t status, type;
    uint64_t first, count;  // sectors
};

std::string Hex(uint8_t v)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", v);
    return text;
}

bool IsFatType(uint8_t type)
{
    return std::find(std::begin(kFatTypes), std::end(kFatTypes), type) != std::end(kFatTypes);
}

bool PowerOfTwo(uint32_t v) { return v && !(v & (v - 1)); }

// A FAT boot sector: a jump, then a BIOS parameter block whose values are
// ones a FAT file system can have.
bool IsFatBootSector(const Bytes& s)
{
    if (s.size() < kSectorSize || (s[0] != kShortJump && s[0] != kNearJump)) return false;
    const uint32_t bytesPerSector = U16(&s[kBytesPerSectorAt]), sectorsPerCluster = s[kSectorsPerClusterAt];
    const uint32_t reserved = U16(&s[kReservedSectorsAt]), fats = s[kFatCountAt];
    const uint8_t media = s[kMediaAt];
    return bytesPerSector >= kSectorSize && bytesPerSector <= kLargestSector && PowerOfTwo(bytesPerSector) &&
           PowerOfTwo(sectorsPerCluster) && sectorsPerCluster <= kLargestCluster && reserved >= 1 &&
           (fats == 1 || fats == 2) && (media == kMediaOddOne || media >= kMediaLowest);
}

// "FAT volume D424-A484", as DIR shows the serial number.
std::string VolumeName(const Bytes& s)
{
    const size_t at = U16(&s[kSectorsPerFatAt]) == 0 ? kLongSignatureAt : kShortSignatureAt;
    if (s[at] != kExtendedSignature) return "FAT volume without a serial number";
    const uint32_t serial = U32(&s[at + 1]);
    char text[32];
    std::snprintf(text, sizeof text, "FAT volume %04X-%04X", serial >> 16, serial & 0xFFFF);
    return text;
}

std::vector<Partition> ReadTable(const std::string& path, const Bytes& mbr, uint64_t diskSectors)
{
    const std::string broken = path + ": its partition table is broken (";
    const std::string fix = "); check it with `fdisk -l " + path + "` and repair it in the emulator";
    std::vector<Partition> used;
    for (size_t i = 0; i < kPartitionCount; ++i) {
        const uint8_t* e = &mbr[kPartitionTableAt + i * kPartitionEntrySize];
        const Partition p{static_cast<int>(i + 1), e[0], e[4], U32(e + 8), U32(e + 12)};
        const std::string name = "partition " + std::to_string(p.number);
        if (p.status != kActive && p.status != kInactive)
            throw UserError(broken + name + " has the status byte " + Hex(p.status) + fix);
        if (p.type == 0) continue;
        if (p.first == 0 || p.count == 0) throw UserError(broken + name + " starts at sector 0 or is empty" + fix);
        if (p.first + p.count > diskSectors)
            throw UserError(broken + name + " ends at sector " + std::to_string(p.first + p.count) +
                            ", past the end of the image (" + std::to_string(diskSectors) + " sectors)" + fix);
        for (const Partition& q : used)
            if (p.first < q.first + q.count && q.first < p.first + p.count)
                throw UserError(broken + name + " overlaps partition " + std::to_string(q.number) + fix);
        used.push_back(p);
    }
    return used;
}
}

BootVolume FindBootVolume(const ImageFile& image, uint64_t diskSize)
{
    const std::string& path = image.path();
    const Bytes first = image.read(0, kSectorSize);
    if (IsFatBootSector(first)) return {0, "the whole image", "the whole image, " + VolumeName(first)};
    if (first.size() < kSectorSize || first[kSignatureAt] != kSignature[0] || first[kSignatureAt + 1] != kSignature[1])
        throw UserError(path +
                        ": no partition table and no FAT file system at its start; install Windows 95 or 98 "
                        "on it in the emulator first");
    const std::vector<Partition> partitions = ReadTable(path, first, diskSize / kSectorSize);
    const Partition* boot = nullptr;
    for (const Partition& p : partitions)
        if (IsFatType(p.type) && (!boot || (p.status == kActive && boot->status != kActive))) boot = &p;
    if (!boot)
        throw UserError(path +
                        ": no FAT partition (FAT12, FAT16 or FAT32) in its partition table; Windows 95 and "
                        "98 start only from one");
    const uint64_t offset = boot->first * kSectorSize;
    const std::string where = "partition " + std::to_string(boot->number);
    const Bytes bootSector = image.read(offset, kSectorSize);
    if (!IsFatBootSector(bootSector))
        throw UserError(path + ": " + where + " is marked FAT (type " + Hex(boot->type) +
                        ") but holds no FAT file system; format it in the emulator first");
    return {offset, where, where + ", " + VolumeName(bootSector)};
}
