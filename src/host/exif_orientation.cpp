#include "host/exif_orientation.h"

#include <cstring>

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
    if (size < kTiffAt + 8 || std::memcmp(data, kExifHeader, kTiffAt) != 0) return kUpright;
    Tiff tiff{data + kTiffAt, size - kTiffAt, data[kTiffAt] == 'M'};
    if (std::memcmp(tiff.data, tiff.bigEndian ? "MM\0*" : "II*\0", 4) != 0) return kUpright;
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

// Each pixel of the upright picture comes from the stored one: for the
// orientations 5 to 8 a column of it is a row of the stored one.
void TurnUpright(DecodedPicture* picture, int orientation)
{
    if (orientation <= kUpright || orientation > kLastOrientation) return;
    const uint32_t w = picture->width, h = picture->height;
    const bool across = orientation >= 5;
    const uint32_t newWidth = across ? h : w, newHeight = across ? w : h;
    const size_t bytes = picture->indexed() ? 1 : 3;
    std::vector<uint8_t> turned(picture->pixels.size());
    for (uint32_t y = 0; y < newHeight; ++y)
        for (uint32_t x = 0; x < newWidth; ++x) {
            uint32_t sx = x, sy = y;
            switch (orientation) {
            case 2: sx = w - 1 - x; break;
            case 3: sx = w - 1 - x, sy = h - 1 - y; break;
            case 4: sy = h - 1 - y; break;
            case 5: sx = y, sy = x; break;
            case 6: sx = y, sy = h - 1 - x; break;
            case 7: sx = w - 1 - y, sy = h - 1 - x; break;
            case 8: sx = w - 1 - y, sy = x; break;
            }
            std::memcpy(&turned[(static_cast<size_t>(y) * newWidth + x) * bytes],
                        &picture->pixels[(static_cast<size_t>(sy) * w + sx) * bytes], bytes);
        }
    picture->pixels.swap(turned);
    picture->width = newWidth;
    picture->height = newHeight;
}
