#pragma once
#include "picture/decoder_limits.h"
#include "picture/picture_rows.h"

struct GifFileType;

// The first picture of a GIF file, decoded whole by giflib before its first
// row, on its screen: what the picture does not cover is the screen's
// background colour, and its transparent colour is black.
class GifRows final : public PictureRows {
public:
    GifRows() = default;
    ~GifRows() override;
    GifRows(const GifRows&) = delete;
    GifRows& operator=(const GifRows&) = delete;

    Err open(ByteSource& file) override;
    bool nextRow(int32_t* y) override;
    uint32_t piece(const uint8_t** pixels) override;

private:
    bool readFrame();
    void close();

    GifFileType* gif_ = nullptr;
    ByteSource* file_ = nullptr;
    uint32_t at_ = 0;
    Err readFailed_;
    uint8_t colours_[1024];
    uint8_t background_ = 0;
    uint8_t* whole_ = nullptr;
    bool started_ = false;
    int32_t next_ = 0;

    friend int ReadGifBytes(GifFileType* gif, unsigned char* into, int count);
};
