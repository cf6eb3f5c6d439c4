#include "ui/main_window/previews.h"

#include "logo_files/slots.h"
#include "picture/scaled_picture.h"
#include "text/units.h"
#include "ui/error_styles.h"
#include "ui/main_window/palette_cycle.h"

namespace {
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

// The reading itself: slot 0's moving logo draws itself as it starts.
Err PreviewFrom(MainWindow& w, LogoSlot slot, ByteSource& file, PictureVerdict& found)
{
    BitmapLayout l;
    PLUMWICK_TRY(ReadPictureVerdict(file, &found, &l));
    bool cycling = false;
    if (slot == 0) PLUMWICK_TRY(FollowStartupLogo(w, file, l, &cycling));
    if (cycling) return Err();
    int32_t width = 0, height = 0;
    PreviewBoxSize(w.tool, &width, &height);
    uint8_t* pixels = new uint8_t[static_cast<uint32_t>(width * height * 3)];
    Err failed = pixels ? ScalePicture(file, width, height, pixels) : Err(kErrOutOfMemory);
    if (!failed) failed = DrawPreview(w, slot, pixels);
    if (!failed && slot == 0) StopPaletteCycle(w);
    delete[] pixels;
    return failed;
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

Err PreviewFile(MainWindow& w, LogoSlot slot, const Text& path, PictureVerdict* found)
{
    PictureVerdict kept;
    PictureVerdict& f = found ? *found : kept;
    ByteSource* file = nullptr;
    PLUMWICK_TRY(w.tool.machine.files.openFile(path, &file));
    const Err e = PreviewFrom(w, slot, *file, f);
    delete file;
    return PictureFailure(e, path, &f);
}

void PreviewInstalledLogo(MainWindow& w, LogoSlot slot, void (*meet)(Tool&, const Err&))
{
    Tool& t = w.tool;
    const Machine& m = t.machine;
    // The start-up logo may be hidden, system or read-only: Windows shows
    // it all the same, so it is the one to preview.
    Text name;
    Err found = m.files.findFile(LivePath(m, slot), FileQuery::AnyFile, &name);
    if (found) meet(t, found);
    if (!name.empty())
        meet(t, PreviewFile(w, slot, slot == 0 ? m.BootRoot + name : LivePath(m, slot)));
    else if (slot == 0)
        meet(t, PreviewFile(w, slot, DefaultPicturePath(m)));
    else
        meet(t, DrawNone(w, slot));
}

void PreviewInstalledLogos(MainWindow& w, void (*meet)(Tool&, const Err&))
{
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) PreviewInstalledLogo(w, slot, meet);
}
