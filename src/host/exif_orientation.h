#pragma once
#include <cstddef>
#include <cstdint>

#include "host/decoded_picture.h"

// How a camera says the picture is to be turned: the EXIF orientation, 1
// (upright as stored) to 8, of an APP1 segment's data ("Exif\0\0" and a
// TIFF header); 1 for anything else.
int ExifOrientation(const uint8_t* data, size_t size);

// The picture as it is meant to be seen: mirrored and turned as the
// orientation says (6: a quarter turn clockwise, 8: anticlockwise...).
void TurnUpright(DecodedPicture* picture, int orientation);
