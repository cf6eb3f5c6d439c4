#pragma once
#include "picture/area_average.h"
#include "picture/picture_rows.h"
#include "text/errors.h"

// Indexes through a palette of (blue, green, red, 0) entries to blue,
// green, red.
void ExpandIndexes(const uint8_t* palette, const uint8_t* indexes, uint32_t count, uint8_t* bgr);

// Every row the reader has left into the average; the reader's failure,
// if it met one.
Err AverageRows(PictureRows& rows, AreaAverage& average);

// The whole picture of a picture file of any kind, area-averaged to
// width x height pixels (blue, green, red, top row first) at bgr. Errors:
// those of opening and reading it, kErrInvalidPicture for a size the
// average cannot take; kErrOutOfMemory.
Err ScalePicture(ByteSource& file, int32_t width, int32_t height, uint8_t* bgr);
