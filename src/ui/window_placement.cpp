#include "ui/window_placement.h"

#include "text/units.h"

Err SetPlaceFont(Platform& p, FormHandle form, const ControlPlace& at)
{
    if (!at.textFont || TextFontPoints() == 0) return Err();
    return p.setFontSize(form, at.control, TextFontPoints());
}

namespace {
// Enough of a title bar for the mouse to take hold of.
constexpr int32_t kGrabPixels = 32;

int32_t Scaled(int32_t pixels, int32_t dpi) { return pixels == kUnchanged ? pixels : ScaleForDpi(pixels, dpi); }
int32_t Clamp(int32_t value, int32_t low, int32_t high) { return value < low ? low : value > high ? high : value; }
}

Err MoveToPlace(Platform& p, FormHandle form, const ScreenInfo& screen, const ControlPlace& at)
{
    return p.moveControl(form, at.control, Scaled(at.left, screen.dpiX), Scaled(at.top, screen.dpiY),
                         Scaled(at.width, screen.dpiX), Scaled(at.height, screen.dpiY));
}

Err OuterSizeTwips(const ScreenInfo& screen, int32_t widthPx, int32_t heightPx, int32_t* width, int32_t* height)
{
    *width = ScaleForDpi(widthPx, screen.dpiX) * TwipsPerPixel(screen.dpiX);
    *height = ScaleForDpi(heightPx, screen.dpiY) * TwipsPerPixel(screen.dpiY);
    if (!FitsInt16(*width) || !FitsInt16(*height)) return Err(kErrOverflow);
    return Err();
}

Err CentredAsLoaded(Platform& p, FormHandle form, const ScreenInfo& screen, int32_t* left, int32_t* top)
{
    PixelRect loaded{};
    PLUMWICK_TRY(p.formRect(form, &loaded));
    *left = CentredTwips(screen.widthPx, loaded.width, screen.dpiX);
    *top = CentredTwips(screen.heightPx, loaded.height, screen.dpiY);
    return Err();
}

void KeepTitleBarReachable(const ScreenInfo& screen, int32_t width, int32_t height, int32_t* left, int32_t* top)
{
    PixelRect at = TwipsToPixels(*left, *top, width, height, screen);
    int32_t shownWidth = Clamp(at.left + at.width, 0, screen.widthPx) - Clamp(at.left, 0, screen.widthPx);
    bool reachable = at.top >= 0 && at.top + screen.titleBarPx <= screen.heightPx &&
                     shownWidth >= (at.width < kGrabPixels ? at.width : kGrabPixels);
    if (reachable) return;
    int32_t x = Clamp(at.left, 0, screen.widthPx > at.width ? screen.widthPx - at.width : 0);
    int32_t y = Clamp(at.top, 0, screen.heightPx > at.height ? screen.heightPx - at.height : 0);
    *left = PixelsToTwips(x, screen.dpiX);
    *top = PixelsToTwips(y, screen.dpiY);
}

Err MoveFormTwips(Platform& p, FormHandle form, const ScreenInfo& screen, int32_t left, int32_t top, int32_t width,
                  int32_t height)
{
    return p.moveForm(form, TwipsToPixels(left, top, width, height, screen));
}
