#pragma once
#include <stdint.h>

#include "picture/byte_source.h"
#include "text/errors.h"

enum class PictureKind : uint8_t { Bitmap, Jpeg, Png, Gif };

// What a picture's headers say of it.
struct PictureShape {
    PictureKind kind;
    int32_t width, height;  // as it is to be seen, a camera's turn done
    uint16_t bitCount;      // a bitmap's; 24 for the others
    bool compressed;        // an RLE bitmap
    bool readWhole;         // decoded whole before its first row: a progressive JPEG, interlaced PNG, GIF
};

// The pixels of a picture file, row by row, each row in pieces, so that
// most pictures of any size need a few kilobytes. Pictures with a palette
// come out as one index a pixel; the others as blue, green, red.
class PictureRows {
public:
    // Pixels in a piece at most; a multiple of 8, so that pieces of 1- and
    // 4-bit bitmap rows start on a byte.
    static constexpr uint32_t kPiecePixels = 1024;

    virtual ~PictureRows() = default;
    // Reads and checks the headers. Errors: kErrInvalidPicture for a file
    // that is no such picture, kErrOverflow for one larger than the tool
    // takes, and the file's own read errors.
    virtual Err open(ByteSource& file) = 0;
    // Before the first row: rows of at least this size will do, and a
    // decoder that can reduce the picture as it decodes it does.
    virtual void reduceTo(int32_t /*width*/, int32_t /*height*/) {}

    const PictureShape& shape() const { return shape_; }
    // The rows as they come: how many pixels wide and how many, and
    // whether the bottom one comes first.
    int32_t rowWidth() const { return rowWidth_; }
    int32_t rowCount() const { return rowCount_; }
    bool bottomFirst() const { return bottomFirst_; }
    bool indexed() const { return palette_ != nullptr; }
    // 256 entries of blue, green, red, 0, when indexed.
    const uint8_t* palette() const { return palette_; }

    // Starts the next row, its number counted from the top; false after
    // the last row, or after a failure.
    virtual bool nextRow(int32_t* y) = 0;
    // The row's next pixels, up to kPiecePixels of them, valid until the
    // next call; how many, 0 at the row's end or on a failure.
    virtual uint32_t piece(const uint8_t** pixels) = 0;
    // What stopped the reading: the file's read error, kErrInvalidPicture
    // for data that breaks the format's rules, kErrOverflow or
    // kErrOutOfMemory for a picture too large to decode; none once every
    // row has been read from a sound file.
    const Err& failed() const { return failed_; }

protected:
    void fail(const Err& e)
    {
        if (!failed_) failed_ = e ? e : Err(kErrInvalidPicture);
    }
    // The next piece of a row held whole, `bytes` a pixel; handedOut_ is
    // set to 0 as each row starts.
    uint32_t pieceOf(const uint8_t* row, uint32_t bytes, const uint8_t** pixels)
    {
        const uint32_t width = static_cast<uint32_t>(rowWidth_);
        if (failed_ || handedOut_ >= width) return 0;
        const uint32_t count = width - handedOut_ < kPiecePixels ? width - handedOut_ : kPiecePixels;
        *pixels = row + handedOut_ * bytes;
        handedOut_ += count;
        return count;
    }

    PictureShape shape_{};
    int32_t rowWidth_ = 0, rowCount_ = 0;
    bool bottomFirst_ = false;
    const uint8_t* palette_ = nullptr;
    uint32_t handedOut_ = 0;
    Err failed_;
};

// The kind of picture a file's first bytes announce; false for none.
bool KindOfPicture(ByteSource& file, PictureKind* kind);

// The reader for a picture file of any kind, its headers read. Errors:
// kErrInvalidPicture for a file of no kind the tool reads, and those of
// the reader's open().
class OpenedPicture {
public:
    OpenedPicture() = default;
    ~OpenedPicture() { close(); }
    OpenedPicture(const OpenedPicture&) = delete;
    OpenedPicture& operator=(const OpenedPicture&) = delete;

    Err open(ByteSource& file);
    // Gives back the reader and all its decoder holds.
    void close()
    {
        delete rows_;
        rows_ = nullptr;
    }
    PictureRows& rows() { return *rows_; }
    // What the headers said, as far as they were read.
    PictureShape shape() const { return rows_ ? rows_->shape() : PictureShape{}; }

private:
    PictureRows* rows_ = nullptr;
};
