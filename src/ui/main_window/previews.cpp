#include "ui/main_window/previews.h"

#include "picture/area_average.h"
#include "text/units.h"
#include "ui/error_styles.h"
#include "ui/main_window/main_window_controls.h"
#include "ui/main_window/palette_cycle.h"

namespace {
// Rows handed over at a time: a few tens of kilobytes whatever the picture.
constexpr int32_t kBandBytes = 64 * 1024;

// The source rows come over in bands, so a large picture needs no second
// full-size copy.
Err AverageRows(Tool& t, int control, int32_t width, int32_t height, AreaAverage& average)
{
    int32_t rowBytes = width * 3;
    int32_t band = kBandBytes / rowBytes;
    if (band < 1) band = 1;
    if (band > height) band = height;
    uint8_t* rows = new uint8_t[static_cast<uint32_t>(rowBytes) * static_cast<uint32_t>(band)];
    if (!rows) return Err(kErrOutOfMemory);
    Err failed;
    for (int32_t y = 0; y < height && !failed; y += band) {
        int32_t count = height - y < band ? height - y : band;
        failed = t.platform.readPictureRows(t.mainWindow, control, y, count, rows);
        for (int32_t i = 0; i < count && !failed; ++i) average.addRow(y + i, rows + i * rowBytes);
    }
    delete[] rows;
    return failed;
}

// A failed step is reported and the run goes on with the next step.
void Report(Tool& t, const Err& e) { ShowAndGoOn(t, e, TextOf(kTxtPreviewError)); }
}

// The whole picture of the slot's source box fills its 96 x 60 preview.
// An empty source box draws nothing.
Err PreviewDrawing(Tool& t, LogoSlot slot)
{
    Platform& p = t.platform;
    int32_t width = 0, height = 0;
    PLUMWICK_TRY(p.pictureSize(t.mainWindow, Form1::picMoto(slot), &width, &height));
    if (width <= 0 || height <= 0) return Err();
    int32_t boxWidth = 0, boxHeight = 0;
    PreviewBoxSize(t, &boxWidth, &boxHeight);
    if (!AreaAverage::accepts(width, height, boxWidth, boxHeight)) return Err(kErrInvalidPicture);
    AreaAverage average(width, height, boxWidth, boxHeight);
    if (!average.ready()) return Err(kErrOutOfMemory);
    PLUMWICK_TRY(AverageRows(t, Form1::picMoto(slot), width, height, average));
    return DrawPreview(t, slot, average, boxWidth, boxHeight);
}

// The box grows with Large Fonts, and so does what is drawn into it.
void PreviewBoxSize(Tool& t, int32_t* width, int32_t* height)
{
    const ScreenInfo screen = t.platform.screen();
    *width = ScaleForDpi(kPreviewWidth, screen.dpiX);
    *height = ScaleForDpi(kPreviewHeight, screen.dpiY);
}

Err DrawPreview(Tool& t, LogoSlot slot, const AreaAverage& average, int32_t width, int32_t height)
{
    uint8_t* preview = new uint8_t[width * height * 3];
    if (!preview) return Err(kErrOutOfMemory);
    average.result(preview);
    Err drawn = t.platform.drawPicture(t.mainWindow, Form1::picPreView(slot), preview, width, height);
    delete[] preview;
    return drawn;
}

// The source box holds the picture only while its preview is drawn.
void PreviewFile(Tool& t, LogoSlot slot, const Text& path, void (*meet)(Tool&, const Err&))
{
    Platform& p = t.platform;
    Err loaded = p.loadPicture(t.mainWindow, Form1::picMoto(slot), path);
    meet(t, loaded);
    Err drawn = PreviewDrawing(t, slot);
    meet(t, drawn);
    meet(t, p.loadPicture(t.mainWindow, Form1::picMoto(slot), Text()));
    if (slot == 0 && !loaded && !drawn) FollowStartupLogo(t, path);
}

// Runs after every change of a chosen file and previews every slot that
// has one, unless the window's opening asked to skip this one run.
void ShowPreviews(Tool& t)
{
    if (t.SkipNextPreview) {
        t.SkipNextPreview = false;
        return;
    }
    Platform& p = t.platform;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        Text path;
        if (Err e = p.caption(t.mainWindow, Form1::lblLogo(slot), &path)) {
            Report(t, e);
            continue;
        }
        if (path.empty()) continue;
        PreviewFile(t, slot, path, Report);
    }
}
