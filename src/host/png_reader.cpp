#include "host/png_reader.h"

#include <png.h>

#include <cstring>

#include "host/bitmap_from_picture.h"
#include "host/picture_core.h"
#include "host/user_error.h"

namespace {
constexpr uint32_t kBgraBytes = 4, kAlphaAt = 3;

struct PngImage {
    png_image image;
    PngImage()
    {
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
    }
    ~PngImage() { png_image_free(&image); }
};

[[noreturn]] void Fail(const std::string& path, const png_image& image)
{
    throw UserError(path + ": not a PNG that libpng can read (" + image.message + ")");
}

// Blue, green, red and alpha as stored (not premultiplied) laid on black:
// each colour times its opacity, rounded.
void OnBlack(const uint8_t* bgra, uint8_t* bgr)
{
    for (uint32_t c = 0; c < 3; ++c) bgr[c] = static_cast<uint8_t>((bgra[c] * bgra[kAlphaAt] + 127) / 255);
}
}

DecodedPicture ReadPng(const std::string& path)
{
    PngImage png;
    if (!png_image_begin_read_from_file(&png.image, path.c_str())) Fail(path, png.image);
    CheckPictureFitsCore(path, png.image.width, png.image.height);
    DecodedPicture picture;
    picture.width = png.image.width;
    picture.height = png.image.height;
    // Only a file that has a palette is read as indexes: libpng would make
    // one up for any other, and that is the core's job. Transparency is
    // laid on black here, in the file's own colour values: libpng's own
    // compositing works in linear light and lightens what is half seen.
    const bool paletted = png.image.format & PNG_FORMAT_FLAG_COLORMAP;
    png.image.format = paletted ? PNG_FORMAT_BGRA_COLORMAP : PNG_FORMAT_BGRA;
    std::vector<uint8_t> colormap(PNG_IMAGE_COLORMAP_SIZE(png.image));
    std::vector<uint8_t> read(PNG_IMAGE_SIZE(png.image));
    if (!png_image_finish_read(&png.image, nullptr, read.data(), 0, paletted ? colormap.data() : nullptr))
        Fail(path, png.image);
    if (paletted) {
        picture.pixels.swap(read);
        for (uint32_t i = 0; i < png.image.colormap_entries; ++i) {
            uint8_t bgr[3];
            OnBlack(&colormap[i * kBgraBytes], bgr);
            picture.palette.insert(picture.palette.end(), {bgr[0], bgr[1], bgr[2], 0});
        }
        return picture;
    }
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    for (size_t i = 0; i < picture.pixels.size() / 3; ++i) OnBlack(&read[i * kBgraBytes], &picture.pixels[i * 3]);
    return picture;
}
