// libFuzzer target for one of the picture decoders as the tool builds them
// in (FUZZED_ROWS: JpegRows, PngRows or GifRows): every row read as it
// comes, once as it is and once reduced to a preview's size. The reader
// may refuse its input; it must never read or write outside its memory,
// hang, or hand out rows other than it said. (host_fuzzer makes logos of
// the same kinds of file.)
#include <stdint.h>
#include <stdlib.h>

#include "picture/gif_rows.h"
#include "picture/jpeg_rows.h"
#include "picture/png_rows.h"

namespace {
constexpr int32_t kPreviewSide = 20;

void Require(bool holds)
{
    if (!holds) abort();
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemorySource file(data, static_cast<uint32_t>(size));
    for (int reduced = 0; reduced < 2; ++reduced) {
        FUZZED_ROWS rows;
        if (rows.open(file)) return 0;
        if (reduced) rows.reduceTo(kPreviewSide, kPreviewSide);
        int32_t y, expected = 0;
        const uint8_t* pixels;
        while (rows.nextRow(&y)) {
            Require(y == expected++);
            uint32_t across = 0;
            for (uint32_t n; (n = rows.piece(&pixels)) != 0;) across += n;
            Require(across == static_cast<uint32_t>(rows.rowWidth()));
        }
        Require(rows.failed() || expected == rows.rowCount());
    }
    return 0;
}
