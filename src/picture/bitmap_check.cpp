#include "picture/bitmap_check.h"

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

// The sizes and kind of pixels, from either header.
bool ReadInfo(const uint8_t* data, uint32_t size, BitmapLayout& l, uint32_t* declaredColours, uint32_t* sizeImage)
{
    if (size < kFileHeaderSize + kCoreInfoSize || data[0] != 'B' || data[1] != 'M') return false;
    l.infoSize = U32(data + kInfoSizeAt);
    if (l.infoSize == kCoreInfoSize) {
        l.width = U16(data + kCoreWidthAt);
        l.height = U16(data + kCoreHeightAt);
        l.bitCount = U16(data + kCoreBitCountAt);
        return U16(data + kCorePlanesAt) == 1;
    }
    if (!KnownInfoHeader(l.infoSize) || size < kFileHeaderSize + l.infoSize) return false;
    l.width = static_cast<int32_t>(U32(data + kWidthAt));
    const int32_t height = static_cast<int32_t>(U32(data + kHeightAt));
    l.bitCount = U16(data + kBitCountAt);
    l.compression = U32(data + kCompressionAt);
    *sizeImage = U32(data + kImageSizeAt);
    *declaredColours = U32(data + kColoursUsedAt);
    l.coloursImportant = U32(data + kColoursImportantAt);
    if (U16(data + kPlanesAt) != 1 || height == INT32_MIN) return false;
    l.topDown = height < 0;
    l.height = height < 0 ? -height : height;
    return true;
}

// Masks follow a 40-byte header or fill the end of a longer one: in both
// cases they start right after the first 40 bytes.
void ReadMasks(const uint8_t* data, BitmapLayout& l)
{
    const uint8_t* masks = data + kFileHeaderSize + kPlainInfoSize;
    const bool fields = l.compression == kBiBitfields, wide = l.bitCount == 32;
    l.masks[0] = fields ? U32(masks + 8) : wide ? 0xFFu : 0x1Fu;
    l.masks[1] = fields ? U32(masks + 4) : wide ? 0xFF00u : 0x3E0u;
    l.masks[2] = fields ? U32(masks) : wide ? 0xFF0000u : 0x7C00u;
}

// `data` holds the first `size` bytes of a file of `fileSize`: all of its
// headers if it is a bitmap.
Err Check(const uint8_t* data, uint32_t size, uint32_t fileSize, BitmapLayout& l)
{
    const Err notABitmap(kErrInvalidPicture);
    uint32_t declaredColours = 0, sizeImage = 0;
    if (!ReadInfo(data, size, l, &declaredColours, &sizeImage)) return notABitmap;
    if (!KnownDepth(l.bitCount) || !CompressionFits(l.compression, l.bitCount)) return notABitmap;
    if (l.topDown && l.compression != kBiRgb && l.compression != kBiBitfields) return notABitmap;
    if (l.width <= 0 || l.height <= 0) return notABitmap;
    const uint32_t w = static_cast<uint32_t>(l.width), h = static_cast<uint32_t>(l.height);
    const uint64_t area = static_cast<uint64_t>(w) * h;
    const bool compressed = l.compression == kBiRle8 || l.compression == kBiRle4;
    if (w > kMaxPictureWidth || area > (compressed ? kMaxCompressedArea : kMaxPictureArea)) return Err(kErrOverflow);

    l.maskCount = (l.compression == kBiBitfields && l.infoSize == kPlainInfoSize) ? 3 : 0;
    const uint32_t fullPalette = l.bitCount <= 8 ? 1u << l.bitCount : 0;
    if (declaredColours > 256) return notABitmap;
    l.colourCount = declaredColours ? declaredColours : fullPalette;
    if (l.bitCount <= 8 && l.colourCount > fullPalette) return notABitmap;
    const uint32_t entryBytes = l.infoSize == kCoreInfoSize ? kCorePaletteEntryBytes : kPaletteEntryBytes;
    const uint32_t masksEnd = kFileHeaderSize + l.infoSize + l.maskCount * 4;
    if (masksEnd + l.colourCount * entryBytes > size) return notABitmap;
    ReadMasks(data, l);

    const uint32_t offBits = U32(data + kBitsOffsetAt);
    l.bitsOffset = offBits ? offBits : masksEnd + l.colourCount * entryBytes;
    if (l.bitsOffset < masksEnd || l.bitsOffset >= fileSize) return notABitmap;
    const uint32_t available = fileSize - l.bitsOffset;
    if (compressed) {
        l.bitsSize = sizeImage && sizeImage < available ? sizeImage : available;
        return Err();
    }
    const uint64_t bits = static_cast<uint64_t>(RowBytes(w, l.bitCount)) * h;
    if (bits > available) return notABitmap;
    l.bitsSize = static_cast<uint32_t>(bits);
    return Err();
}
}

Err ReadBitmapLayout(ByteSource& file, BitmapLayout* layout, uint8_t* palette)
{
    uint8_t headers[kMaxHeadersSize];
    uint32_t got = 0;
    PLUMWICK_TRY(file.read(0, headers, kMaxHeadersSize, &got));
    BitmapLayout l{};
    PLUMWICK_TRY(Check(headers, got, file.size(), l));
    if (palette) {
        for (uint32_t i = 0; i < 1024; ++i) palette[i] = 0;
        const uint32_t entry = l.infoSize == kCoreInfoSize ? kCorePaletteEntryBytes : kPaletteEntryBytes;
        const uint8_t* in = headers + kFileHeaderSize + l.infoSize + l.maskCount * 4;
        if (l.bitCount <= 8)
            for (uint32_t i = 0; i < l.colourCount; ++i)
                for (uint32_t c = 0; c < 3; ++c) palette[i * 4 + c] = in[i * entry + c];
    }
    *layout = l;
    return Err();
}
