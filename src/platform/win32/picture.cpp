#include "platform/win32/picture.h"

namespace {
// GDI's rows end on a 4-byte boundary.
int32_t RowBytes24(int32_t width) { return (width * 3 + 3) / 4 * 4; }

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
    HBITMAP bitmap =
        CreateDIBSection(OffScreenDC(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
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
}

Err PictureFromPixels(const uint8_t* bgr, int32_t width, int32_t height, Picture* picture)
{
    PLUMWICK_TRY(NewSection(width, height, picture));
    const int32_t stride = RowBytes24(width);
    auto* rows = static_cast<uint8_t*>(picture->bits);
    for (int32_t y = 0; y < height; ++y)
        CopyBytes(rows + (height - 1 - y) * stride, bgr + y * width * 3, static_cast<size_t>(width) * 3);
    return Err();
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
