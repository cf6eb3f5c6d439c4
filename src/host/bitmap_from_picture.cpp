#include "host/bitmap_from_picture.h"

#include <algorithm>
#include <cstddef>

#include "host/picture_core.h"
#include "host/user_error.h"

namespace {
constexpr uint32_t kInfoHeaderSize = 40;
// The widest and tallest bitmap the core reads.
constexpr uint64_t kMaxPictureSide = 32767;
}

Bytes BitmapFromPicture(const DecodedPicture& picture)
{
    const uint32_t bits = picture.indexed() ? 8 : 24;
    const uint32_t entries = static_cast<uint32_t>(picture.palette.size()) / kPaletteEntryBytes;
    const uint32_t stride = RowBytes(picture.width, bits);
    const uint32_t pixelsAt = kFileHeaderSize + kInfoHeaderSize + entries * kPaletteEntryBytes;
    Bytes file(pixelsAt + stride * picture.height, 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(&file[2], static_cast<uint32_t>(file.size()));
    Put32(&file[10], pixelsAt);
    uint8_t* info = &file[kFileHeaderSize];
    Put32(info, kInfoHeaderSize);
    Put32(info + 4, picture.width);
    Put32(info + 8, picture.height);
    Put16(info + 12, 1);  // planes
    Put16(info + 14, bits);
    Put32(info + 32, entries);
    std::copy(picture.palette.begin(), picture.palette.end(), file.begin() + kFileHeaderSize + kInfoHeaderSize);
    const uint32_t rowBytes = picture.width * bits / 8;
    for (uint32_t y = 0; y < picture.height; ++y) {
        auto row = picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * rowBytes;
        std::copy(row, row + rowBytes, file.begin() + pixelsAt + (picture.height - 1 - y) * stride);
    }
    return file;
}

bool PictureFitsCore(uint64_t width, uint64_t height)
{
    return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPictureArea;
}

void CheckPictureFitsCore(const std::string& path, uint64_t width, uint64_t height)
{
    if (!PictureFitsCore(width, height))
        throw UserError(path + ": " + std::to_string(width) + " x " + std::to_string(height) +
                        " pixels is more than plumwick takes (" + std::to_string(kMaxPictureArea) + " pixels, " +
                        std::to_string(kMaxPictureSide) + " a side); make it smaller first");
}
