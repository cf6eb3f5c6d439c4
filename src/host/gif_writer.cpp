#include "host/gif_writer.h"

#include <gif_lib.h>

#include <memory>

#include "host/host_files.h"
#include "host/user_error.h"

namespace {
constexpr int kColourResolutionBits = 8;
constexpr int kPaletteEntries = 256;
// The application extension that browsers read as "loop this many times";
// 0 is for ever.
const char kLoopApplication[] = "NETSCAPE2.0";
const GifByteType kLoopForever[] = {1, 0, 0};

int Append(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<Bytes*>(gif->UserData)->insert(static_cast<Bytes*>(gif->UserData)->end(), data, data + length);
    return length;
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColourMap = std::unique_ptr<ColorMapObject, MapDeleter>;

ColourMap MakeMap(const std::vector<uint8_t>& rgb)
{
    ColourMap map(GifMakeMapObject(kPaletteEntries, nullptr));
    if (!map) throw UserError("out of memory");
    for (int i = 0; i < kPaletteEntries; ++i) map->Colors[i] = {rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]};
    return map;
}
}

void WriteGif(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint8_t>& indexes,
              const std::vector<std::vector<uint8_t>>& rgbPalettes, int frameCentiseconds)
{
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, Append, &error);
    if (!gif) throw UserError(path + ": giflib could not start the picture (" + GifErrorString(error) + ")");
    const bool animated = rgbPalettes.size() > 1;
    auto check = [&](int result) {
        if (result == GIF_OK) return;
        const int e = gif->Error;
        EGifCloseFile(gif, nullptr);
        throw UserError(path + ": giflib could not make the picture (" + GifErrorString(e) + ")");
    };
    EGifSetGifVersion(gif, animated);
    const ColourMap first = MakeMap(rgbPalettes.front());
    check(EGifPutScreenDesc(gif, static_cast<int>(width), static_cast<int>(height), kColourResolutionBits, 0,
                            first.get()));
    if (animated) {
        check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE));
        check(EGifPutExtensionBlock(gif, sizeof kLoopApplication - 1, kLoopApplication));
        check(EGifPutExtensionBlock(gif, sizeof kLoopForever, kLoopForever));
        check(EGifPutExtensionTrailer(gif));
    }
    for (const std::vector<uint8_t>& rgb : rgbPalettes) {
        if (animated) {
            GraphicsControlBlock control{DISPOSE_DO_NOT, false, frameCentiseconds, NO_TRANSPARENT_COLOR};
            GifByteType extension[4];
            const size_t length = EGifGCBToExtension(&control, extension);
            check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension));
        }
        // In an animation every frame brings its own colours.
        const ColourMap own = animated ? MakeMap(rgb) : ColourMap();
        check(EGifPutImageDesc(gif, 0, 0, static_cast<int>(width), static_cast<int>(height), false, own.get()));
        for (uint32_t y = 0; y < height; ++y)
            check(EGifPutLine(gif, const_cast<GifPixelType*>(&indexes[y * width]), static_cast<int>(width)));
    }
    if (EGifCloseFile(gif, &error) != GIF_OK)
        throw UserError(path + ": giflib could not finish the picture (" + GifErrorString(error) + ")");
    WriteHostFile(path, out);
}
