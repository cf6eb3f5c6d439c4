#include "window_placement.h"

#include "../platform/units.h"

Err SetPlaceFont(Platform& p, FormHandle form, const ControlPlace& at)
{
    if (at.fontPoints == kNoFont) return Err();
    return p.setFontSize(form, at.control, at.fontPoints);
}

Err MoveToPlace(Platform& p, FormHandle form, const ControlPlace& at)
{
    return p.moveControl(form, at.control, at.left, at.top, at.width, at.height);
}

Err OuterSizeTwips(const ScreenInfo& screen, int32_t widthPx, int32_t heightPx, int32_t* width, int32_t* height)
{
    *width = widthPx * TwipsPerPixel(screen.dpiX);
    *height = heightPx * TwipsPerPixel(screen.dpiY);
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

Err MoveFormTwips(Platform& p, FormHandle form, const ScreenInfo& screen, int32_t left, int32_t top,
                  int32_t width, int32_t height)
{
    return p.moveForm(form, TwipsToPixels(left, top, width, height, screen));
}
