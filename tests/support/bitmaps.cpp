#include "bitmaps.h"

#include <algorithm>
#include <cstdlib>

namespace {
void Put(std::string& f, size_t at, uint32_t v, int n = 4)
{
    for (int i = 0; i < n; ++i) f[at + i] = char(v >> 8 * i);
}
}

uint32_t PlanColour(uint32_t i) { return (i ^ 0x5A) << 16 | (255 - i) << 8 | i; }

std::string BuildBitmap(const BitmapPlan& s)
{
    const uint32_t rows = uint32_t(std::abs(s.height)), stride = (uint32_t(s.width) * s.bits + 31) / 32 * 4;
    const uint32_t entry = s.info == 12 ? 3 : 4;
    const uint32_t full = s.bits <= 8 ? 1u << s.bits : 0;
    // An OS/2 header has no count: its palette is always full.
    const uint32_t entries = s.info == 12 ? full : !s.palette.empty() ? uint32_t(s.palette.size()) : s.colours ? s.colours : full;
    // A short palette is declared, as any writer does.
    const uint32_t declared = s.colours || s.palette.empty() || entries == full ? s.colours : entries;
    const uint32_t paletteAt = 14 + s.info + (s.info == 40 ? 4 * uint32_t(s.masks.size()) : 0);
    const uint32_t bitsAt = paletteAt + entries * entry + s.gap;
    std::string f(bitsAt + (s.raw.empty() ? stride * rows : s.raw.size()), '\0');
    f[0] = 'B', f[1] = 'M';
    Put(f, 2, uint32_t(f.size())), Put(f, 10, bitsAt), Put(f, 14, s.info);
    if (s.info == 12) {
        Put(f, 18, s.width, 2), Put(f, 20, s.height, 2), Put(f, 22, s.planes, 2), Put(f, 24, s.bits, 2);
    } else {
        Put(f, 18, s.width), Put(f, 22, s.height), Put(f, 26, s.planes, 2), Put(f, 28, s.bits, 2);
        Put(f, 30, s.compression), Put(f, 34, s.sizeImage), Put(f, 46, declared), Put(f, 50, s.important);
    }
    for (size_t i = 0; i < s.masks.size(); ++i) Put(f, 54 + 4 * i, s.masks[i]);
    for (uint32_t i = 0; i < entries; ++i) Put(f, paletteAt + i * entry, i < s.palette.size() ? s.palette[i] : PlanColour(i), 3);
    std::copy(s.raw.begin(), s.raw.end(), f.begin() + bitsAt);
    for (uint32_t i = 0; s.raw.empty() && i < s.pixels.size(); ++i) {
        const uint32_t y = i / uint32_t(s.width), row = s.height < 0 ? y : rows - 1 - y;
        const uint32_t bit = (bitsAt + row * stride) * 8 + i % uint32_t(s.width) * s.bits;
        if (s.bits < 8)
            f[bit / 8] = char(f[bit / 8] | s.pixels[i] << (8 - s.bits - bit % 8));
        else
            Put(f, bit / 8, s.pixels[i], s.bits / 8);
    }
    return f;
}

std::string Picture24(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& rgb)
{
    BitmapPlan plan{width, height};
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) plan.pixels.push_back(rgb(x, y));
    return BuildBitmap(plan);
}

std::string LogoFile(const std::vector<uint32_t>& palette, const std::function<uint32_t(int32_t, int32_t)>& index, uint32_t firstCycled)
{
    BitmapPlan plan{320, 400, 8};
    plan.palette = palette;
    plan.palette.resize(256);
    plan.important = firstCycled;
    for (int32_t y = 0; y < 400; ++y)
        for (int32_t x = 0; x < 320; ++x) plan.pixels.push_back(index(x, y));
    return BuildBitmap(plan);
}
