// libFuzzer target for the picture pipeline: any bytes go through the
// check, the row decoder, the area average, the scaled picture and the
// logo maker. Sanitizers catch bad memory and undefined behaviour; the
// aborts below catch results that break what the headers promise.
#include <stdint.h>
#include <stdlib.h>

#include <vector>

#include "picture/area_average.h"
#include "picture/bitmap_check.h"
#include "picture/bitmap_rows.h"
#include "picture/make_logo.h"
#include "picture/scaled_picture.h"
#include "ui/main_window/previews.h"

namespace {

// Besides the previews' size, the input picks an output size, a side of 0
// (refused) to this: larger and smaller than small pictures, and quick
// under the sanitizers.
constexpr uint8_t kLargestPickedSide = 127;

void Require(bool holds)
{
    if (!holds) abort();
}

// Every row once, each row number inside the picture and handed out once,
// into an average of width x height; its result must match what
// ScaleBitmapFile makes of the same file.
void AverageEveryRow(const uint8_t* data, uint32_t size, int32_t width, int32_t height)
{
    BitmapRows rows;
    Require(rows.open(data, size));
    const BitmapLayout& l = rows.layout();
    AreaAverage average(l.width, l.height, width, height);
    std::vector<uint8_t> raw(rows.rowBytes()), colours(static_cast<size_t>(l.width) * 3);
    std::vector<bool> seen(static_cast<size_t>(l.height));
    int32_t y, count = 0;
    while (rows.next(&y, raw.data())) {
        Require(y >= 0 && y < l.height && !seen[static_cast<size_t>(y)]);
        seen[static_cast<size_t>(y)] = true;
        ++count;
        if (rows.indexed()) ExpandIndexes(rows.palette(), raw.data(), l.width, colours.data());
        average.addRow(y, rows.indexed() ? colours.data() : raw.data());
    }
    Require(count == l.height);

    const bool accepted = AreaAverage::accepts(l.width, l.height, width, height);
    Require(average.ready() == accepted);
    std::vector<uint8_t> scaled(accepted ? static_cast<size_t>(width) * height * 3 : 0);
    const Err err = ScaleBitmapFile(data, size, width, height, scaled.data());
    Require(err.number() == (accepted ? 0 : kErrInvalidPicture));
    if (!accepted) return;
    std::vector<uint8_t> averaged(scaled.size());
    average.result(averaged.data());
    Require(averaged == scaled);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t length)
{
    // The tool reads no more of a file than this.
    if (length > kMaxBitmapFileSize) return 0;
    const uint32_t size = static_cast<uint32_t>(length);

    BitmapLayout layout;
    BitmapSummary summary;
    const bool bitmap = CheckBitmapFile(data, size, &layout);
    Require(DescribeBitmap(data, size, &summary) == bitmap);
    const uint32_t cycleStart = ColourCycleStart(data, size);

    std::vector<uint8_t> logo(kLogoFileSize);
    const Err made = MakeLogo(data, size, logo.data());
    Require(made.number() == (bitmap ? 0 : kErrInvalidPicture));
    if (!bitmap) return 0;
    Require(IsLogoShaped(logo.data(), kLogoFileSize));
    // Only a 320 x 400 indexed picture keeps its colour-cycling start.
    const bool kept = layout.width == kLogoWidth && layout.height == kLogoHeight && layout.bitCount <= 8;
    Require(ColourCycleStart(logo.data(), kLogoFileSize) == (kept ? cycleStart : 0));

    AverageEveryRow(data, size, kPreviewWidth, kPreviewHeight);
    // The last two bytes pick another output size.
    AverageEveryRow(data, size, data[size - 2] % (kLargestPickedSide + 1), data[size - 1] % (kLargestPickedSide + 1));
    return 0;
}
