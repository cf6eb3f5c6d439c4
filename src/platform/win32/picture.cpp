#include "platform/win32/picture.h"

#include "picture/bitmap_check.h"
#include "platform/win32/system_error.h"
#include "platform/win32/whole_file.h"

namespace {
int32_t Stride(int32_t width, int32_t bits)
{
    return static_cast<int32_t>(RowBytes(static_cast<uint32_t>(width), static_cast<uint32_t>(bits)));
}

BITMAPINFOHEADER TrueColour(int32_t width, int32_t height)
{
    BITMAPINFOHEADER h = {};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    return h;
}

Err NewSection(int32_t width, int32_t height, Picture* picture)
{
    BITMAPINFOHEADER header = TrueColour(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(OffScreenDC(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                      nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return Err(kErrOutOfMemory);
    }
    picture->bitmap = bitmap;
    picture->bits = bits;
    picture->width = width;
    picture->height = height;
    return Err();
}

// Top-down rows are turned over here: GDI everywhere takes bottom-up ones.
uint8_t* BottomUp(const uint8_t* bits, const BitmapLayout& l)
{
    int32_t stride = Stride(l.width, l.bitCount);
    uint8_t* rows = new uint8_t[l.bitsSize];
    if (!rows) return nullptr;
    for (int32_t y = 0; y < l.height; ++y)
        CopyBytes(rows + y * stride, bits + (l.height - 1 - y) * stride, static_cast<size_t>(stride));
    return rows;
}

Err Render(const uint8_t* data, const BitmapLayout& l, const Text& path, Picture* picture)
{
    uint8_t* info = new uint8_t[CanonicalInfoSize(l)];
    uint8_t* turned = l.topDown ? BottomUp(data + l.bitsOffset, l) : nullptr;
    if (!info || (l.topDown && !turned)) {
        delete[] info;
        delete[] turned;
        return Err(kErrOutOfMemory, path);
    }
    WriteCanonicalInfo(data, l, info);
    reinterpret_cast<BITMAPINFOHEADER*>(info)->biHeight = l.height;
    Err failed = NewSection(l.width, l.height, picture);
    if (!failed) {
        HDC memory = OffScreenDC();
        HGDIOBJ before = SelectObject(memory, picture->bitmap);
        int lines = StretchDIBits(memory, 0, 0, l.width, l.height, 0, 0, l.width, l.height,
                                  turned ? turned : data + l.bitsOffset, reinterpret_cast<BITMAPINFO*>(info),
                                  DIB_RGB_COLORS, SRCCOPY);
        SelectObject(memory, before);
        if (lines == 0 || lines == static_cast<int>(GDI_ERROR)) {
            ReleasePicture(picture);
            failed = Err(kErrInvalidPicture, path);
        }
    }
    delete[] info;
    delete[] turned;
    return failed;
}
}

Err LoadPictureBytes(const uint8_t* data, uint32_t size, const Text& path, Picture* picture)
{
    BitmapLayout layout;
    if (!CheckBitmapFile(data, size, &layout)) return Err(kErrInvalidPicture, path);
    return Render(data, layout, path, picture);
}

Err LoadPictureFile(const Text& path, Picture* picture)
{
    uint8_t* data = nullptr;
    uint32_t size = 0;
    PLUMWICK_TRY(ReadWholeFile(path, kMaxBitmapFileSize, &data, &size));
    Err failed = LoadPictureBytes(data, size, path, picture);
    delete[] data;
    return failed;
}

Err PictureFromPixels(const uint8_t* bgr, int32_t width, int32_t height, Picture* picture)
{
    PLUMWICK_TRY(NewSection(width, height, picture));
    int32_t stride = Stride(width, 24);
    auto* rows = static_cast<uint8_t*>(picture->bits);
    for (int32_t y = 0; y < height; ++y)
        CopyBytes(rows + (height - 1 - y) * stride, bgr + y * width * 3, static_cast<size_t>(width) * 3);
    return Err();
}

// Rows come out through GetDIBits, which also waits for any drawing that
// GDI still holds back.
Err ReadPictureRows(const Picture& picture, int32_t firstRow, int32_t rows, uint8_t* bgr)
{
    if (!picture.bitmap || firstRow < 0 || rows < 1 || firstRow + rows > picture.height)
        return Err(kErrInvalidPicture);
    int32_t stride = Stride(picture.width, 24);
    uint8_t* band = new uint8_t[static_cast<uint32_t>(stride) * static_cast<uint32_t>(rows)];
    if (!band) return Err(kErrOutOfMemory);
    BITMAPINFOHEADER header = TrueColour(picture.width, picture.height);
    int got = GetDIBits(OffScreenDC(), picture.bitmap, static_cast<UINT>(picture.height - firstRow - rows),
                        static_cast<UINT>(rows), band, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    if (got == rows)
        for (int32_t i = 0; i < rows; ++i)
            CopyBytes(bgr + i * picture.width * 3, band + (rows - 1 - i) * stride,
                      static_cast<size_t>(picture.width) * 3);
    delete[] band;
    return got == rows ? Err() : Err(kErrInvalidPicture);
}

void ReleasePicture(Picture* picture)
{
    if (picture->bitmap) DeleteObject(picture->bitmap);
    *picture = Picture();
}

void PaintPicture(HDC dc, const Picture& picture)
{
    if (!picture.bitmap) return;
    HDC memory = OffScreenDC();
    HGDIOBJ before = SelectObject(memory, picture.bitmap);
    BitBlt(dc, 0, 0, picture.width, picture.height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, before);
}

HDC OffScreenDC()
{
    static HDC dc = CreateCompatibleDC(nullptr);
    return dc;
}
