#include "ui/main_window/previews.h"

#include "picture/bitmap_check.h"
#include "picture/scaled_picture.h"
#include "text/units.h"
#include "ui/error_styles.h"
#include "ui/main_window/palette_cycle.h"

namespace {
// A failed preview is reported and the run goes on with the next slot.
void Report(Tool& t, const Err& e) { ShowAndGoOn(t, e, TextOf(kTxtPreviewError)); }

// A file that is no picture is named; running out of memory is not the
// file's fault.
Err Scaled(const Text& path, const uint8_t* data, uint32_t size, int32_t width, int32_t height, uint8_t* bgr)
{
    Err e = ScaleBitmapFile(data, size, width, height, bgr);
    return e.number() == kErrInvalidPicture ? Err(kErrInvalidPicture, path) : e;
}
}

void PreviewBoxSize(Tool& t, int32_t* width, int32_t* height)
{
    const ScreenInfo screen = t.platform.screen();
    *width = ScaleForDpi(kPreviewWidth, screen.dpiX);
    *height = ScaleForDpi(kPreviewHeight, screen.dpiY);
}

Err DrawPreview(MainWindow& w, LogoSlot slot, const uint8_t* bgr)
{
    int32_t width = 0, height = 0;
    PreviewBoxSize(w.tool, &width, &height);
    return w.tool.platform.drawPicture(w.form, MainControl::Preview + slot, bgr, width, height);
}

void PreviewFile(MainWindow& w, LogoSlot slot, const Text& path, void (*meet)(Tool&, const Err&))
{
    uint8_t* data = nullptr;
    uint32_t size = 0;
    if (Err e = w.tool.machine.files.readFile(path, kMaxBitmapFileSize, &data, &size)) {
        meet(w.tool, e);
        return;
    }
    int32_t width = 0, height = 0;
    PreviewBoxSize(w.tool, &width, &height);
    uint8_t* pixels = new uint8_t[static_cast<uint32_t>(width * height * 3)];
    Err failed = pixels ? Scaled(path, data, size, width, height, pixels) : Err(kErrOutOfMemory);
    if (!failed) failed = DrawPreview(w, slot, pixels);
    meet(w.tool, failed);
    if (slot == 0 && !failed) FollowStartupLogo(w, data, size);
    delete[] pixels;
    delete[] data;
}

void ShowPreviews(MainWindow& w)
{
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        if (!w.chosen[slot].empty()) PreviewFile(w, slot, w.chosen[slot], Report);
}
