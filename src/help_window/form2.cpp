#include "form2.h"

#include "../platform/units.h"

namespace {
constexpr int32_t kFontPoints = 9;
constexpr int32_t kWidth = 353;
constexpr int32_t kHeight = 256;

struct Spot {
    int control;
    bool font;
    int32_t left, top;
};

const Spot kSpots[] = {
    {Form2::Label1, true, 8, 8},    {Form2::Label2, true, 8, 48},
    {Form2::Label3, true, 40, 128}, {Form2::Label4, true, 200, 128},
    {Form2::Image1, false, 48, 152}, {Form2::Image2, false, 232, 152},
};

class HelpWindowEvents final : public FormEvents {
public:
    HelpWindowEvents(Tool& t, const FormHandle& form) : t_(t), form_(form) {}
    void Load() override { TopLevel(t_, InitHelpWindow(t_, form_)); }
    void Unload() override {}
    void Click(int) override {}
    void Change(int) override {}

private:
    Tool& t_;
    const FormHandle& form_;
};
}

// Runs each time the window loads: 9-point labels, fixed pixel places, and
// 353 x 256 pixels centred from the size the window loaded with.
Err InitHelpWindow(Tool& t, FormHandle form)
{
    Platform& p = t.platform;
    ScreenInfo screen = p.screen();
    int32_t tx = TwipsPerPixel(screen.dpiX);
    int32_t ty = TwipsPerPixel(screen.dpiY);
    for (const Spot& spot : kSpots) {
        if (spot.font) PLUMWICK_TRY(p.setFontSize(form, spot.control, kFontPoints));
        PLUMWICK_TRY(p.moveControl(form, spot.control, spot.left, spot.top));
    }
    int32_t width = tx * kWidth;
    int32_t height = ty * kHeight;
    if (!FitsInt16(width) || !FitsInt16(height)) return Err(kErrOverflow);
    PixelRect loaded{};
    PLUMWICK_TRY(p.formRect(form, &loaded));
    int32_t left = CentredTwips(screen.widthPx, loaded.width, screen.dpiX);
    int32_t top = CentredTwips(screen.heightPx, loaded.height, screen.dpiY);
    return p.moveForm(form, TwipsToPixels(left, top, width, height, screen));
}

// Modal: returns when the user has closed the window. It is built afresh
// each time.
Err ShowHelpWindow(Tool& t)
{
    FormHandle form = kNoForm;
    HelpWindowEvents events(t, form);
    PLUMWICK_TRY(t.platform.loadForm(Form2::kDefinition, &events, &form));
    return t.platform.showForm(form, true);
}
