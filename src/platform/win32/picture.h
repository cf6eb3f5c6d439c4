#pragma once
#include <windows.h>

#include "text/errors.h"

// A picture as a 24-bit DIB section, bottom row first as GDI keeps it.
struct Picture {
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    int32_t width = 0;
    int32_t height = 0;
};

Err PictureFromPixels(const uint8_t* bgr, int32_t width, int32_t height, Picture* picture);
void ReleasePicture(Picture* picture);
void PaintPicture(HDC dc, const Picture& picture);

// A memory DC like the screen's, made on first use and kept: measuring text
// and drawing into pictures need no window's DC, which costs far more.
HDC OffScreenDC();
