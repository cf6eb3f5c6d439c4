#pragma once
#include "logo_files/machine.h"
#include "picture/band.h"

// The picture in the file `source` as a logo, kLogoFileSize bytes at
// `logo`, with a moving band if one is given (kBandEntries of its
// colours); its failures name the source.
Err MakeLogoOf(FileSystem& fs, const Text& source, uint8_t* logo, const Band* band = nullptr);

// Writes a logo made from the picture file `source` into the Logos folder
// beside the tool, named after the source with the extension .bmp; an
// existing file is never overwritten: a number is added instead. Answers
// the copy's full path.
Err WriteLogoCopy(Machine& m, const Text& source, Text* copy, const Band* band = nullptr);
