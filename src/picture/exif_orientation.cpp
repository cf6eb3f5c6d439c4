#include "picture/exif_orientation.h"

#include <string.h>

namespace {
const char kExifHeader[] = "Exif\0";  // and a second zero, the string's end
constexpr size_t kTiffAt = 6;
constexpr size_t kIfdEntrySize = 12;
constexpr uint16_t kOrientationTag = 0x0112, kShortType = 3;
constexpr int kUpright = 1, kLastOrientation = 8;

// A TIFF's numbers, in the byte order its header names.
struct Tiff {
    const uint8_t* data;
    size_t size;
    bool bigEndian;

    bool has(size_t at, size_t n) const { return at <= size && n <= size - at; }
    uint16_t u16(size_t at) const
    {
        return static_cast<uint16_t>(bigEndian ? data[at] << 8 | data[at + 1] : data[at + 1] << 8 | data[at]);
    }
    uint32_t u32(size_t at) const
    {
        return bigEndian ? static_cast<uint32_t>(u16(at)) << 16 | u16(at + 2)
                         : static_cast<uint32_t>(u16(at + 2)) << 16 | u16(at);
    }
};
}

int ExifOrientation(const uint8_t* data, size_t size)
{
    if (size < kTiffAt + 8 || memcmp(data, kExifHeader, kTiffAt) != 0) return kUpright;
    Tiff tiff{data + kTiffAt, size - kTiffAt, data[kTiffAt] == 'M'};
    if (memcmp(tiff.data, tiff.bigEndian ? "MM\0*" : "II*\0", 4) != 0) return kUpright;
    const size_t ifd = tiff.u32(4);
    if (!tiff.has(ifd, 2)) return kUpright;
    const size_t count = tiff.u16(ifd);
    for (size_t i = 0; i < count && tiff.has(ifd + 2 + i * kIfdEntrySize, kIfdEntrySize); ++i) {
        const size_t entry = ifd + 2 + i * kIfdEntrySize;
        if (tiff.u16(entry) != kOrientationTag || tiff.u16(entry + 2) != kShortType) continue;
        const int value = tiff.u16(entry + 8);
        return value >= kUpright && value <= kLastOrientation ? value : kUpright;
    }
    return kUpright;
}

void UprightSource(int orientation, uint32_t width, uint32_t height, uint32_t x, uint32_t y, uint32_t* sx, uint32_t* sy)
{
    *sx = x, *sy = y;
    switch (orientation) {
    case 2: *sx = width - 1 - x; break;
    case 3: *sx = width - 1 - x, *sy = height - 1 - y; break;
    case 4: *sy = height - 1 - y; break;
    case 5: *sx = y, *sy = x; break;
    case 6: *sx = y, *sy = height - 1 - x; break;
    case 7: *sx = width - 1 - y, *sy = height - 1 - x; break;
    case 8: *sx = width - 1 - y, *sy = x; break;
    }
}
