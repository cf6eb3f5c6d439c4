#include "host/bitmap_from_picture.h"

#include <algorithm>
#include <cstddef>

#include "host/picture_core.h"
#include "host/user_error.h"

namespace {
// A decoded picture is held whole, and as a bitmap once more: this wide
// and tall at most, and this many pixels.
constexpr uint64_t kMaxPictureSide = 32767;
constexpr uint64_t kMaxDecodedArea = 1u << 24;
}

Bytes BitmapFromPicture(const DecodedPicture& picture)
{
    const uint16_t bits = picture.indexed() ? 8 : 24;
    const uint32_t entries = static_cast<uint32_t>(picture.palette.size()) / kPaletteEntryBytes;
    const uint32_t stride = RowBytes(picture.width, bits);
    const uint32_t pixelsAt = BitmapPixelsAt(entries);
    Bytes file(BitmapFileSize(picture.width, picture.height, bits, entries), 0);
    WriteBitmapHeader(file.data(), picture.width, picture.height, bits, entries);
    std::copy(picture.palette.begin(), picture.palette.end(), file.begin() + kFileHeaderSize + kPlainInfoSize);
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
           width * height <= kMaxDecodedArea;
}

void CheckPictureFitsCore(const std::string& path, uint64_t width, uint64_t height)
{
    if (!PictureFitsCore(width, height))
        throw UserError(path + ": " + std::to_string(width) + " x " + std::to_string(height) +
                        " pixels is more than plumwick takes (" + std::to_string(kMaxDecodedArea) + " pixels, " +
                        std::to_string(kMaxPictureSide) + " a side); make it smaller first");
}
