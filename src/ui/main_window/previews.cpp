#include "ui/main_window/previews.h"

#include "logo_files/slots.h"
#include "picture/bitmap_check.h"
#include "picture/scaled_picture.h"
#include "text/units.h"
#include "ui/error_styles.h"
#include "ui/main_window/palette_cycle.h"

namespace {
// A failed preview is reported and the run goes on with the next slot.
void Report(Tool& t, const Err& e) { ShowAndGoOn(t, e, TextOf(kTxtPreviewError)); }

// No logo: the box's grey, crossed out in a darker one.
constexpr uint8_t kNoneGrey = 0xC0, kNoneCross = 0x80;

Err DrawNone(MainWindow& w, LogoSlot slot)
{
    int32_t width = 0, height = 0;
    PreviewBoxSize(w.tool, &width, &height);
    uint8_t* pixels = new uint8_t[static_cast<uint32_t>(width * height * 3)];
    if (!pixels) return Err(kErrOutOfMemory);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            // Near either diagonal: how far off it, in the picture's own measure.
            const int32_t off1 = x * height - y * width, off2 = x * height + y * width - width * height;
            const bool cross = (off1 < 0 ? -off1 : off1) < width || (off2 < 0 ? -off2 : off2) < width;
            for (int c = 0; c < 3; ++c) pixels[(y * width + x) * 3 + c] = cross ? kNoneCross : kNoneGrey;
        }
    Err drawn = DrawPreview(w, slot, pixels);
    delete[] pixels;
    return drawn;
}

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

void PreviewInstalledLogos(MainWindow& w, void (*meet)(Tool&, const Err&))
{
    Tool& t = w.tool;
    const Machine& m = t.machine;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        // The start-up logo may be hidden, system or read-only: Windows
        // shows it all the same, so it is the one to preview.
        Text name;
        Err found = m.files.findFile(LivePath(m, slot), FileQuery::AnyFile, &name);
        if (found) meet(t, found);
        if (!name.empty())
            PreviewFile(w, slot, slot == 0 ? m.BootRoot + name : LivePath(m, slot), meet);
        else if (slot == 0)
            PreviewFile(w, slot, DefaultPicturePath(m), meet);
        else
            meet(t, DrawNone(w, slot));
    }
}

void ShowPreviews(MainWindow& w)
{
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        if (!w.chosen[slot].empty()) PreviewFile(w, slot, w.chosen[slot], Report);
}
