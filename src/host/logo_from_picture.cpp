#include "host/logo_from_picture.h"

#include <cstring>

#include "host/picture_core.h"
#include "host/user_error.h"

namespace {
struct KindWords {
    const char* name;
    const char* unreadable;  // why a file of the kind is refused
};

KindWords WordsFor(PictureKind kind)
{
    switch (kind) {
    case PictureKind::Jpeg:
        return {"JPEG",
                "a damaged or cut-short JPEG, a CMYK one, or one libjpeg cannot read; plumwick takes only whole "
                "pictures"};
    case PictureKind::Png: return {"PNG", "not a PNG that libpng can read (damaged or cut short)"};
    case PictureKind::Gif: return {"GIF", "not a GIF that giflib can read (damaged or cut short, or without colours)"};
    case PictureKind::Bitmap: break;
    }
    return {"BMP", "a BMP file that cannot be read (damaged, or a kind Windows does not know)"};
}

std::string CannotRead(const std::string& path, const HostFile& file)
{
    return path + ": cannot be read (" + std::strerror(file.error()) + ")";
}

Bytes MakeLogoOrFail(const std::string& path, HostFile& file, const KindWords& words, uint32_t stillColours,
                     const Band* band)
{
    Bytes logo(kLogoFileSize);
    const Err e = MakeLogo(file, logo.data(), stillColours, band);
    if (!e) return logo;
    if (e.number() == kErrInvalidPicture) throw UserError(path + ": " + words.unreadable);
    if (e.number() == kErrOverflow) {
        OpenedPicture picture;
        picture.open(file);
        if (picture.shape().readWhole)
            throw UserError(path + ": progressive JPEGs, interlaced PNGs and GIFs are read whole, and this one has " +
                            "more than " + std::to_string(kMaxWholePixels) +
                            " pixels; save it smaller, or as a baseline JPEG or a PNG that is not interlaced");
        throw UserError(path + ": a picture larger than plumwick takes; make it smaller first");
    }
    if (e.number() == kErrDeviceIO) throw UserError(CannotRead(path, file));
    throw UserError(path + ": too large to convert in the memory there is");
}
}

LogoFromFile LogoFromPicture(const std::string& path, uint32_t stillColours, const Band* band)
{
    const bool asItIs = stillColours == kLogoPaletteEntries;
    HostFile file;
    OpenHostFile(path, &file);
    uint8_t start[1];
    uint32_t got = 0;
    if (file.read(0, start, sizeof start, &got)) throw UserError(CannotRead(path, file));
    PictureKind kind;
    if (!KindOfPicture(file, &kind))
        throw UserError(path + ": not a picture plumwick reads; give a PNG, JPEG, GIF or BMP file");
    const KindWords words = WordsFor(kind);
    if (kind == PictureKind::Bitmap && asItIs && IsLogoShaped(file)) return {ReadHostFile(path), false, words.name};
    return {MakeLogoOrFail(path, file, words, stillColours, band), true, words.name};
}
