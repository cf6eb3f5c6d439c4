#pragma once
#include <string>

#include "host/decoded_picture.h"

// The first picture of a GIF file, read by giflib, on its logical screen
// (the background colour where the picture leaves it bare), with the
// palette it uses and its indexes: a GIF never needs more than 256 colours.
DecodedPicture ReadGif(const std::string& path);
