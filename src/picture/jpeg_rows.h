#pragma once
#include "picture/decoder_limits.h"
#include "picture/picture_rows.h"

struct JpegDecoder;

// The rows of a JPEG file, baseline or progressive, decoded by libjpeg as
// they are asked for, turned upright as a camera's EXIF orientation says.
// Reduced by libjpeg's scaled IDCT (1/8 to 7/8) when the picture is more
// than twice the size asked for. Pictures with parts missing (libjpeg
// would make them up in grey) and CMYK ones are refused.
class JpegRows final : public PictureRows {
public:
    JpegRows() = default;
    ~JpegRows() override;
    JpegRows(const JpegRows&) = delete;
    JpegRows& operator=(const JpegRows&) = delete;

    Err open(ByteSource& file) override;
    void reduceTo(int32_t width, int32_t height) override;
    bool nextRow(int32_t* y) override;
    uint32_t piece(const uint8_t** pixels) override;

private:
    bool start();
    bool readRow(uint8_t* into);
    bool readWholeTurned();
    void close();

    JpegDecoder* decoder_ = nullptr;
    int orientation_ = 1;
    bool started_ = false;
    uint8_t* row_ = nullptr;    // the row being handed out, three bytes a pixel
    uint8_t* whole_ = nullptr;  // a turned picture, decoded whole
    int32_t next_ = 0;          // rows begun
};
