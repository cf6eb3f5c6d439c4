#include "ui/help_window/help_window.h"

#include "picture/bitmap_check.h"
#include "picture/scaled_picture.h"
#include "resources/resource.h"
#include "text/units.h"
#include "ui/error_styles.h"
#include "ui/window_placement.h"

namespace {
constexpr int32_t kWidth = 353;
constexpr int32_t kHeight = 256;
constexpr bool f = true;  // the labels' font

const ControlPlace kPlaces[] = {
    {HelpControl::Systems, f, 8, 8, kUnchanged, kUnchanged},
    {HelpControl::Method, f, 8, 48, kUnchanged, kUnchanged},
    {HelpControl::WideCaption, f, 40, 128, kUnchanged, kUnchanged},
    {HelpControl::SqueezedCaption, f, 200, 128, kUnchanged, kUnchanged},
};

// The samples keep their own size in pixels at any dots per inch.
struct Sample {
    int control;
    uint16_t resource;
    int32_t left, top;
};
const Sample kSamples[] = {
    {HelpControl::WidePicture, IDR_WIDE_SAMPLE, 48, 152},
    {HelpControl::SqueezedPicture, IDR_SQUEEZED_SAMPLE, 232, 152},
};

Err ShowSample(Platform& p, FormHandle form, const ScreenInfo& screen, const Sample& sample)
{
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    PLUMWICK_TRY(p.resource(sample.resource, &data, &size));
    BitmapLayout l;
    if (!CheckBitmapFile(data, size, &l)) return Err(kErrInvalidPicture);
    uint8_t* pixels = new uint8_t[static_cast<uint32_t>(l.width * l.height * 3)];
    if (!pixels) return Err(kErrOutOfMemory);
    Err failed = ScaleBitmapFile(data, size, l.width, l.height, pixels);
    if (!failed) failed = p.drawPicture(form, sample.control, pixels, l.width, l.height);
    delete[] pixels;
    PLUMWICK_TRY(failed);
    return p.moveControl(form, sample.control, ScaleForDpi(sample.left, screen.dpiX),
                         ScaleForDpi(sample.top, screen.dpiY), l.width, l.height);
}

// Runs each time the window loads: the labels' font and fixed pixel places,
// the samples, and 353 x 256 pixels (places and size scaled at other than
// 96 dpi) centred from the size the window loaded with.
Err InitHelpWindow(Tool& t, FormHandle form)
{
    Platform& p = t.platform;
    const ScreenInfo screen = p.screen();
    for (const ControlPlace& at : kPlaces) {
        PLUMWICK_TRY(SetPlaceFont(p, form, at));
        PLUMWICK_TRY(MoveToPlace(p, form, screen, at));
    }
    for (const Sample& sample : kSamples) PLUMWICK_TRY(ShowSample(p, form, screen, sample));
    int32_t left = 0, top = 0, width = 0, height = 0;
    PLUMWICK_TRY(OuterSizeTwips(screen, kWidth, kHeight, &width, &height));
    PLUMWICK_TRY(CentredAsLoaded(p, form, screen, &left, &top));
    return MoveFormTwips(p, form, screen, left, top, width, height);
}

class HelpWindow final : public FormEvents {
public:
    explicit HelpWindow(Tool& t) : t_(t) {}
    void Load(FormHandle self) override { ShowAndEnd(t_, InitHelpWindow(t_, self)); }
    void Unload() override {}
    void Click(int) override {}

private:
    Tool& t_;
};
}

// The window is built afresh each time.
Err ShowHelpWindow(Tool& t)
{
    HelpWindow events(t);
    FormHandle form = kNoForm;
    PLUMWICK_TRY(t.platform.loadForm(kHelpWindowDef, &events, &form));
    return t.platform.showForm(form, true);
}
