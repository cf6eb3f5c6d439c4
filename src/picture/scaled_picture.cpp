#include "picture/scaled_picture.h"

void ExpandIndexes(const uint8_t* palette, const uint8_t* indexes, uint32_t count, uint8_t* bgr)
{
    for (uint32_t x = 0; x < count; ++x, bgr += 3) {
        const uint8_t* entry = palette + indexes[x] * 4;
        bgr[0] = entry[0];
        bgr[1] = entry[1];
        bgr[2] = entry[2];
    }
}

Err AverageRows(PictureRows& rows, AreaAverage& average)
{
    uint8_t colours[PictureRows::kPiecePixels * 3];
    const uint8_t* pixels;
    int32_t y;
    while (rows.nextRow(&y)) {
        for (uint32_t n; (n = rows.piece(&pixels)) != 0;) {
            if (rows.indexed()) ExpandIndexes(rows.palette(), pixels, n, colours);
            average.add(rows.indexed() ? colours : pixels, n);
        }
        average.endRow();
    }
    return rows.failed();
}

Err ScalePicture(ByteSource& file, int32_t width, int32_t height, uint8_t* bgr)
{
    OpenedPicture picture;
    PLUMWICK_TRY(picture.open(file));
    PictureRows& rows = picture.rows();
    rows.reduceTo(width, height);
    if (rows.failed()) return rows.failed();
    if (!AreaAverage::accepts(rows.rowWidth(), rows.rowCount(), width, height)) return Err(kErrInvalidPicture);
    AreaAverage average(rows.rowWidth(), rows.rowCount(), width, height, rows.bottomFirst(), bgr, width * 3);
    if (!average.ready()) return Err(kErrOutOfMemory);
    return AverageRows(rows, average);
}
