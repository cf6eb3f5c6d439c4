// libFuzzer target for the picture pipeline: any bytes go through the
// header check, the row reader, the area average, the scaled picture and
// the logo maker. Sanitizers catch bad memory and undefined behaviour; the
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
// each row's pieces adding up to its width unless the reading fails, into
// an average of width x height; its result must match what ScalePicture
// makes of the same file.
void AverageEveryRow(ByteSource& file, int32_t width, int32_t height)
{
    BitmapRows rows;
    Require(!rows.open(file));
    const BitmapLayout& l = rows.layout();
    const bool accepted = AreaAverage::accepts(l.width, l.height, width, height);
    std::vector<uint8_t> averaged(accepted ? static_cast<size_t>(width) * height * 3 : 3);
    AreaAverage average(l.width, l.height, width, height, !l.topDown, averaged.data(), width * 3);
    Require(average.ready() == accepted);
    std::vector<bool> seen(static_cast<size_t>(l.height));
    std::vector<uint8_t> colours(BitmapRows::kPiecePixels * 3);
    int32_t y, count = 0;
    const uint8_t* pixels;
    while (rows.nextRow(&y)) {
        Require(y >= 0 && y < l.height && !seen[static_cast<size_t>(y)]);
        seen[static_cast<size_t>(y)] = true;
        ++count;
        uint32_t across = 0;
        for (uint32_t n; (n = rows.piece(&pixels)) != 0; across += n) {
            Require(n <= BitmapRows::kPiecePixels);
            if (rows.indexed()) ExpandIndexes(rows.palette(), pixels, n, colours.data());
            average.add(rows.indexed() ? colours.data() : pixels, n);
        }
        Require(across == static_cast<uint32_t>(l.width) || rows.failed());
        average.endRow();
    }
    Require(count == l.height || rows.failed());

    std::vector<uint8_t> scaled(averaged.size());
    const Err err = ScalePicture(file, width, height, scaled.data());
    Require(err.number() == (!accepted ? kErrInvalidPicture : rows.failed().number()));
    if (accepted && !err) Require(averaged == scaled);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t length)
{
    if (length > UINT32_MAX) return 0;
    MemorySource file(data, static_cast<uint32_t>(length));
    BitmapLayout layout;
    const Err header = ReadBitmapLayout(file, &layout);
    Require(!header || header.number() == kErrInvalidPicture || header.number() == kErrOverflow);

    std::vector<uint8_t> logo(kLogoFileSize);
    const Err made = MakeLogo(file, logo.data());
    Require(!header ? !made || made.number() == kErrInvalidPicture : made.number() == header.number());
    if (made) return 0;
    MemorySource madeFile(logo.data(), kLogoFileSize);
    Require(IsLogoShaped(madeFile));
    // Only a 320 x 400 indexed picture keeps its colour-cycling start.
    const bool kept = layout.width == kLogoWidth && layout.height == kLogoHeight && layout.bitCount <= 8;
    Require(ColourCycleStart(logo.data(), kLogoFileSize) == (kept ? layout.coloursImportant : 0));

    AverageEveryRow(file, kPreviewWidth, kPreviewHeight);
    // The last two bytes pick another output size.
    AverageEveryRow(file, data[length - 2] % (kLargestPickedSide + 1), data[length - 1] % (kLargestPickedSide + 1));
    return 0;
}
