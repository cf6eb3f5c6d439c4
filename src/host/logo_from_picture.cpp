#include "host/logo_from_picture.h"

#include <cstring>

#include "host/bitmap_from_picture.h"
#include "host/gif_reader.h"
#include "host/jpeg_reader.h"
#include "host/picture_core.h"
#include "host/png_reader.h"
#include "host/user_error.h"

namespace {
enum class Kind { Bmp, Png, Jpeg, Gif, Unknown };

// Each format's first bytes.
const uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
const uint8_t kJpegSignature[] = {0xFF, 0xD8, 0xFF};
const uint8_t kGifSignature[] = {'G', 'I', 'F', '8'};
const uint8_t kBmpSignature[] = {'B', 'M'};

template <size_t N>
bool StartsWith(const uint8_t* data, uint32_t size, const uint8_t (&signature)[N])
{
    return size >= N && std::memcmp(data, signature, N) == 0;
}

Kind KindOf(const uint8_t* data, uint32_t size)
{
    if (StartsWith(data, size, kPngSignature)) return Kind::Png;
    if (StartsWith(data, size, kJpegSignature)) return Kind::Jpeg;
    if (StartsWith(data, size, kGifSignature)) return Kind::Gif;
    if (StartsWith(data, size, kBmpSignature)) return Kind::Bmp;
    return Kind::Unknown;
}

std::string CannotRead(const std::string& path, const HostFile& file)
{
    return path + ": cannot be read (" + std::strerror(file.error()) + ")";
}

// `host` is the file itself when the picture is read from it as it is.
Bytes MakeLogoOrFail(const std::string& path, ByteSource& picture, const HostFile* host, const char* whyNot,
                     uint32_t stillColours)
{
    Bytes logo(kLogoFileSize);
    const Err e = MakeLogo(picture, logo.data(), stillColours);
    if (!e) return logo;
    if (e.number() == kErrInvalidPicture) throw UserError(path + ": " + whyNot);
    if (e.number() == kErrOverflow)
        throw UserError(path + ": a picture larger than plumwick takes; make it smaller first");
    if (e.number() == kErrDeviceIO && host) throw UserError(CannotRead(path, *host));
    throw UserError(path + ": too large to convert in the memory there is");
}

// A decoded picture goes to the core as the bitmap it would be.
Bytes MakeLogoOfDecoded(const std::string& path, const DecodedPicture& picture, uint32_t stillColours)
{
    const Bytes bitmap = BitmapFromPicture(picture);
    MemorySource source(bitmap.data(), static_cast<uint32_t>(bitmap.size()));
    return MakeLogoOrFail(path, source, nullptr, "cannot be converted", stillColours);
}
}

LogoFromFile LogoFromPicture(const std::string& path, uint32_t stillColours)
{
    const bool asItIs = stillColours == kLogoPaletteEntries;
    HostFile file;
    OpenHostFile(path, &file);
    uint8_t start[8] = {};
    uint32_t got = 0;
    if (file.read(0, start, sizeof start, &got)) throw UserError(CannotRead(path, file));
    switch (KindOf(start, got)) {
    case Kind::Bmp:
        if (asItIs && IsLogoShaped(file)) return {ReadHostFile(path), false, "BMP"};
        return {
            MakeLogoOrFail(path, file, &file,
                           "a BMP file that cannot be read (damaged, or a kind Windows does not know)", stillColours),
            true, "BMP"};
    case Kind::Png: return {MakeLogoOfDecoded(path, ReadPng(path), stillColours), true, "PNG"};
    case Kind::Jpeg: return {MakeLogoOfDecoded(path, ReadJpeg(path), stillColours), true, "JPEG"};
    case Kind::Gif: return {MakeLogoOfDecoded(path, ReadGif(path), stillColours), true, "GIF"};
    case Kind::Unknown: break;
    }
    throw UserError(path + ": not a picture plumwick reads; give a PNG, JPEG, GIF or BMP file");
}
