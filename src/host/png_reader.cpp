#include "host/png_reader.h"

#include <png.h>

#include <cstring>

#include "host/bitmap_from_picture.h"
#include "host/picture_core.h"
#include "host/user_error.h"

namespace {
constexpr png_color kBlack = {0, 0, 0};
constexpr uint32_t kBgrBytes = 3;

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
    // one up for any other, and that is the core's job.
    const bool paletted = png.image.format & PNG_FORMAT_FLAG_COLORMAP;
    png.image.format = paletted ? PNG_FORMAT_BGR_COLORMAP : PNG_FORMAT_BGR;
    std::vector<uint8_t> colormap(PNG_IMAGE_COLORMAP_SIZE(png.image));
    picture.pixels.resize(PNG_IMAGE_SIZE(png.image));
    if (!png_image_finish_read(&png.image, &kBlack, picture.pixels.data(), 0, paletted ? colormap.data() : nullptr))
        Fail(path, png.image);
    if (paletted)
        for (uint32_t i = 0; i < png.image.colormap_entries; ++i) {
            const uint8_t* bgr = &colormap[i * kBgrBytes];
            picture.palette.insert(picture.palette.end(), {bgr[0], bgr[1], bgr[2], 0});
        }
    return picture;
}
