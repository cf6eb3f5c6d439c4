#include "host/gif_reader.h"

#include <gif_lib.h>

#include <algorithm>

#include "host/bitmap_from_picture.h"
#include "host/picture_core.h"
#include "host/user_error.h"

namespace {
// An interlaced picture stores every 8th row from row 0, then every 8th
// from row 4, every 4th from row 2, every 2nd from row 1.
constexpr int kInterlaceStart[] = {0, 4, 2, 1};
constexpr int kInterlaceStep[] = {8, 8, 4, 2};

struct GifFile {
    GifFileType* file;
    ~GifFile() { DGifCloseFile(file, nullptr); }
};

[[noreturn]] void Fail(const std::string& path, int error)
{
    const char* why = GifErrorString(error);  // NULL for an error it has no words for
    throw UserError(path + ": not a GIF that giflib can read (" + (why ? why : "damaged or cut short") +
                    ")");
}

void Check(const std::string& path, GifFileType* gif, int result)
{
    if (result != GIF_OK) Fail(path, gif->Error);
}

constexpr int kNotTransparent = -1;

// Skips the records before the first picture; false if there is none. The
// picture's transparent colour, if it has one, is told in the graphics
// control extension before it.
bool FindFirstImage(const std::string& path, GifFileType* gif, int* transparent)
{
    *transparent = kNotTransparent;
    for (;;) {
        GifRecordType record;
        Check(path, gif, DGifGetRecordType(gif, &record));
        if (record == IMAGE_DESC_RECORD_TYPE) return true;
        if (record == TERMINATE_RECORD_TYPE) return false;
        if (record == EXTENSION_RECORD_TYPE) {
            int code;
            GifByteType* block;
            Check(path, gif, DGifGetExtension(gif, &code, &block));
            GraphicsControlBlock control;
            if (code == GRAPHICS_EXT_FUNC_CODE && block && DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
                *transparent = control.TransparentColor;
            while (block) Check(path, gif, DGifGetExtensionNext(gif, &block));
        }
    }
}
}

DecodedPicture ReadGif(const std::string& path)
{
    int error = 0;
    GifFile gif{DGifOpenFileName(path.c_str(), &error)};
    if (!gif.file) Fail(path, error);
    GifFileType* g = gif.file;
    int transparent = kNotTransparent;
    if (!FindFirstImage(path, g, &transparent)) throw UserError(path + ": a GIF without a picture");
    Check(path, g, DGifGetImageDesc(g));
    const GifImageDesc& frame = g->Image;
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : g->SColorMap;
    if (!map) throw UserError(path + ": a GIF without colours (no colour table)");

    DecodedPicture picture;
    // Some files give no screen size; the picture's own is meant then.
    picture.width = static_cast<uint32_t>(g->SWidth > 0 ? g->SWidth : frame.Left + frame.Width);
    picture.height = static_cast<uint32_t>(g->SHeight > 0 ? g->SHeight : frame.Top + frame.Height);
    CheckPictureFitsCore(path, picture.width, picture.height);
    CheckPictureFitsCore(path, static_cast<uint32_t>(frame.Width), static_cast<uint32_t>(frame.Height));
    // The transparent colour is laid on black, as the screen around a logo is.
    for (int i = 0; i < map->ColorCount; ++i) {
        const GifColorType& c = map->Colors[i];
        if (i == transparent)
            picture.palette.insert(picture.palette.end(), {0, 0, 0, 0});
        else
            picture.palette.insert(picture.palette.end(), {c.Blue, c.Green, c.Red, 0});
    }
    const uint8_t background =
        map == g->SColorMap && g->SBackGroundColor < map->ColorCount ? static_cast<uint8_t>(g->SBackGroundColor) : 0;
    picture.pixels.assign(static_cast<size_t>(picture.width) * picture.height, background);

    std::vector<GifPixelType> line(static_cast<size_t>(frame.Width));
    auto store = [&](int row) {
        Check(path, g, DGifGetLine(g, line.data(), frame.Width));
        const int64_t y = int64_t{frame.Top} + row;
        if (y >= picture.height || frame.Left >= static_cast<int>(picture.width)) return;
        const size_t width = std::min<size_t>(line.size(), picture.width - static_cast<uint32_t>(frame.Left));
        const auto at = static_cast<std::ptrdiff_t>(y * picture.width + frame.Left);
        std::copy_n(line.begin(), width, picture.pixels.begin() + at);
    };
    if (frame.Interlace) {
        for (int pass = 0; pass < 4; ++pass)
            for (int row = kInterlaceStart[pass]; row < frame.Height; row += kInterlaceStep[pass]) store(row);
    } else {
        for (int row = 0; row < frame.Height; ++row) store(row);
    }
    return picture;
}
