#pragma once
// The portable core's picture code, as the host code uses it: the bitmap
// check, the logo's layout, the picture readers and MakeLogo. Included
// from here alone, so that a move of the core's files changes one line.
#include "picture/band.h"
#include "picture/bitmap_check.h"
#include "picture/decoder_limits.h"
#include "picture/make_logo.h"
#include "picture/picture_rows.h"
