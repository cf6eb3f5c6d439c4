#pragma once
#include "picture/area_average.h"
#include "picture/bitmap_rows.h"
#include "text/errors.h"

// Indexes through a palette of (blue, green, red, 0) entries to blue,
// green, red.
void ExpandIndexes(const uint8_t* palette, const uint8_t* indexes, int32_t width, uint8_t* bgr);

// Every row of the picture into the average, in the order the file stores
// them; false when memory ran out.
bool AverageRows(BitmapRows& rows, AreaAverage& average);

// The whole picture of a bitmap file, area-averaged to width x height
// pixels (blue, green, red, top row first) at bgr. Errors:
// kErrInvalidPicture for a file that is no bitmap the check accepts, or a
// size the average cannot take; kErrOutOfMemory.
Err ScaleBitmapFile(const uint8_t* data, uint32_t size, int32_t width, int32_t height, uint8_t* bgr);
