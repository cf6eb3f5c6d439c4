#include "picture/bitmap_rows.h"

#include "picture/rle_codes.h"

bool BitmapRows::open(const uint8_t* data, uint32_t size)
{
    data_ = nullptr;
    if (!CheckBitmapFile(data, size, &layout_)) return false;
    data_ = data;
    stored_ = at_ = codeRow_ = codeX_ = 0;
    ended_ = false;
    for (uint32_t i = 0; i < 1024; ++i) palette_[i] = 0;
    uint32_t infoSize = U32(data + kInfoSizeAt);
    uint32_t entry = infoSize == kCoreInfoSize ? kCorePaletteEntryBytes : kPaletteEntryBytes;
    const uint8_t* in = data + kFileHeaderSize + infoSize + layout_.maskCount * 4;
    if (indexed())
        for (uint32_t i = 0; i < layout_.colourCount; ++i)
            for (uint32_t c = 0; c < 3; ++c) palette_[i * 4 + c] = in[i * entry + c];
    // Masks follow a 40-byte header or fill the end of a longer one: in
    // both cases they start right after the first 40 bytes.
    const uint8_t* masks = data + kFileHeaderSize + kPlainInfoSize;
    bool fields = layout_.compression == kBiBitfields;
    bool wide = layout_.bitCount == 32;
    setChannel(channels_[0], fields ? U32(masks + 8) : wide ? 0xFFu : 0x1Fu);
    setChannel(channels_[1], fields ? U32(masks + 4) : wide ? 0xFF00u : 0x3E0u);
    setChannel(channels_[2], fields ? U32(masks) : wide ? 0xFF0000u : 0x7C00u);
    return true;
}

// Any mask, even one with gaps: its top 8 bits at most are kept and
// stretched so that all of them set gives 255.
void BitmapRows::setChannel(Channel& c, uint32_t mask)
{
    c.mask = c.shift = 0;
    if (mask) {
        while (!(mask >> c.shift & 1)) ++c.shift;
        uint32_t bits = 0;
        while (bits < 32 - c.shift && mask >> c.shift >> bits) ++bits;
        if (bits > 8) c.shift += bits - 8;
        c.mask = mask >> c.shift;
    }
    for (uint32_t v = 0; v < 256; ++v) c.scale[v] = static_cast<uint8_t>(c.mask ? (v * 255 + c.mask / 2) / c.mask : 0);
}

void BitmapRows::unpackDeep(const uint8_t* in, uint8_t* out) const
{
    uint32_t width = static_cast<uint32_t>(layout_.width);
    bool wide = layout_.bitCount == 32;
    for (uint32_t x = 0; x < width; ++x, out += 3) {
        uint32_t pixel = wide ? U32(in + x * 4) : static_cast<uint32_t>(in[x * 2] | in[x * 2 + 1] << 8);
        for (int c = 0; c < 3; ++c) out[c] = channels_[c].scale[pixel >> channels_[c].shift & channels_[c].mask];
    }
}

// One stored row of RLE4 or RLE8 codes, from where the last row stopped.
void BitmapRows::runRow(uint8_t* out)
{
    for (int32_t x = 0; x < layout_.width; ++x) out[x] = 0;
    if (ended_ || stored_ < codeRow_) return;
    const bool four = layout_.compression == kBiRle4;
    uint32_t x = codeX_;
    codeRow_ = stored_ + 1;
    codeX_ = 0;
    for (;;) {
        const RleCode code = NextRleCode(data_ + layout_.bitsOffset, layout_.bitsSize, &at_, four);
        switch (code.kind) {
        case RleCode::Run:
        case RleCode::Literal:
            for (uint32_t i = 0; i < code.count; ++i, ++x) out[x] = RlePixel(code, i, four);
            break;
        case RleCode::EndOfLine: return;
        case RleCode::Delta:
            x += code.dx;
            if (code.dy) {  // the rows skipped stay index 0
                codeRow_ = stored_ + code.dy;
                codeX_ = x;
                return;
            }
            break;
        case RleCode::EndOfPicture:
        case RleCode::CutShort: ended_ = true; return;
        }
    }
}

bool BitmapRows::next(int32_t* y, uint8_t* pixels)
{
    uint32_t height = static_cast<uint32_t>(layout_.height), width = static_cast<uint32_t>(layout_.width);
    if (!data_ || stored_ >= height) return false;
    if (layout_.compression == kBiRle8 || layout_.compression == kBiRle4) {
        runRow(pixels);
    } else {
        const uint8_t* in = data_ + layout_.bitsOffset + stored_ * RowBytes(width, layout_.bitCount);
        switch (layout_.bitCount) {
        case 1:
            for (uint32_t x = 0; x < width; ++x) pixels[x] = in[x / 8] >> (7 - x % 8) & 1;
            break;
        case 4:
            for (uint32_t x = 0; x < width; ++x) pixels[x] = x & 1 ? in[x / 2] & 15 : in[x / 2] >> 4;
            break;
        case 8:
        case 24:
            for (uint32_t i = 0; i < rowBytes(); ++i) pixels[i] = in[i];
            break;
        default: unpackDeep(in, pixels);
        }
    }
    *y = static_cast<int32_t>(layout_.topDown ? stored_ : height - 1 - stored_);
    ++stored_;
    return true;
}
