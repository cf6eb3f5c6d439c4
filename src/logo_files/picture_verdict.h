#pragma once
#include "logo_files/machine.h"
#include "picture/make_logo.h"
#include "picture/picture_rows.h"

// What a file chosen or given as a logo is: a logo as Windows shows it, a
// picture the tool can make one of, or neither.
struct PictureVerdict {
    bool pictureMagic = false;  // it starts as a picture of a kind the tool reads does
    bool tooLarge = false;      // a picture larger than the tool takes
    PictureShape summary{};
    bool logo = false;  // laid out as Windows shows a logo
};

// Reads the headers of an open file into the verdict and, for a bitmap,
// `layout` (zero for other kinds), for a reading that goes on from there.
// Errors: those of ReadBitmapLayout and of opening the picture.
Err ReadPictureVerdict(ByteSource& file, PictureVerdict* verdict, BitmapLayout* layout);

// The verdict on the file at `path`, from its header alone. A file that is
// no picture the tool takes, or too large a one, is kErrInvalidPicture,
// naming it.
Err JudgePicture(FileSystem& fs, const Text& path, PictureVerdict* verdict);

// A reading's failure as the user hears of it: too large a picture, or
// none, is kErrInvalidPicture naming the file (the verdict says which);
// running out of memory is not the file's fault and stays as it is.
Err PictureFailure(const Err& failed, const Text& path, PictureVerdict* verdict);

// Why the file at `path` is taken for no picture, after `failed`: no
// bitmap, a damaged one, too large, a folder, or the platform's failure.
Text WhyNotAPicture(FileSystem& fs, const Text& path, const Err& failed, const PictureVerdict& verdict);
