#include "picture/bitmap_header.h"

uint32_t BitmapPixelsAt(uint32_t colours) { return kFileHeaderSize + kPlainInfoSize + colours * kPaletteEntryBytes; }

uint32_t BitmapFileSize(uint32_t width, uint32_t height, uint16_t bitCount, uint32_t colours)
{
    return BitmapPixelsAt(colours) + RowBytes(width, bitCount) * height;
}

void WriteBitmapHeader(uint8_t* file, uint32_t width, uint32_t height, uint16_t bitCount, uint32_t colours,
                       uint32_t coloursImportant)
{
    for (uint32_t i = 0; i < kFileHeaderSize + kPlainInfoSize; ++i) file[i] = 0;
    file[0] = 'B';
    file[1] = 'M';
    Put32(file + kFileSizeAt, BitmapFileSize(width, height, bitCount, colours));
    Put32(file + kBitsOffsetAt, BitmapPixelsAt(colours));
    Put32(file + kInfoSizeAt, kPlainInfoSize);
    Put32(file + kWidthAt, width);
    Put32(file + kHeightAt, height);
    Put16(file + kPlanesAt, 1);
    Put16(file + kBitCountAt, bitCount);
    Put32(file + kImageSizeAt, RowBytes(width, bitCount) * height);
    Put32(file + kColoursUsedAt, colours);
    Put32(file + kColoursImportantAt, coloursImportant);
}
