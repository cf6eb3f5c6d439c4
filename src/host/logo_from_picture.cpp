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
bool StartsWith(const Bytes& data, const uint8_t (&signature)[N])
{
    return data.size() >= N && std::memcmp(data.data(), signature, N) == 0;
}

Kind KindOf(const Bytes& data)
{
    if (StartsWith(data, kPngSignature)) return Kind::Png;
    if (StartsWith(data, kJpegSignature)) return Kind::Jpeg;
    if (StartsWith(data, kGifSignature)) return Kind::Gif;
    if (StartsWith(data, kBmpSignature)) return Kind::Bmp;
    return Kind::Unknown;
}

Bytes MakeLogoOrFail(const std::string& path, const Bytes& bitmap, const char* whyNot, uint32_t stillColours)
{
    Bytes logo(kLogoFileSize);
    const Err e = MakeLogo(bitmap.data(), static_cast<uint32_t>(bitmap.size()), logo.data(), stillColours);
    if (e.number() == kErrInvalidPicture) throw UserError(path + ": " + whyNot);
    if (e) throw UserError(path + ": too large to convert in the memory there is");
    return logo;
}
}

LogoFromFile LogoFromPicture(const std::string& path, uint32_t stillColours)
{
    const bool asItIs = stillColours == kLogoPaletteEntries;
    const Bytes data = ReadHostFile(path);
    switch (KindOf(data)) {
    case Kind::Bmp:
        if (data.size() > kMaxBitmapFileSize)
            throw UserError(path + ": a BMP larger than plumwick takes; make it smaller first");
        if (asItIs && IsLogoShaped(data.data(), static_cast<uint32_t>(data.size()))) return {data, false, "BMP"};
        return {MakeLogoOrFail(path, data, "a BMP file that cannot be read (damaged, or a kind Windows does not know)",
                               stillColours),
                true, "BMP"};
    case Kind::Png:
        return {MakeLogoOrFail(path, BitmapFromPicture(ReadPng(path)), "cannot be converted", stillColours), true,
                "PNG"};
    case Kind::Jpeg:
        return {MakeLogoOrFail(path, BitmapFromPicture(ReadJpeg(path)), "cannot be converted", stillColours), true,
                "JPEG"};
    case Kind::Gif:
        return {MakeLogoOrFail(path, BitmapFromPicture(ReadGif(path)), "cannot be converted", stillColours), true,
                "GIF"};
    case Kind::Unknown: break;
    }
    throw UserError(path + ": not a picture plumwick reads; give a PNG, JPEG, GIF or BMP file");
}
