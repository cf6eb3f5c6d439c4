#include "ui/main_window/palette_cycle.h"

#include "picture/make_logo.h"
#include "picture/scaled_picture.h"
#include "ui/main_window/previews.h"

// The logo's pixels and palette, and how far the cycle has turned.
struct PaletteCycle {
    uint8_t palette[kLogoPaletteEntries * 4];
    uint8_t pixels[kLogoWidth * kLogoHeight];  // bottom row first, as stored
    uint32_t first = 0;
    uint32_t step = 0;
};

namespace {
void TurnedPalette(const PaletteCycle& c, uint8_t* turned)
{
    for (uint32_t i = 0; i < kLogoPaletteEntries; ++i) {
        const uint32_t from = CycledEntry(i, c.first, c.step);
        for (int k = 0; k < 4; ++k) turned[i * 4 + k] = c.palette[from * 4 + k];
    }
}

Err Draw(MainWindow& w, const PaletteCycle& c)
{
    int32_t width = 0, height = 0;
    PreviewBoxSize(w.tool, &width, &height);
    uint8_t* pixels = new uint8_t[static_cast<uint32_t>(width * height * 3)];
    AreaAverage average(kLogoWidth, kLogoHeight, width, height, true, pixels, width * 3);
    Err drawn = average.ready() && pixels ? Err() : Err(kErrOutOfMemory);
    uint8_t turned[kLogoPaletteEntries * 4];
    TurnedPalette(c, turned);
    uint8_t row[kLogoWidth * 3];
    for (int32_t y = 0; !drawn && y < kLogoHeight; ++y) {  // as stored, bottom row first
        ExpandIndexes(turned, c.pixels + y * kLogoWidth, kLogoWidth, row);
        average.add(row, kLogoWidth);
        average.endRow();
    }
    if (!drawn) drawn = DrawPreview(w, 0, pixels);
    delete[] pixels;
    return drawn;
}
}

void DeletePaletteCycle(PaletteCycle* cycle) { delete cycle; }

void StopPaletteCycle(MainWindow& w)
{
    DeletePaletteCycle(w.cycle);
    w.cycle = nullptr;
    (void)w.tool.platform.setTimer(w.form, 0);
}

Err FollowStartupLogo(MainWindow& w, ByteSource& file, const BitmapLayout& l, bool* cycling)
{
    *cycling = false;
    const uint32_t first = l.coloursImportant;
    if (!IsLogoLayout(l) || first == 0 || first >= kLogoPaletteEntries) return Err();
    PaletteCycle* c = new PaletteCycle;
    if (!c) return Err(kErrOutOfMemory);
    c->first = first;
    uint32_t palette = 0, pixels = 0;
    Err failed = file.read(kLogoPaletteAt, c->palette, sizeof c->palette, &palette);
    if (!failed) failed = file.read(kLogoPixelsAt, c->pixels, sizeof c->pixels, &pixels);
    if (!failed && (palette != sizeof c->palette || pixels != sizeof c->pixels)) failed = Err(kErrInvalidPicture);
    if (!failed) failed = Draw(w, *c);
    if (failed) {
        delete c;
        return failed;
    }
    StopPaletteCycle(w);
    w.cycle = c;
    *cycling = true;
    if (w.tool.platform.setTimer(w.form, kColourCycleStepMilliseconds)) StopPaletteCycle(w);
    return Err();
}

// A step that cannot be drawn stops the cycle; the preview keeps its image.
void StepPaletteCycle(MainWindow& w)
{
    PaletteCycle* c = w.cycle;
    if (!c) return;
    c->step = (c->step + 1) % (kLogoPaletteEntries - c->first);
    if (Draw(w, *c)) StopPaletteCycle(w);
}
