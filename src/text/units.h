#pragma once
#include <stdint.h>

struct PixelRect {
    int32_t left, top, width, height;
};

struct ScreenInfo {
    int32_t dpiX, dpiY;
    int32_t widthPx, heightPx;
    int32_t titleBarPx;  // a fixed window's frame and caption, from its top edge
};

// Twips are 1/1440 inch; a window's own place is kept in twips, everything
// inside it in pixels.
constexpr int32_t kTwipsPerInch = 1440;
// The windows' pixel places are laid out for this; other settings scale them.
constexpr int32_t kDesignDpi = 96;

int32_t RoundHalfEven(int32_t numerator, int32_t denominator);
int32_t TwipsPerPixel(int32_t dpi);
int32_t PixelsToTwips(int32_t pixels, int32_t dpi);
int32_t TwipsToPixels(int32_t twips, int32_t dpi);
bool FitsInt16(int32_t value);
int32_t ScaleForDpi(int32_t pixels, int32_t dpi);

// Half the room the screen leaves beside the window, in twips.
int32_t CentredTwips(int32_t screenPixels, int32_t windowPixels, int32_t dpi);
PixelRect TwipsToPixels(int32_t left, int32_t top, int32_t width, int32_t height, const ScreenInfo& screen);
