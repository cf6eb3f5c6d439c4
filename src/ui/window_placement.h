#pragma once
#include "platform/platform.h"

// Where a control goes when its window opens: whether it takes the labels'
// font, and a place in pixels at 96 dpi, scaled at any other setting so that
// the larger fonts of Large Fonts still fit; kUnchanged keeps the stored width
// or height.
struct ControlPlace {
    int control;
    bool textFont;  // takes the labels' font of the language
    int32_t left, top, width, height;
};

Err SetPlaceFont(Platform& p, FormHandle form, const ControlPlace& at);
Err MoveToPlace(Platform& p, FormHandle form, const ScreenInfo& screen, const ControlPlace& at);

// A window's outer size in twips for its size in pixels at 96 dpi, scaled
// like the controls; past 16 bits is an overflow, as for every whole number
// the windows keep.
Err OuterSizeTwips(const ScreenInfo& screen, int32_t widthPx, int32_t heightPx, int32_t* width, int32_t* height);

// The place, in twips, that centres the window at the size it loaded with.
Err CentredAsLoaded(Platform& p, FormHandle form, const ScreenInfo& screen, int32_t* left, int32_t* top);

// Keeps a window whose title bar would be out of reach (a place stored on a
// larger screen) wholly on this screen; any other place stays as it is.
void KeepTitleBarReachable(const ScreenInfo& screen, int32_t width, int32_t height, int32_t* left, int32_t* top);

Err MoveFormTwips(Platform& p, FormHandle form, const ScreenInfo& screen, int32_t left, int32_t top, int32_t width,
                  int32_t height);
