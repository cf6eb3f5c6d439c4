#include "picture/bitmap_rows.h"

PictureShape ShapeOf(const BitmapLayout& l)
{
    return {PictureKind::Bitmap,
            l.width,
            l.height,
            l.bitCount,
            l.compression == kBiRle8 || l.compression == kBiRle4,
            false};
}

BitmapRows::~BitmapRows() { delete reader_; }

Err BitmapRows::open(ByteSource& file)
{
    delete reader_;
    reader_ = nullptr;
    started_ = x_ = owed_ = codeY_ = codeX_ = pending_ = 0;
    ended_ = false;
    failed_ = Err();
    PLUMWICK_TRY(ReadBitmapLayout(file, &layout_, colours_));
    shape_ = ShapeOf(layout_);
    rowWidth_ = layout_.width;
    rowCount_ = layout_.height;
    bottomFirst_ = !layout_.topDown;
    palette_ = layout_.bitCount <= 8 ? colours_ : nullptr;
    reader_ = new ByteReader(file, layout_.bitsOffset, layout_.bitsOffset + layout_.bitsSize);
    if (!reader_ || !reader_->ready()) {
        delete reader_;
        reader_ = nullptr;
        return Err(kErrOutOfMemory);
    }
    for (int c = 0; c < 3; ++c) setChannel(channels_[c], layout_.masks[c]);
    return Err();
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

bool BitmapRows::nextRow(int32_t* y)
{
    const uint32_t height = static_cast<uint32_t>(layout_.height);
    const uint8_t* rest;
    while (reader_ && started_ && !failed_ && piece(&rest)) {}
    if (!reader_ || failed_) return false;
    if (owed_ && !reader_->take(owed_)) fail(reader_->failed());
    owed_ = 0;
    if (started_ == height) {
        // Codes after the last row must still be sound ones.
        while (compressed() && !ended_ && !failed_ && step()) {}
        return false;
    }
    if (failed_) return false;
    x_ = 0;
    ++started_;
    *y = static_cast<int32_t>(layout_.topDown ? started_ - 1 : height - started_);
    return true;
}

uint32_t BitmapRows::piece(const uint8_t** pixels)
{
    const uint32_t width = static_cast<uint32_t>(layout_.width);
    if (!reader_ || failed_ || !started_ || x_ >= width) return 0;
    if (!compressed()) return plainPiece(pixels);
    *pixels = piece_;
    return runPiece();
}

uint32_t BitmapRows::plainPiece(const uint8_t** pixels)
{
    const uint32_t width = static_cast<uint32_t>(layout_.width), bits = layout_.bitCount;
    const uint32_t count = width - x_ < kPiecePixels ? width - x_ : kPiecePixels;
    const uint32_t bytes = (count * bits + 7) / 8;
    const uint8_t* in = reader_->take(bytes);
    if (!in) {
        fail(reader_->failed());
        return 0;
    }
    x_ += count;
    if (x_ == width) owed_ = RowBytes(width, bits) - (width * bits + 7) / 8;
    uint8_t* out = piece_;
    switch (bits) {
    case 1:
        for (uint32_t i = 0; i < count; ++i) out[i] = in[i / 8] >> (7 - i % 8) & 1;
        break;
    case 4:
        for (uint32_t i = 0; i < count; ++i) out[i] = i & 1 ? in[i / 2] & 15 : in[i / 2] >> 4;
        break;
    case 8:
    case 24: out = const_cast<uint8_t*>(in); break;
    default:
        for (uint32_t i = 0; i < count; ++i, out += 3) {
            const uint32_t pixel = bits == 32 ? U32(in + i * 4) : U16(in + i * 2);
            for (int c = 0; c < 3; ++c) out[c] = channels_[c].scale[pixel >> channels_[c].shift & channels_[c].mask];
        }
        out = piece_;
    }
    *pixels = out;
    return count;
}

// Reads one code and moves to where the next one draws; false if the code
// writes outside the picture or the data ends inside it.
bool BitmapRows::step()
{
    const uint32_t width = static_cast<uint32_t>(layout_.width), height = static_cast<uint32_t>(layout_.height);
    code_ = NextRleCode(*reader_, layout_.compression == kBiRle4);
    switch (code_.kind) {
    case RleCode::Run:
    case RleCode::Literal:
        if (codeY_ >= height || codeX_ + code_.count > width) break;
        pending_ = code_.count;
        codeX_ += code_.count;
        return true;
    case RleCode::EndOfLine:
        codeX_ = 0;
        ++codeY_;
        return true;
    case RleCode::Delta:
        codeX_ += code_.dx;
        codeY_ += code_.dy;
        if (codeX_ > width || codeY_ > height) break;
        return true;
    case RleCode::EndOfPicture: ended_ = true; return true;
    case RleCode::CutShort: break;
    }
    fail(reader_->failed());
    return false;
}

// Pixels up to where the codes draw are index 0: skipped by a delta, or
// past an end of line or of the picture.
uint32_t BitmapRows::runPiece()
{
    const uint32_t width = static_cast<uint32_t>(layout_.width), row = started_ - 1;
    const bool four = layout_.compression == kBiRle4;
    uint32_t n = 0;
    while (n < kPiecePixels && x_ < width) {
        const uint32_t room = kPiecePixels - n;
        if (!ended_ && codeY_ < row) {  // codes at the very end of the row before
            if (!step()) return 0;
            continue;
        }
        const uint32_t drawnFrom = ended_ || codeY_ > row ? width : codeX_ - pending_;
        if (x_ < drawnFrom) {
            const uint32_t zeros = drawnFrom - x_ < room ? drawnFrom - x_ : room;
            for (uint32_t i = 0; i < zeros; ++i) piece_[n++] = 0;
            x_ += zeros;
        } else if (pending_) {
            const uint32_t count = pending_ < room ? pending_ : room;
            for (uint32_t i = code_.count - pending_, end = i + count; i < end; ++i)
                piece_[n++] = RlePixel(code_, i, four);
            pending_ -= count;
            x_ += count;
        } else if (!step()) {
            return 0;
        }
    }
    return n;
}
