#include "picture/make_logo.h"

#include "picture/band.h"
#include "picture/bitmap_rows.h"
#include "picture/quantise.h"
#include "picture/scaled_picture.h"

namespace {
// The headers, and the palette black.
void WriteHeader(uint8_t* logo, uint32_t colourCycleStart)
{
    WriteBitmapHeader(logo, kLogoWidth, kLogoHeight, kLogoBitCount, kLogoPaletteEntries, colourCycleStart);
    for (uint32_t i = kLogoPaletteAt; i < kLogoPixelsAt; ++i) logo[i] = 0;
}

// Where a picture goes in the logo. The logo fills a 4:3 screen, each of
// its pixels 2 wide and 1.2 high; 16:10 pictures (640 x 400) fill it too,
// and so do pictures of the logo's own size.
LogoArea Place(int32_t width, int32_t height)
{
    // In 64 bits: a side may be millions of pixels.
    const uint64_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
    LogoArea a{0, 0, kLogoWidth, kLogoHeight};
    if (w * 10 == h * 16 || (w == kLogoWidth && h == kLogoHeight)) return a;
    if (w * 3 > h * 4) {
        a.height = static_cast<int32_t>((1600 * h + 3 * w / 2) / (3 * w));
        if (a.height < 1) a.height = 1;
    } else {
        a.width = static_cast<int32_t>((960 * w + 2 * h) / (4 * h));
        if (a.width < 1) a.width = 1;
    }
    a.x = (kLogoWidth - a.width) / 2;
    a.y = (kLogoHeight - a.height) / 2;
    return a;
}

// Averages the rows into `picture` (320 x 400, 24 bits, black around).
Err Scale(PictureRows& rows, uint8_t* picture)
{
    const LogoArea a = Place(rows.shape().width, rows.shape().height);
    rows.reduceTo(a.width, a.height);
    if (rows.failed()) return rows.failed();
    constexpr int32_t kStride = kLogoWidth * 3;
    AreaAverage average(rows.rowWidth(), rows.rowCount(), a.width, a.height, rows.bottomFirst(),
                        picture + a.y * kStride + a.x * 3, kStride);
    if (!average.ready()) return Err(kErrOutOfMemory);
    return AverageRows(rows, average);
}

// A 320 x 400 picture with a palette keeps it, and its indexes.
bool KeptAsItIs(const PictureRows& rows)
{
    return rows.shape().width == kLogoWidth && rows.shape().height == kLogoHeight && rows.indexed();
}

// Such a picture as it is.
Err CopyIndexes(PictureRows& rows, uint8_t* logo)
{
    const bool bitmap = rows.shape().kind == PictureKind::Bitmap;
    WriteHeader(logo, bitmap ? static_cast<BitmapRows&>(rows).layout().coloursImportant : 0);
    for (uint32_t i = 0; i < kLogoPaletteEntries * 4; ++i) logo[kLogoPaletteAt + i] = rows.palette()[i];
    int32_t y;
    const uint8_t* pixels;
    while (rows.nextRow(&y)) {
        uint8_t* row = logo + kLogoPixelsAt + (kLogoHeight - 1 - y) * kLogoWidth;
        for (uint32_t n; (n = rows.piece(&pixels)) != 0; row += n)
            for (uint32_t x = 0; x < n; ++x) row[x] = pixels[x];
    }
    return rows.failed();
}
}

uint32_t ColourCycleStart(const uint8_t* data, uint32_t size)
{
    if (size < kColoursImportantAt + 4) return 0;
    return U32(data + kInfoSizeAt) >= kPlainInfoSize ? U32(data + kColoursImportantAt) : 0;
}

uint32_t CycledEntry(uint32_t i, uint32_t first, uint32_t step)
{
    if (first == 0 || i < first) return i;
    return first + (i - first + step) % (kLogoPaletteEntries - first);
}

bool IsLogoLayout(const BitmapLayout& l)
{
    return l.infoSize == kPlainInfoSize && l.width == kLogoWidth && l.height == kLogoHeight && !l.topDown &&
           l.bitCount == kLogoBitCount && l.compression == kBiRgb && l.colourCount == kLogoPaletteEntries &&
           l.bitsOffset == kLogoPixelsAt;
}

bool IsLogoShaped(ByteSource& file)
{
    BitmapLayout l;
    return !ReadBitmapLayout(file, &l) && IsLogoLayout(l);
}

Err MakeLogo(ByteSource& file, uint8_t* logo, uint32_t stillColours, const Band* band)
{
    if (stillColours == 0 || stillColours > kLogoPaletteEntries) return Err(kErrInvalidCall);
    const bool cycling = stillColours < kLogoPaletteEntries;
    if (band && (!cycling || !BandFits(*band))) return Err(kErrInvalidCall);
    OpenedPicture opened;
    Err failed = opened.open(file);
    if (!failed && !cycling && KeptAsItIs(opened.rows())) return CopyIndexes(opened.rows(), logo);
    uint8_t* picture = failed ? nullptr : new uint8_t[kLogoWidth * kLogoHeight * 3];
    if (!failed && !picture) failed = Err(kErrOutOfMemory);
    LogoArea area{};
    if (!failed) {
        WriteHeader(logo, cycling ? stillColours : 0);
        for (int32_t i = 0; i < kLogoWidth * kLogoHeight * 3; ++i) picture[i] = 0;
        area = Place(opened.rows().shape().width, opened.rows().shape().height);
        failed = Scale(opened.rows(), picture);
    }
    // The decoder's memory goes before the quantiser takes its own.
    opened.close();
    uint8_t* pixels = logo + kLogoPixelsAt;
    uint8_t* palette = logo + kLogoPaletteAt;
    uint8_t bandColours[kLogoPaletteEntries * kPaletteEntryBytes];
    if (!failed && band) {
        BandPalette(picture, area, *band, stillColours, bandColours);
        CoverStrip(picture, *band);
    }
    if (!failed && Quantise(picture, kLogoWidth, kLogoHeight, palette, pixels + (kLogoHeight - 1) * kLogoWidth,
                            -kLogoWidth, cycling ? stillColours : kLogoPaletteEntries) == Quantised::OutOfMemory)
        failed = Err(kErrOutOfMemory);
    if (!failed && band) {
        for (uint32_t i = stillColours * kPaletteEntryBytes; i < sizeof bandColours; ++i) palette[i] = bandColours[i];
        PaintBand(pixels, *band, stillColours);
    }
    delete[] picture;
    return failed;
}
