#pragma once
#include <string>

#include "host/decoded_picture.h"

// A PNG file read by libpng: a paletted one keeps its palette and indexes,
// any other comes out as 24 bits; transparency is laid on black, as the
// screen around a logo is.
DecodedPicture ReadPng(const std::string& path);
