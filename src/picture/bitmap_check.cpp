#include "picture/bitmap_check.h"

#include "picture/rle_codes.h"

namespace {

bool KnownInfoHeader(uint32_t size)
{
    return size == kPlainInfoSize || size == 52 || size == 56 || size == 108 || size == 124;
}

bool KnownDepth(uint16_t bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

bool CompressionFits(uint32_t compression, uint16_t bits)
{
    switch (compression) {
    case kBiRgb: return true;
    case kBiRle8: return bits == 8;
    case kBiRle4: return bits == 4;
    case kBiBitfields: return bits == 16 || bits == 32;
    default: return false;
    }
}

// Walks the run codes as the decoder does and refuses any that would write
// outside the picture or read past the data.
bool RunsStayInside(const uint8_t* data, uint32_t size, uint32_t width, uint32_t height, bool fourBit)
{
    uint32_t x = 0, y = 0, at = 0;
    for (;;) {
        const RleCode code = NextRleCode(data, size, &at, fourBit);
        switch (code.kind) {
        case RleCode::Run:
        case RleCode::Literal:
            if (y >= height || x + code.count > width) return false;
            x += code.count;
            break;
        case RleCode::EndOfLine:
            x = 0;
            ++y;
            break;
        case RleCode::Delta:
            x += code.dx;
            y += code.dy;
            if (x > width || y > height) return false;
            break;
        case RleCode::EndOfPicture: return true;
        case RleCode::CutShort: return false;
        }
    }
}
}

bool CheckBitmapFile(const uint8_t* data, uint32_t size, BitmapLayout* layout)
{
    if (size < kFileHeaderSize + kCoreInfoSize || data[0] != 'B' || data[1] != 'M') return false;
    uint32_t offBits = U32(data + kBitsOffsetAt);
    uint32_t infoSize = U32(data + kInfoSizeAt);
    BitmapLayout l{};
    uint32_t entryBytes = kPaletteEntryBytes, declaredColours = 0, sizeImage = 0;
    if (infoSize == kCoreInfoSize) {
        l.width = U16(data + kCoreWidthAt);
        l.height = U16(data + kCoreHeightAt);
        if (U16(data + kCorePlanesAt) != 1) return false;
        l.bitCount = U16(data + kCoreBitCountAt);
        entryBytes = kCorePaletteEntryBytes;
    } else {
        if (!KnownInfoHeader(infoSize) || size < kFileHeaderSize + infoSize) return false;
        l.width = static_cast<int32_t>(U32(data + kWidthAt));
        int32_t height = static_cast<int32_t>(U32(data + kHeightAt));
        if (U16(data + kPlanesAt) != 1) return false;
        l.bitCount = U16(data + kBitCountAt);
        l.compression = U32(data + kCompressionAt);
        sizeImage = U32(data + kImageSizeAt);
        declaredColours = U32(data + kColoursUsedAt);
        if (height == INT32_MIN) return false;
        l.topDown = height < 0;
        l.height = height < 0 ? -height : height;
    }
    if (size < kFileHeaderSize + infoSize) return false;
    if (!KnownDepth(l.bitCount) || !CompressionFits(l.compression, l.bitCount)) return false;
    if (l.topDown && l.compression != kBiRgb && l.compression != kBiBitfields) return false;
    if (l.width <= 0 || l.height <= 0 || l.width > 32767 || l.height > 32767) return false;
    uint32_t w = static_cast<uint32_t>(l.width), h = static_cast<uint32_t>(l.height);
    if (w * h > kMaxPictureArea) return false;

    l.maskCount = (l.compression == kBiBitfields && infoSize == kPlainInfoSize) ? 3 : 0;
    uint32_t fullPalette = l.bitCount <= 8 ? 1u << l.bitCount : 0;
    if (declaredColours > 256) return false;
    l.colourCount = declaredColours ? declaredColours : fullPalette;
    if (l.bitCount <= 8 && l.colourCount > fullPalette) return false;
    uint32_t paletteEnd = kFileHeaderSize + infoSize + l.maskCount * 4 + l.colourCount * entryBytes;
    if (paletteEnd > size) return false;

    l.bitsOffset = offBits ? offBits : paletteEnd;
    if (l.bitsOffset < kFileHeaderSize + infoSize + l.maskCount * 4 || l.bitsOffset >= size) return false;
    uint32_t available = size - l.bitsOffset;
    if (l.compression == kBiRle8 || l.compression == kBiRle4) {
        l.bitsSize = sizeImage && sizeImage < available ? sizeImage : available;
        if (!RunsStayInside(data + l.bitsOffset, l.bitsSize, w, h, l.compression == kBiRle4)) return false;
    } else {
        uint32_t stride = RowBytes(w, l.bitCount);
        l.bitsSize = stride * h;
        if (l.bitsSize > available) return false;
    }
    *layout = l;
    return true;
}
