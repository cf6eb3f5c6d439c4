// Gives tools/gen_pictures.py's 24-bit drawings their 256 colours with the
// tool's own converter, so the checked-in pictures look as the tool would
// make them.
//   picture_maker logo IN.bmp OUT                     a logo, as the tool makes one
//   picture_maker palette IN.bmp OUT.bmp [W H]        8 bits, the same size or
//                                                     area-averaged to W x H
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

#include "picture/area_average.h"
#include "picture/bitmap_check.h"
#include "picture/make_logo.h"
#include "picture/quantise.h"
#include "picture/scaled_picture.h"

namespace {
using Bytes = std::vector<uint8_t>;

constexpr const char* kUsage =
    "usage: picture_maker logo IN.bmp OUT | picture_maker palette IN.bmp OUT.bmp [WIDTH HEIGHT]";

bool Read(const char* path, Bytes* data)
{
    std::ifstream in(path, std::ios::binary);
    data->assign(std::istreambuf_iterator<char>(in), {});
    return in.good() || in.eof();
}

bool Write(const char* path, const Bytes& data)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    return out.good();
}

bool MakeLogoFile(ByteSource& in, Bytes* out)
{
    out->resize(kLogoFileSize);
    return !MakeLogo(in, out->data());
}

// 8 bits, laid out as a logo is: the plain header, 256 palette entries,
// uncompressed rows, bottom-up.
bool MakePaletteFile(ByteSource& in, int32_t width, int32_t height, Bytes* out)
{
    Bytes bgr(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    if (ScalePicture(in, width, height, bgr.data())) return false;
    const uint32_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
    const uint32_t stride = RowBytes(w, kLogoBitCount);
    out->assign(BitmapFileSize(w, h, kLogoBitCount, kLogoPaletteEntries), 0);
    uint8_t* file = out->data();
    WriteBitmapHeader(file, w, h, kLogoBitCount, kLogoPaletteEntries);
    uint8_t* bottomRow = file + kLogoPixelsAt + (h - 1) * stride;
    return Quantise(bgr.data(), width, height, file + kLogoPaletteAt, bottomRow, -static_cast<int32_t>(stride)) !=
           Quantised::OutOfMemory;
}

// A width or height as given; 0 for anything else.
int32_t Dimension(const char* text)
{
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    return *end == 0 && n > 0 && n <= INT32_MAX ? static_cast<int32_t>(n) : 0;
}
}

int main(int argc, char** argv)
{
    const std::string_view job = argc > 1 ? argv[1] : "";
    const bool logo = job == "logo" && argc == 4;
    const bool palette = job == "palette" && (argc == 4 || argc == 6);
    if (!logo && !palette) return std::fprintf(stderr, "%s\n", kUsage), 2;
    const char *in = argv[2], *out = argv[3];
    Bytes picture, made;
    BitmapLayout layout;
    if (!Read(in, &picture)) return std::fprintf(stderr, "picture_maker: cannot read %s\n", in), 1;
    MemorySource source(picture.data(), static_cast<uint32_t>(picture.size()));
    if (ReadBitmapLayout(source, &layout))
        return std::fprintf(stderr, "picture_maker: %s is no bitmap it can read\n", in), 1;
    int32_t width = layout.width, height = layout.height;
    if (argc == 6) {
        width = Dimension(argv[4]), height = Dimension(argv[5]);
        if (!AreaAverage::accepts(layout.width, layout.height, width, height))
            return std::fprintf(stderr, "picture_maker: %s cannot be scaled to %s x %s\n", in, argv[4], argv[5]), 1;
    }
    if (!(logo ? MakeLogoFile(source, &made) : MakePaletteFile(source, width, height, &made)))
        return std::fprintf(stderr, "picture_maker: %s could not be converted\n", in), 1;
    if (!Write(out, made)) return std::fprintf(stderr, "picture_maker: could not write %s\n", out), 1;
    return 0;
}
