#include "host/png_writer.h"

#include <png.h>

#include <cstring>

#include "host/host_files.h"
#include "host/user_error.h"

void WritePalettedPng(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint8_t>& indexes,
                      const std::vector<uint8_t>& rgbPalette)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGB_COLORMAP;
    image.colormap_entries = static_cast<png_uint_32>(rgbPalette.size() / 3);
    png_alloc_size_t size = 0;
    // The first call measures, the second writes.
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, indexes.data(), 0, rgbPalette.data()))
        throw UserError(path + ": libpng could not make the picture (" + image.message + ")");
    Bytes png(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, indexes.data(), 0, rgbPalette.data()))
        throw UserError(path + ": libpng could not make the picture (" + image.message + ")");
    png.resize(size);
    WriteHostFile(path, png);
}
