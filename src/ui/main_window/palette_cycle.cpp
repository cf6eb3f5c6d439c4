#include "ui/main_window/palette_cycle.h"

#include "picture/make_logo.h"
#include "picture/area_average.h"
#include "ui/main_window/previews.h"

namespace {
// A few steps a second, about as fast as the start-up screen turns.
constexpr uint32_t kStepMilliseconds = 150;
}

// The logo's pixels and palette, and how far the cycle has turned.
struct PaletteCycle {
    uint8_t palette[kLogoPaletteEntries * 4];
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
    int32_t width = 0, height = 0;
    PreviewBoxSize(t, &width, &height);
    AreaAverage average(kLogoWidth, kLogoHeight, width, height);
    if (!average.ready()) return Err(kErrOutOfMemory);
    const uint32_t cycled = kLogoPaletteEntries - c.first;
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
    return DrawPreview(t, 0, average, width, height);
}
}

void FollowStartupLogo(Tool& t, const Text& path)
{
    Stop(t);
    Platform& p = t.platform;
    uint8_t* data = nullptr;
    uint32_t size = 0;
    if (p.readFile(path, &data, &size)) return;
    const uint32_t first = ColourCycleStart(data);
    if (IsLogoShaped(data, size) && first != 0 && first < kLogoPaletteEntries) {
        PaletteCycle* c = new PaletteCycle;
        if (c) {
            c->first = first;
            CopyBytes(c->palette, data + kLogoPaletteAt, sizeof c->palette);
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
    c->step = (c->step + 1) % (kLogoPaletteEntries - c->first);
    if (Draw(t, *c)) Stop(t);
}
