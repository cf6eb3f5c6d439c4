// The tool's readers against Debian's own builds of the same libraries,
// which decode each file independently, and the files they must refuse.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <png.h>

#include <jpeglib.h>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "picture/decoder_limits.h"
#include "picture/make_logo.h"
#include "picture/picture_rows.h"

namespace {
using Bytes = std::vector<uint8_t>;

struct Picture {
    uint32_t width = 0, height = 0;
    Bytes bgr;  // top row first
};

Bytes FileBytes(const std::string& name)
{
    std::ifstream in(std::string(PLUMWICK_TEST_PICTURES) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

Picture CoreRead(const Bytes& file, Err* failed)
{
    MemorySource source(file.data(), uint32_t(file.size()));
    OpenedPicture opened;
    Picture p;
    if ((*failed = opened.open(source))) return p;
    PictureRows& rows = opened.rows();
    p.width = uint32_t(rows.rowWidth()), p.height = uint32_t(rows.rowCount());
    p.bgr.assign(size_t(p.width) * p.height * 3, 0xEE);
    const uint8_t* pixels;
    for (int32_t y; rows.nextRow(&y);)
        for (uint32_t x = 0, n; (n = rows.piece(&pixels)) != 0; x += n)
            for (uint32_t i = 0; i < n; ++i)
                for (int c = 0; c < 3; ++c) p.bgr[(y * p.width + x + i) * 3 + c] = rows.indexed() ? rows.palette()[pixels[i] * 4 + c] : pixels[i * 3 + c];
    *failed = rows.failed();
    return p;
}

Picture SystemJpeg(const Bytes& file)
{
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), file.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    Picture p{info.output_width, info.output_height, Bytes(size_t(info.output_width) * info.output_height * 3)};
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &p.bgr[size_t(info.output_scanline) * p.width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return p;
}

// Transparent parts on black, in the file's own values.
Picture SystemPng(const Bytes& file)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    png_image_begin_read_from_memory(&image, file.data(), file.size());
    image.format = PNG_FORMAT_BGRA;
    Bytes bgra(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, bgra.data(), 0, nullptr);
    Picture p{image.width, image.height, {}};
    for (size_t i = 0; i < bgra.size(); i += 4)
        for (int c = 0; c < 3; ++c) p.bgr.push_back(uint8_t((bgra[i + c] * bgra[i + 3] + 127) / 255));
    return p;
}

// The first picture on its screen: the background colour around it, and
// its transparent colour black.
Picture SystemGif(const Bytes& file)
{
    std::FILE* f = std::tmpfile();
    std::fwrite(file.data(), 1, file.size(), f);
    std::rewind(f);
    int error = 0;
    GifFileType* gif = DGifOpenFileHandle(dup(fileno(f)), &error);
    DGifSlurp(gif);
    const SavedImage& frame = gif->SavedImages[0];
    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif, 0, &control);
    const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    Picture p{uint32_t(gif->SWidth), uint32_t(gif->SHeight), {}};
    const GifImageDesc& d = frame.ImageDesc;
    for (int y = 0; y < gif->SHeight; ++y)
        for (int x = 0; x < gif->SWidth; ++x) {
            const bool inside = x >= d.Left && x < d.Left + d.Width && y >= d.Top && y < d.Top + d.Height;
            const int index = inside ? frame.RasterBits[(y - d.Top) * d.Width + x - d.Left] : gif->SBackGroundColor;
            const GifColorType c = index == control.TransparentColor ? GifColorType{0, 0, 0} : map->Colors[index];
            p.bgr.insert(p.bgr.end(), {c.Blue, c.Green, c.Red});
        }
    DGifCloseFile(gif, &error);
    std::fclose(f);
    return p;
}

struct Sound {
    const char* file;
    Picture (*reference)(const Bytes&);
    bool whole;    // read whole before the first row
    bool indexes;  // handed out as palette indexes
};
const Sound kSound[] = {
    {"baseline.jpg", SystemJpeg, false, false},       {"progressive.jpg", SystemJpeg, true, false}, {"grey.jpg", SystemJpeg, false, false},
    {"alpha-interlaced.png", SystemPng, true, false}, {"deep.png", SystemPng, false, false},        {"palette-transparent.png", SystemPng, false, true},
    {"grey2.png", SystemPng, false, false},           {"interlaced.gif", SystemGif, true, true},
};
}

TEST(PictureReaders, GiveTheRowsTheSystemLibrariesDecode)
{
    for (const Sound& s : kSound) {
        SCOPED_TRACE(s.file);
        const Bytes file = FileBytes(s.file);
        ASSERT_FALSE(file.empty());
        Err failed;
        const Picture got = CoreRead(file, &failed), want = s.reference(file);
        EXPECT_FALSE(failed);
        EXPECT_EQ(std::make_tuple(got.width, got.height), std::make_tuple(96u, 72u));
        EXPECT_TRUE(got.bgr == want.bgr);
        MemorySource source(file.data(), uint32_t(file.size()));
        OpenedPicture opened;
        ASSERT_FALSE(opened.open(source));
        EXPECT_EQ(std::make_tuple(opened.shape().readWhole, opened.rows().indexed()), std::make_tuple(s.whole, s.indexes));
    }
}

// A photo four times the size asked for is decoded at a quarter of it.
TEST(PictureReaders, AJpegMuchLargerThanAskedForIsReducedAsItIsDecoded)
{
    const Bytes file = FileBytes("large-progressive.jpg");
    MemorySource source(file.data(), uint32_t(file.size()));
    OpenedPicture opened;
    ASSERT_EQ(opened.open(source).number(), kErrOverflow);  // 4.4 million pixels, progressive
    const Bytes baseline = FileBytes("baseline.jpg");
    MemorySource small(baseline.data(), uint32_t(baseline.size()));
    ASSERT_FALSE(opened.open(small));
    opened.rows().reduceTo(20, 15);
    EXPECT_EQ(std::make_tuple(opened.rows().rowWidth(), opened.rows().rowCount()), std::make_tuple(24, 18));
    opened.rows().reduceTo(48, 36);  // not more than twice: as it is
    EXPECT_EQ(std::make_tuple(opened.rows().rowWidth(), opened.rows().rowCount()), std::make_tuple(96, 72));
}

TEST(PictureReaders, DamagedOrTooLargeToReadWholePicturesAreRefused)
{
    const struct {
        const char* file;
        int error;
    } kRefused[] = {
        {"cut.jpg", kErrInvalidPicture},         {"bad-crc.png", kErrInvalidPicture},    {"no-colours.gif", kErrInvalidPicture},
        {"large-progressive.jpg", kErrOverflow}, {"large-interlaced.png", kErrOverflow}, {"large.gif", kErrOverflow},
    };
    for (const auto& r : kRefused) {
        SCOPED_TRACE(r.file);
        const Bytes file = FileBytes(r.file);
        MemorySource source(file.data(), uint32_t(file.size()));
        Bytes logo(kLogoFileSize, 0x5A);
        EXPECT_EQ(MakeLogo(source, logo.data()).number(), r.error);
    }
}
