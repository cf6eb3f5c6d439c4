#pragma once
#include <string>

#include "host/decoded_picture.h"

// A JPEG file read by libjpeg-turbo into 24 bits. A picture larger than the
// core takes is scaled down while it is decoded (1/2, 1/4 or 1/8), which a
// logo of 320 x 400 never misses. It comes upright as its EXIF orientation
// says; a file with any part of the picture missing is refused.
DecodedPicture ReadJpeg(const std::string& path);
