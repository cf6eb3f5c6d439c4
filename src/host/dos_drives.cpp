#include "host/dos_drives.h"

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
// The extended partition that holds logical ones, and the same with LBA.
constexpr uint8_t kExtendedTypes[] = {0x05, 0x0F};
constexpr int kFirstLogicalNumber = 5;  // as Linux numbers them
// More links in an extended partition's chain than DOS could ever give
// letters to are a loop.
constexpr int kLongestChain = 24;
constexpr char kFirstHardDisk = 'C';

struct Partition {
    int number;  // 1 to 4, logical ones from 5
    uint8_t status, type;
    uint64_t first, count;  // sectors, from the disk's start
};

std::string Hex(uint8_t v)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", v);
    return text;
}

template <size_t N>
bool OneOf(uint8_t type, const uint8_t (&types)[N])
{
    return std::find(std::begin(types), std::end(types), type) != std::end(types);
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

// One entry of a partition table, its first sector counted from `base`.
Partition Entry(const Bytes& sector, size_t i, int number, uint64_t base)
{
    const uint8_t* e = &sector[kPartitionTableAt + i * kPartitionEntrySize];
    return {number, e[0], e[4], base + U32(e + 8), U32(e + 12)};
}

class TableReader {
public:
    TableReader(const ImageFile& image, uint64_t diskSectors)
        : image_(image),
          diskSectors_(diskSectors),
          broken_(image.path() + ": its partition table is broken ("),
          fix_("); check it with `fdisk -l " + image.path() + "` and repair it in the emulator")
    {
    }

    // A used entry that lies inside the disk and overlaps no other.
    bool check(const Partition& p)
    {
        const std::string name = Name(p);
        if (p.status != kActive && p.status != kInactive)
            throw UserError(broken_ + name + " has the status byte " + Hex(p.status) + fix_);
        if (p.type == 0) return false;
        if (p.first == 0 || p.count == 0) throw UserError(broken_ + name + " starts at sector 0 or is empty" + fix_);
        if (p.first + p.count > diskSectors_)
            throw UserError(broken_ + name + " ends at sector " + std::to_string(p.first + p.count) +
                            ", past the end of the image (" + std::to_string(diskSectors_) + " sectors)" + fix_);
        for (const Partition& q : used_)
            if (p.first < q.first + q.count && q.first < p.first + p.count && !OneOf(q.type, kExtendedTypes))
                throw UserError(broken_ + name + " overlaps " + Name(q) + fix_);
        used_.push_back(p);
        return true;
    }

    // The logical partitions of an extended one: each link of its chain a
    // partition table whose first entry is one, from that link, and whose
    // second leads to the next link, from the extended partition's start.
    std::vector<Partition> logical(const Partition& extended)
    {
        std::vector<Partition> found;
        uint64_t link = extended.first;
        for (int n = 0; n < kLongestChain; ++n) {
            const Bytes sector = image_.read(link * kSectorSize, kSectorSize);
            if (sector.size() < kSectorSize || sector[kSignatureAt] != kSignature[0] ||
                sector[kSignatureAt + 1] != kSignature[1])
                throw UserError(broken_ + "the extended " + Name(extended) + " has a link without a table" + fix_);
            const Partition p = Entry(sector, 0, kFirstLogicalNumber + n, link);
            if (p.first + p.count > extended.first + extended.count)
                throw UserError(broken_ + Name(p) + " lies outside its extended " + Name(extended) + fix_);
            if (check(p)) found.push_back(p);
            const Partition next = Entry(sector, 1, 0, extended.first);
            if (!OneOf(next.type, kExtendedTypes)) return found;
            if (next.first <= link || next.first >= extended.first + extended.count)
                throw UserError(broken_ + "the extended " + Name(extended) + "'s links go round or out of it" + fix_);
            link = next.first;
        }
        throw UserError(broken_ + "the extended " + Name(extended) + "'s links go round or out of it" + fix_);
    }

    static std::string Name(const Partition& p)
    {
        return std::string(p.number >= kFirstLogicalNumber ? "logical " : "") + "partition " + std::to_string(p.number);
    }

private:
    const ImageFile& image_;
    uint64_t diskSectors_;
    std::string broken_, fix_;
    std::vector<Partition> used_;
};

DosDrive Drive(const ImageFile& image, char letter, const Partition& p)
{
    const uint64_t offset = p.first * kSectorSize;
    const std::string where = TableReader::Name(p);
    const Bytes bootSector = image.read(offset, kSectorSize);
    const bool fat = IsFatBootSector(bootSector);
    if (!fat && letter == kFirstHardDisk)
        throw UserError(image.path() + ": " + where + " is marked FAT (type " + Hex(p.type) +
                        ") but holds no FAT file system; format it in the emulator first");
    return {letter, offset, where, where + ", " + (fat ? VolumeName(bootSector) : "no FAT file system")};
}
}

std::vector<DosDrive> FindDosDrives(const ImageFile& image, uint64_t diskSize)
{
    const std::string& path = image.path();
    const Bytes first = image.read(0, kSectorSize);
    if (IsFatBootSector(first))
        return {{kFirstHardDisk, 0, "the whole image", "the whole image, " + VolumeName(first)}};
    if (first.size() < kSectorSize || first[kSignatureAt] != kSignature[0] || first[kSignatureAt + 1] != kSignature[1])
        throw UserError(path +
                        ": no partition table and no FAT file system at its start; install Windows 95 or 98 "
                        "on it in the emulator first");
    TableReader table(image, diskSize / kSectorSize);
    std::vector<Partition> primary, logical;
    for (size_t i = 0; i < kPartitionCount; ++i) {
        const Partition p = Entry(first, i, static_cast<int>(i + 1), 0);
        if (table.check(p)) primary.push_back(p);
    }
    for (const Partition& p : primary)
        if (OneOf(p.type, kExtendedTypes))
            for (const Partition& l : table.logical(p))
                if (OneOf(l.type, kFatTypes)) logical.push_back(l);
    const Partition* boot = nullptr;
    for (const Partition& p : primary)
        if (OneOf(p.type, kFatTypes) && (!boot || (p.status == kActive && boot->status != kActive))) boot = &p;
    if (!boot)
        throw UserError(path +
                        ": no FAT partition (FAT12, FAT16 or FAT32) in its partition table; Windows 95 and "
                        "98 start only from one");
    std::vector<DosDrive> drives = {Drive(image, kFirstHardDisk, *boot)};
    for (const Partition& l : logical)
        drives.push_back(Drive(image, static_cast<char>(kFirstHardDisk + drives.size()), l));
    for (const Partition& p : primary)
        if (OneOf(p.type, kFatTypes) && &p != boot)
            drives.push_back(Drive(image, static_cast<char>(kFirstHardDisk + drives.size()), p));
    return drives;
}
