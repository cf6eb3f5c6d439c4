#include "picture/make_logo.h"

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
// its pixels 2 wide and 1.2 high; 16:10 pictures (640 x 400) fill it too.
struct Area {
    int32_t x, y, width, height;
};
Area Place(int32_t width, int32_t height)
{
    uint32_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
    Area a{0, 0, kLogoWidth, kLogoHeight};
    if (w * 10 == h * 16) return a;
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

// Scales the rows into `picture` (320 x 400, 24 bits, black around).
bool Scale(BitmapRows& rows, uint8_t* picture)
{
    const BitmapLayout& l = rows.layout();
    const Area a = Place(l.width, l.height);
    AreaAverage average(l.width, l.height, a.width, a.height);
    // Full-width pictures go straight into place.
    const bool inPlace = a.width == kLogoWidth;
    uint8_t* scaled =
        inPlace ? picture + a.y * kLogoWidth * 3 : new uint8_t[static_cast<uint32_t>(a.width * a.height * 3)];
    const bool ok = average.ready() && scaled && AverageRows(rows, average);
    if (ok) average.result(scaled);
    for (int32_t row = 0; ok && !inPlace && row < a.height; ++row)
        for (int32_t i = 0; i < a.width * 3; ++i)
            picture[((a.y + row) * kLogoWidth + a.x) * 3 + i] = scaled[row * a.width * 3 + i];
    if (!inPlace) delete[] scaled;
    return ok;
}
}

bool DescribeBitmap(const uint8_t* data, uint32_t size, BitmapSummary* summary)
{
    BitmapLayout l;
    if (!CheckBitmapFile(data, size, &l)) return false;
    *summary = {l.width, l.height, l.bitCount, l.compression == kBiRle8 || l.compression == kBiRle4};
    return true;
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

bool IsLogoShaped(const uint8_t* data, uint32_t size)
{
    BitmapLayout l;
    return CheckBitmapFile(data, size, &l) && U32(data + kInfoSizeAt) == kPlainInfoSize && l.width == kLogoWidth &&
           l.height == kLogoHeight && !l.topDown && l.bitCount == kLogoBitCount && l.compression == kBiRgb &&
           l.colourCount == kLogoPaletteEntries && l.bitsOffset == kLogoPixelsAt;
}

Err MakeLogo(const uint8_t* data, uint32_t size, uint8_t* logo, uint32_t stillColours)
{
    if (stillColours == 0 || stillColours > kLogoPaletteEntries) return Err(kErrInvalidCall);
    BitmapRows rows;
    if (!rows.open(data, size)) return Err(kErrInvalidPicture);
    const BitmapLayout& l = rows.layout();
    uint8_t* pixels = logo + kLogoPixelsAt;
    const bool logoSized = l.width == kLogoWidth && l.height == kLogoHeight;
    int32_t y;
    const bool cycling = stillColours < kLogoPaletteEntries;
    if (logoSized && rows.indexed() && !cycling) {
        WriteHeader(logo, ColourCycleStart(data, size));
        for (uint32_t i = 0; i < kLogoPaletteEntries * 4; ++i) logo[kLogoPaletteAt + i] = rows.palette()[i];
        uint8_t row[kLogoWidth];
        while (rows.next(&y, row))
            for (int32_t x = 0; x < kLogoWidth; ++x) pixels[(kLogoHeight - 1 - y) * kLogoWidth + x] = row[x];
        return Err();
    }
    WriteHeader(logo, cycling ? stillColours : 0);
    uint8_t* picture = new uint8_t[kLogoWidth * kLogoHeight * 3];
    if (!picture) return Err(kErrOutOfMemory);
    for (int32_t i = 0; i < kLogoWidth * kLogoHeight * 3; ++i) picture[i] = 0;
    bool ok = true;
    if (logoSized && !rows.indexed()) {
        uint8_t row[kLogoWidth * 3];
        while (rows.next(&y, row))
            for (int32_t i = 0; i < kLogoWidth * 3; ++i) picture[y * kLogoWidth * 3 + i] = row[i];
    } else {
        ok = Scale(rows, picture);
    }
    if (ok)
        ok = Quantise(picture, kLogoWidth, kLogoHeight, logo + kLogoPaletteAt, pixels + (kLogoHeight - 1) * kLogoWidth,
                      -kLogoWidth, cycling ? stillColours : kLogoPaletteEntries) != Quantised::OutOfMemory;
    delete[] picture;
    return ok ? Err() : Err(kErrOutOfMemory);
}
