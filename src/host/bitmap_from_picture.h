#pragma once
#include "host/decoded_picture.h"
#include "host/host_files.h"

#include <string>

// The picture as a bottom-up BMP file with the plain 40-byte header: 8 bits
// a pixel with its palette when it has one, else 24 bits. This is what the
// core's MakeLogo reads, so a decoded picture follows the same rules as a
// bitmap the tool on Windows is given.
Bytes BitmapFromPicture(const DecodedPicture& picture);

// Whether a picture of this size fits the core (area and side); a UserError
// naming the file if not. Decoders ask before they decode.
bool PictureFitsCore(uint64_t width, uint64_t height);
void CheckPictureFitsCore(const std::string& path, uint64_t width, uint64_t height);
