#pragma once
#include <stdint.h>

#include "picture/bitmap_check.h"
#include "picture/byte_reader.h"
#include "picture/rle_codes.h"

// Reads the pixels of a bitmap file row by row in the order the file
// stores them, each row in pieces, so that a picture of any size needs a
// few kilobytes. Pictures of up to 8 bits a pixel come out as one palette
// index a pixel; deeper ones as blue, green, red.
class BitmapRows {
public:
    // Pixels in a piece at most; a multiple of 8, so that pieces of 1- and
    // 4-bit rows start on a byte.
    static constexpr uint32_t kPiecePixels = 1024;

    BitmapRows() = default;
    ~BitmapRows();
    BitmapRows(const BitmapRows&) = delete;
    BitmapRows& operator=(const BitmapRows&) = delete;

    // Reads and checks the headers (see ReadBitmapLayout).
    Err open(ByteSource& file);
    const BitmapLayout& layout() const { return layout_; }
    bool indexed() const { return layout_.bitCount <= 8; }
    // 256 entries of blue, green, red, 0: the file's own, then black.
    const uint8_t* palette() const { return palette_; }
    // Starts the next stored row, its number counted from the top; false
    // after the last row, or after a failure. What a row's pieces did not
    // take is passed over.
    bool nextRow(int32_t* y);
    // The row's next pixels, up to kPiecePixels of them, valid until the
    // next call; how many, 0 at the row's end or on a failure. Pixels that
    // compressed data skips are index 0.
    uint32_t piece(const uint8_t** pixels);
    // What stopped the reading: the file's read error, or pixel data that
    // breaks the rules (kErrInvalidPicture), found as it is decoded; none
    // once every row has been read from a sound file.
    const Err& failed() const { return failed_; }

private:
    struct Channel {
        uint32_t mask, shift;  // the bits, and where the kept top 8 of them start
        uint8_t scale[256];    // kept bits to 0..255
    };
    void setChannel(Channel& c, uint32_t mask);
    bool compressed() const { return layout_.compression == kBiRle8 || layout_.compression == kBiRle4; }
    uint32_t plainPiece(const uint8_t** pixels);
    uint32_t runPiece();
    bool step();
    void fail(const Err& e);

    ByteReader* reader_ = nullptr;
    BitmapLayout layout_{};
    uint8_t palette_[1024];
    Channel channels_[3];  // blue, green, red
    uint8_t piece_[kPiecePixels * 3];
    uint32_t started_ = 0;  // rows begun so far
    uint32_t x_ = 0;        // pixels of the row handed out
    uint32_t owed_ = 0;     // bytes of the last row not yet passed over
    Err failed_;
    // Compressed data: the row and column where the next code draws, and
    // what is left of the run or literal before it.
    uint32_t codeY_ = 0, codeX_ = 0, pending_ = 0;
    RleCode code_{};
    bool ended_ = false;
};
