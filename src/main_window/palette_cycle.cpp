#include "palette_cycle.h"

#include "../logo_files/make_logo.h"
#include "../platform/area_average.h"
#include "../platform/units.h"
#include "main_window_controls.h"
#include "previews.h"

namespace {
// A few steps a second, about as fast as the start-up screen turns.
constexpr uint32_t kStepMilliseconds = 150;
constexpr uint32_t kPaletteAt = 14 + 40;
constexpr uint32_t kColourCycleField = 14 + 36;
constexpr uint32_t kPaletteEntries = 256;
}

// The logo's pixels and palette, and how far the cycle has turned.
struct PaletteCycle {
    uint8_t palette[kPaletteEntries * 4];
    uint8_t pixels[kLogoWidth * kLogoHeight];  // bottom row first, as stored
    uint32_t first = 0;
    uint32_t step = 0;
};

namespace {
void Stop(Tool& t)
{
    delete t.paletteCycle;
    t.paletteCycle = nullptr;
    (void)t.platform.setTimer(t.mainWindow, 0);
}

// Entry i at step s shows the colour of entry first + (i - first + s) mod n.
Err Draw(Tool& t, const PaletteCycle& c)
{
    Platform& p = t.platform;
    const ScreenInfo screen = p.screen();
    const int32_t width = ScaleForDpi(kPreviewWidth, screen.dpiX);
    const int32_t height = ScaleForDpi(kPreviewHeight, screen.dpiY);
    AreaAverage average(kLogoWidth, kLogoHeight, width, height);
    uint8_t* preview = new uint8_t[width * height * 3];
    if (!average.ready() || !preview) {
        delete[] preview;
        return Err(kErrOutOfMemory);
    }
    const uint32_t cycled = kPaletteEntries - c.first;
    uint8_t row[kLogoWidth * 3];
    for (int32_t y = 0; y < kLogoHeight; ++y) {
        const uint8_t* in = c.pixels + (kLogoHeight - 1 - y) * kLogoWidth;
        for (int32_t x = 0; x < kLogoWidth; ++x) {
            uint32_t i = in[x];
            if (i >= c.first) i = c.first + (i - c.first + c.step) % cycled;
            for (int k = 0; k < 3; ++k) row[x * 3 + k] = c.palette[i * 4 + k];
        }
        average.addRow(y, row);
    }
    average.result(preview);
    Err drawn = p.drawPicture(t.mainWindow, Form1::picPreView(0), preview, width, height);
    delete[] preview;
    return drawn;
}
}

void FollowStartupLogo(Tool& t, const Text& path)
{
    Stop(t);
    Platform& p = t.platform;
    uint8_t* data = nullptr;
    uint32_t size = 0;
    if (p.readFile(path, &data, &size)) return;
    if (IsLogoShaped(data, size) && data[kColourCycleField] != 0) {
        PaletteCycle* c = new PaletteCycle;
        if (c) {
            c->first = data[kColourCycleField];
            CopyBytes(c->palette, data + kPaletteAt, sizeof c->palette);
            CopyBytes(c->pixels, data + kLogoPixelsAt, sizeof c->pixels);
            t.paletteCycle = c;
            if (p.setTimer(t.mainWindow, kStepMilliseconds)) Stop(t);
        }
    }
    delete[] data;
}

// A step that cannot be drawn stops the cycle; the preview keeps its image.
void StepPaletteCycle(Tool& t)
{
    PaletteCycle* c = t.paletteCycle;
    if (!c) return;
    c->step = (c->step + 1) % (kPaletteEntries - c->first);
    if (Draw(t, *c)) Stop(t);
}
