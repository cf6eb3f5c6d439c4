// libFuzzer target for what the plumwick command reads from outside: the
// first byte picks the reader, the rest is what it reads. A reader may
// refuse its input (a UserError); anything else, or a broken promise
// below, is a failure.
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "host/dos_drives.h"
#include "host/fat_volume.h"
#include "host/image_file.h"
#include "host/image_format.h"
#include "host/logo_from_picture.h"
#include "host/msdos_sys.h"
#include "host/user_error.h"
#include "logo_files/backup_record.h"
#include "picture/exif_orientation.h"

namespace {
enum Reader : uint8_t { kDiskImage, kMsdosSys, kAttributeListing, kBackupRecord, kExif, kPicture, kReaders };

void Require(bool holds)
{
    if (!holds) abort();
}

bool SameRecord(const BackupRecord& a, const BackupRecord& b)
{
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (a.logo[slot].state != b.logo[slot].state || a.logo[slot].attributes != b.logo[slot].attributes) return false;
    return a.disk == b.disk;
}

// The partition tables, the boot sectors and what tells an image's kind,
// from an image file: the input, as a file in memory.
void ReadDiskImage(const Bytes& in)
{
    const MemoryFile file(in);
    const ImageFile image(file.path());
    const ImageKind kind = KindOfImage(image);
    if (!kind.qemuDriver.empty()) return;
    const std::vector<DosDrive> drives = FindDosDrives(image, kind.rawSize);
    Require(!drives.empty() && drives[0].letter == 'C');
    for (size_t i = 0; i < drives.size(); ++i)
        Require(drives[i].letter == static_cast<char>('C' + i) && drives[i].offset % 512 == 0 && drives[i].offset < image.size());
}

void ReadExif(const Bytes& in)
{
    const int orientation = ExifOrientation(in.data(), in.size());
    Require(orientation >= 1 && orientation <= 8);
    const uint32_t width = 3, height = 2, across = TurnsAcross(orientation);
    for (uint32_t y = 0; y < (across ? width : height); ++y)
        for (uint32_t x = 0; x < (across ? height : width); ++x) {
            uint32_t sx, sy;
            UprightSource(orientation, width, height, x, y, &sx, &sy);
            Require(sx < width && sy < height);
        }
}

// What the record says is what it writes again.
void ReadBackupRecord(const Bytes& in)
{
    const BackupRecord record = ParseBackupRecord(in.data(), static_cast<uint32_t>(in.size()));
    const Text text = FormatBackupRecord(record);
    const BackupRecord again = ParseBackupRecord(reinterpret_cast<const uint8_t*>(text.c_str()), static_cast<uint32_t>(text.size()));
    Require(SameRecord(record, again));
}

// A PNG, JPEG, GIF or BMP made into a logo, by whichever reader its first
// bytes call for.
void ReadPicture(const Bytes& in)
{
    const MemoryFile file(in);
    const LogoFromFile made = LogoFromPicture(file.path());
    Require(made.converted ? made.logo.size() == kLogoFileSize : made.logo == in);
    MemorySource logo(made.logo.data(), static_cast<uint32_t>(made.logo.size()));
    Require(IsLogoShaped(logo));
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const Bytes in(data + 1, data + size);
    try {
        switch (data[0] % kReaders) {
        case kDiskImage: ReadDiskImage(in); break;
        case kMsdosSys: {
            const std::string windows = WinDirFromMsdosSys(in, "MSDOS.SYS");
            Require(windows.empty() || (windows.size() >= 2 && windows[1] == ':'));
            break;
        }
        case kAttributeListing:
            for (const FatVolume::Entry& e : ParseAttributeListing(std::string(in.begin(), in.end())))
                Require(!e.name.empty() && e.name != "." && e.name != "..");
            break;
        case kBackupRecord: ReadBackupRecord(in); break;
        case kExif: ReadExif(in); break;
        case kPicture: ReadPicture(in); break;
        }
    } catch (const UserError&) {
    }
    return 0;
}
