#include "ui/help_window/help_window.h"

#include "ui/error_styles.h"
#include "ui/window_placement.h"

namespace {
constexpr int32_t kWidth = 353;
constexpr int32_t kHeight = 256;
constexpr bool f = true;  // the labels' font

const ControlPlace kPlaces[] = {
    {Form2::Label1, f, 8, 8, kUnchanged, kUnchanged},     {Form2::Label2, f, 8, 48, kUnchanged, kUnchanged},
    {Form2::Label3, f, 40, 128, kUnchanged, kUnchanged},  {Form2::Label4, f, 200, 128, kUnchanged, kUnchanged},
    {Form2::Image1, false, 48, 152, kUnchanged, kUnchanged},
    {Form2::Image2, false, 232, 152, kUnchanged, kUnchanged},
};

class HelpWindowEvents final : public FormEvents {
public:
    explicit HelpWindowEvents(Tool& t) : t_(t) {}
    void Load(FormHandle self) override { ShowAndEnd(t_, InitHelpWindow(t_, self)); }
    void Unload() override {}
    void Click(int) override {}
    void Change(int) override {}

private:
    Tool& t_;
};
}

// Runs each time the window loads: 9-point labels, fixed pixel places, and
// 353 x 256 pixels (both scaled at other than 96 dpi) centred from the size
// the window loaded with.
Err InitHelpWindow(Tool& t, FormHandle form)
{
    Platform& p = t.platform;
    const ScreenInfo screen = p.screen();
    for (const ControlPlace& at : kPlaces) {
        PLUMWICK_TRY(SetPlaceFont(p, form, at));
        PLUMWICK_TRY(MoveToPlace(p, form, screen, at));
    }
    int32_t left = 0, top = 0, width = 0, height = 0;
    PLUMWICK_TRY(OuterSizeTwips(screen, kWidth, kHeight, &width, &height));
    PLUMWICK_TRY(CentredAsLoaded(p, form, screen, &left, &top));
    return MoveFormTwips(p, form, screen, left, top, width, height);
}

// The window is built afresh each time.
Err ShowHelpWindow(Tool& t)
{
    HelpWindowEvents events(t);
    FormHandle form = kNoForm;
    PLUMWICK_TRY(t.platform.loadForm(Form2::kDefinition, &events, &form));
    return t.platform.showForm(form, true);
}
