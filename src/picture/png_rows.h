#pragma once
#include "picture/decoder_limits.h"
#include "picture/picture_rows.h"

struct PngDecoder;

// The rows of a PNG file of any colour type and depth, decoded by libpng
// as they are asked for: a paletted one as indexes, any other as 8 bits a
// channel; what is transparent laid on black in the file's own values. An interlaced one is decoded
// whole before its first row.
class PngRows final : public PictureRows {
public:
    PngRows() = default;
    ~PngRows() override;
    PngRows(const PngRows&) = delete;
    PngRows& operator=(const PngRows&) = delete;

    Err open(ByteSource& file) override;
    bool nextRow(int32_t* y) override;
    uint32_t piece(const uint8_t** pixels) override;

private:
    bool start();
    bool readRow(uint8_t* into);
    bool readInterlaced();
    void keepPalette();
    void close();
    uint32_t bytes() const { return palette_ ? 1 : 3; }  // a pixel, as handed out

    PngDecoder* decoder_ = nullptr;
    uint32_t channels_ = 3;    // in libpng's rows: 4 with alpha, 1 with a palette
    uint8_t* read_ = nullptr;  // a row as libpng gives it
    uint8_t* row_ = nullptr;   // a row read as it is handed out
    uint8_t* whole_ = nullptr;
    const uint8_t* current_ = nullptr;  // the row being handed out
    uint8_t colours_[1024];
    bool started_ = false;
    int32_t next_ = 0;
};
