#include "decoder_names.h"
//
#include "picture/png_rows.h"

#include <png.h>

namespace {
// A row of libpng's own (16-bit RGBA at most, twice) and ours: a wider
// picture is more than the tool takes.
constexpr uint32_t kMaxWidth = kMaxDecoderBytes / 32;
constexpr uint32_t kLargestSide = 0x7FFFFFFF;
constexpr int kPasses = 7;
}

// libpng's state, with the way it reaches the file.
struct PngDecoder {
    png_structp png = nullptr;
    png_infop info = nullptr;
    DecoderJump jump;
    ByteSource* file = nullptr;
    uint32_t at = 0;
    Err failed;
};

namespace {
PngDecoder& DecoderOf(png_structp png) { return *static_cast<PngDecoder*>(png_get_error_ptr(png)); }

void Stop(png_structp png, png_const_charp)
{
    PngDecoder& d = DecoderOf(png);
    if (!d.failed) d.failed = Err(kErrInvalidPicture);
    JumpBack(d.jump);
}

void Ignore(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep into, size_t count)
{
    PngDecoder& d = *static_cast<PngDecoder*>(png_get_io_ptr(png));
    uint32_t got = 0;
    const Err e = d.file->read(d.at, into, static_cast<uint32_t>(count), &got);
    d.at += got;
    if (e) d.failed = e;
    if (e || got != count) Stop(png, nullptr);
}

// Laid on black, in the file's own values: v * alpha / 255, rounded.
inline uint8_t OnBlack(uint32_t v, uint32_t alpha) { return static_cast<uint8_t>((v * alpha + 127) / 255); }

// libpng's pixels as the rows hand them out: indexes as they are; blue,
// green, red and maybe alpha as blue, green, red on black.
void Convert(const uint8_t* from, uint32_t channels, uint32_t count, uint8_t* to)
{
    if (channels == 1) {
        for (uint32_t x = 0; x < count; ++x) to[x] = from[x];
        return;
    }
    for (uint32_t x = 0; x < count; ++x, from += channels, to += 3) {
        const uint32_t alpha = channels == 4 ? from[3] : 255;
        to[0] = OnBlack(from[0], alpha), to[1] = OnBlack(from[1], alpha), to[2] = OnBlack(from[2], alpha);
    }
}
}

PngRows::~PngRows() { close(); }

void PngRows::close()
{
    if (decoder_ && decoder_->png) png_destroy_read_struct(&decoder_->png, &decoder_->info, nullptr);
    delete decoder_;
    decoder_ = nullptr;
    delete[] read_;
    delete[] row_;
    delete[] whole_;
    read_ = row_ = whole_ = nullptr;
}

Err PngRows::open(ByteSource& file)
{
    close();
    started_ = false;
    next_ = 0;
    failed_ = Err();
    palette_ = nullptr;
    decoder_ = new PngDecoder;
    if (!decoder_) return Err(kErrOutOfMemory);
    PngDecoder& d = *decoder_;
    d.file = &file;
    d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, decoder_, Stop, Ignore);
    if (!d.png) return Err(kErrOutOfMemory);
    if (!PLUMWICK_DECODER_CALL(d.jump)) return d.failed;
    d.info = png_create_info_struct(d.png);
    if (!d.info) return Err(kErrOutOfMemory);
    png_set_read_fn(d.png, decoder_, ReadBytes);
    png_set_user_limits(d.png, kLargestSide, kLargestSide);
    png_read_info(d.png, d.info);
    const uint32_t width = png_get_image_width(d.png, d.info), height = png_get_image_height(d.png, d.info);
    const bool interlaced = png_get_interlace_type(d.png, d.info) != PNG_INTERLACE_NONE;
    shape_ = {PictureKind::Png, static_cast<int32_t>(width), static_cast<int32_t>(height), 24, false, interlaced};
    rowWidth_ = shape_.width;
    rowCount_ = shape_.height;
    if (width > kMaxWidth || (interlaced && uint64_t{width} * height > kMaxWholePixels)) return Err(kErrOverflow);
    if (png_get_color_type(d.png, d.info) == PNG_COLOR_TYPE_PALETTE) {
        keepPalette();
        png_set_packing(d.png);
    } else {
        png_set_expand(d.png);
        png_set_scale_16(d.png);
        png_set_gray_to_rgb(d.png);
        png_set_bgr(d.png);
    }
    if (interlaced) png_set_interlace_handling(d.png);
    png_read_update_info(d.png, d.info);
    channels_ = png_get_channels(d.png, d.info);
    if (channels_ != (palette_ ? 1u : 3u) && channels_ != 4) return Err(kErrInvalidPicture);
    return Err();
}

// A paletted picture keeps its indexes; each entry's transparency is laid
// on black in the palette.
void PngRows::keepPalette()
{
    png_colorp entries = nullptr;
    int count = 0, transparent = 0;
    png_bytep alphas = nullptr;
    png_get_PLTE(decoder_->png, decoder_->info, &entries, &count);
    png_get_tRNS(decoder_->png, decoder_->info, &alphas, &transparent, nullptr);
    for (int i = 0; i < 256; ++i) {
        const png_color c = i < count ? entries[i] : png_color{0, 0, 0};
        const uint32_t alpha = alphas && i < transparent ? alphas[i] : 255;
        uint8_t* entry = colours_ + i * 4;
        entry[0] = OnBlack(c.blue, alpha), entry[1] = OnBlack(c.green, alpha), entry[2] = OnBlack(c.red, alpha);
        entry[3] = 0;
    }
    palette_ = colours_;
}

bool PngRows::start()
{
    started_ = true;
    const uint32_t width = static_cast<uint32_t>(rowWidth_);
    read_ = new uint8_t[width * channels_];
    row_ = new uint8_t[width * bytes()];
    if (!read_ || !row_) {
        fail(Err(kErrOutOfMemory));
        return false;
    }
    return !shape_.readWhole || readInterlaced();
}

bool PngRows::readRow(uint8_t* into)
{
    if (!PLUMWICK_DECODER_CALL(decoder_->jump)) {
        fail(decoder_->failed);
        return false;
    }
    png_read_row(decoder_->png, into, nullptr);
    return true;
}

// libpng is asked for every row in each of the seven passes; a pass gives
// some of the pixels of some rows, and those are laid on black into the
// whole picture as they come.
bool PngRows::readInterlaced()
{
    const uint32_t width = static_cast<uint32_t>(rowWidth_), height = static_cast<uint32_t>(rowCount_);
    const uint32_t bytes = this->bytes();
    whole_ = new uint8_t[static_cast<size_t>(width) * height * bytes];
    if (!whole_) {
        fail(Err(kErrOutOfMemory));
        return false;
    }
    for (int pass = 0; pass < kPasses; ++pass)
        for (uint32_t y = 0; y < height; ++y) {
            if (!readRow(read_)) return false;
            if (!PNG_ROW_IN_INTERLACE_PASS(y, pass)) continue;
            uint8_t* to = whole_ + static_cast<size_t>(y) * width * bytes;
            for (uint32_t x = PNG_PASS_START_COL(pass); x < width; x += 1u << PNG_PASS_COL_SHIFT(pass))
                Convert(read_ + x * channels_, channels_, 1, to + x * bytes);
        }
    return true;
}

bool PngRows::nextRow(int32_t* y)
{
    if (!decoder_ || failed_) return false;
    if (!started_ && !start()) return false;
    if (next_ == rowCount_) {
        // What follows the last row must be sound too.
        if (!PLUMWICK_DECODER_CALL(decoder_->jump))
            fail(decoder_->failed);
        else
            png_read_end(decoder_->png, nullptr);
        return false;
    }
    handedOut_ = 0;
    *y = next_++;
    const uint32_t width = static_cast<uint32_t>(rowWidth_);
    if (whole_) {
        current_ = whole_ + static_cast<size_t>(*y) * width * bytes();
        return true;
    }
    if (!readRow(read_)) return false;
    Convert(read_, channels_, width, row_);
    current_ = row_;
    return true;
}

uint32_t PngRows::piece(const uint8_t** pixels) { return !decoder_ || !next_ ? 0 : pieceOf(current_, bytes(), pixels); }
