#include "picture/scaled_picture.h"

void ExpandIndexes(const uint8_t* palette, const uint8_t* indexes, int32_t width, uint8_t* bgr)
{
    for (int32_t x = 0; x < width; ++x, bgr += 3) {
        const uint8_t* entry = palette + indexes[x] * 4;
        bgr[0] = entry[0];
        bgr[1] = entry[1];
        bgr[2] = entry[2];
    }
}

bool AverageRows(BitmapRows& rows, AreaAverage& average)
{
    const int32_t width = rows.layout().width;
    uint8_t* raw = new uint8_t[rows.rowBytes()];
    uint8_t* colours = rows.indexed() ? new uint8_t[static_cast<uint32_t>(width) * 3] : raw;
    const bool ok = raw && colours;
    int32_t y;
    while (ok && rows.next(&y, raw)) {
        if (rows.indexed()) ExpandIndexes(rows.palette(), raw, width, colours);
        average.addRow(y, colours);
    }
    if (colours != raw) delete[] colours;
    delete[] raw;
    return ok;
}

Err ScaleBitmapFile(const uint8_t* data, uint32_t size, int32_t width, int32_t height, uint8_t* bgr)
{
    BitmapRows rows;
    if (!rows.open(data, size)) return Err(kErrInvalidPicture);
    const BitmapLayout& l = rows.layout();
    if (!AreaAverage::accepts(l.width, l.height, width, height)) return Err(kErrInvalidPicture);
    AreaAverage average(l.width, l.height, width, height);
    if (!average.ready() || !AverageRows(rows, average)) return Err(kErrOutOfMemory);
    average.result(bgr);
    return Err();
}
