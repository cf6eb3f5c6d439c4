#include "text/units.h"

// Nearest whole number, a half going to the even neighbour; denominator > 0.
int32_t RoundHalfEven(int32_t numerator, int32_t denominator)
{
    int32_t q = numerator / denominator;
    int32_t r = numerator % denominator;
    if (r < 0) {
        r += denominator;
        --q;
    }
    int32_t twice = 2 * r;
    if (twice > denominator || (twice == denominator && (q & 1))) ++q;
    return q;
}

int32_t TwipsPerPixel(int32_t dpi) { return RoundHalfEven(kTwipsPerInch, dpi); }
int32_t PixelsToTwips(int32_t pixels, int32_t dpi) { return RoundHalfEven(pixels * kTwipsPerInch, dpi); }
int32_t TwipsToPixels(int32_t twips, int32_t dpi) { return RoundHalfEven(twips * dpi, kTwipsPerInch); }
bool FitsInt16(int32_t value) { return value >= -32768 && value <= 32767; }
int32_t ScaleForDpi(int32_t pixels, int32_t dpi) { return RoundHalfEven(pixels * dpi, kDesignDpi); }

int32_t CentredTwips(int32_t screenPixels, int32_t windowPixels, int32_t dpi)
{
    return RoundHalfEven((screenPixels - windowPixels) * kTwipsPerInch, dpi) / 2;
}

PixelRect TwipsToPixels(int32_t left, int32_t top, int32_t width, int32_t height, const ScreenInfo& screen)
{
    return {TwipsToPixels(left, screen.dpiX), TwipsToPixels(top, screen.dpiY), TwipsToPixels(width, screen.dpiX),
            TwipsToPixels(height, screen.dpiY)};
}
