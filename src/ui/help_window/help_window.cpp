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
    MemorySource file(data, size);
    BitmapLayout l;
    PLUMWICK_TRY(ReadBitmapLayout(file, &l));
    uint8_t* pixels = new uint8_t[static_cast<uint32_t>(l.width * l.height * 3)];
    if (!pixels) return Err(kErrOutOfMemory);
    Err failed = ScalePicture(file, l.width, l.height, pixels);
    if (!failed) failed = p.drawPicture(form, sample.control, pixels, l.width, l.height);
    delete[] pixels;
    PLUMWICK_TRY(failed);
    return p.moveControl(form, sample.control, ScaleForDpi(sample.left, screen.dpiX),
                         ScaleForDpi(sample.top, screen.dpiY), l.width, l.height);
}

int32_t Within(int32_t value, int32_t room) { return value > room ? (room > 0 ? room : 0) : value; }

// Runs each time the window loads: the labels' font and fixed pixel places,
// the samples, and 353 x 256 pixels (places and size scaled at other than
// 96 dpi) a title bar below and right of the owner's corner, wholly on the
// screen, so that both windows' titles show.
Err InitHelpWindow(Tool& t, FormHandle form, FormHandle owner)
{
    Platform& p = t.platform;
    const ScreenInfo screen = p.screen();
    for (const ControlPlace& at : kPlaces) {
        PLUMWICK_TRY(SetPlaceFont(p, form, at));
        PLUMWICK_TRY(MoveToPlace(p, form, screen, at));
    }
    for (const Sample& sample : kSamples) PLUMWICK_TRY(ShowSample(p, form, screen, sample));
    int32_t width = 0, height = 0;
    PLUMWICK_TRY(OuterSizeTwips(screen, kWidth, kHeight, &width, &height));
    PixelRect below{}, at = TwipsToPixels(0, 0, width, height, screen);
    PLUMWICK_TRY(p.formRect(owner, &below));
    at.left = Within(below.left + screen.titleBarPx, screen.widthPx - at.width);
    at.top = Within(below.top + screen.titleBarPx, screen.heightPx - at.height);
    return p.moveForm(form, at);
}

class HelpWindow final : public FormEvents {
public:
    HelpWindow(Tool& t, FormHandle owner) : t_(t), owner_(owner) {}
    void Load(FormHandle self) override { ShowAndEnd(t_, InitHelpWindow(t_, self, owner_)); }
    void Unload() override {}
    void Click(int) override {}

private:
    Tool& t_;
    FormHandle owner_;
};
}

// The window is built afresh each time.
Err ShowHelpWindow(Tool& t, FormHandle owner)
{
    HelpWindow events(t, owner);
    FormHandle form = kNoForm;
    PLUMWICK_TRY(t.platform.loadForm(kHelpWindowDef, &events, &form));
    return t.platform.showForm(form, true);
}
