#pragma once
#include <stdint.h>

#include "picture/bitmap_check.h"
#include "picture/byte_reader.h"
#include "picture/picture_rows.h"
#include "picture/rle_codes.h"

// What a bitmap's headers say of it, as every picture's are told.
PictureShape ShapeOf(const BitmapLayout& l);

// Reads the pixels of a bitmap file row by row in the order the file
// stores them, each row in pieces, so that a picture of any size needs a
// few kilobytes. Pixels that compressed data skips are index 0; what a
// row's pieces did not take is passed over.
class BitmapRows final : public PictureRows {
public:
    BitmapRows() = default;
    ~BitmapRows() override;
    BitmapRows(const BitmapRows&) = delete;
    BitmapRows& operator=(const BitmapRows&) = delete;

    // Reads and checks the headers (see ReadBitmapLayout).
    Err open(ByteSource& file) override;
    const BitmapLayout& layout() const { return layout_; }
    bool nextRow(int32_t* y) override;
    uint32_t piece(const uint8_t** pixels) override;

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

    ByteReader* reader_ = nullptr;
    BitmapLayout layout_{};
    uint8_t colours_[1024];  // the file's palette, then black
    Channel channels_[3];    // blue, green, red
    uint8_t piece_[kPiecePixels * 3];
    uint32_t started_ = 0;  // rows begun so far
    uint32_t x_ = 0;        // pixels of the row handed out
    uint32_t owed_ = 0;     // bytes of the last row not yet passed over
    // Compressed data: the row and column where the next code draws, and
    // what is left of the run or literal before it.
    uint32_t codeY_ = 0, codeX_ = 0, pending_ = 0;
    RleCode code_{};
    bool ended_ = false;
};
