#include "picture/area_average.h"

#include "picture/bitmap_check.h"

// An output side past this is no preview or logo; it keeps the sums' table
// and each side times the output side well inside 32 bits.
static const uint32_t kMaxOutputSide = 4096;

bool AreaAverage::accepts(int32_t srcWidth, int32_t srcHeight, int32_t dstWidth, int32_t dstHeight)
{
    if (srcWidth <= 0 || srcHeight <= 0 || dstWidth <= 0 || dstHeight <= 0) return false;
    if (static_cast<uint32_t>(dstWidth) > kMaxOutputSide || static_cast<uint32_t>(dstHeight) > kMaxOutputSide)
        return false;
    uint32_t w = static_cast<uint32_t>(srcWidth), h = static_cast<uint32_t>(srcHeight);
    // The area in 64 bits: 65536 x 65536 wraps to 0 in 32.
    return w <= kMaxPictureArea && h <= kMaxPictureArea && static_cast<uint64_t>(w) * h <= kMaxPictureArea &&
           w * static_cast<uint32_t>(dstWidth) / static_cast<uint32_t>(dstWidth) == w &&
           h * static_cast<uint32_t>(dstHeight) / static_cast<uint32_t>(dstHeight) == h;
}

AreaAverage::AreaAverage(int32_t srcWidth, int32_t srcHeight, int32_t dstWidth, int32_t dstHeight)
    : sw_(static_cast<uint32_t>(srcWidth)),
      sh_(static_cast<uint32_t>(srcHeight)),
      dw_(static_cast<uint32_t>(dstWidth)),
      dh_(static_cast<uint32_t>(dstHeight))
{
    if (!accepts(srcWidth, srcHeight, dstWidth, dstHeight)) return;
    rowSums_ = new uint32_t[dw_ * 3];
    sums_ = new uint32_t[dw_ * dh_ * 3];
    if (!rowSums_ || !sums_) {
        delete[] rowSums_;
        delete[] sums_;
        rowSums_ = sums_ = nullptr;
        return;
    }
    for (uint32_t i = 0; i < dw_ * dh_ * 3; ++i) sums_[i] = 0;
}

AreaAverage::~AreaAverage()
{
    delete[] rowSums_;
    delete[] sums_;
}

static uint32_t Min(uint32_t a, uint32_t b) { return a < b ? a : b; }
static uint32_t Max(uint32_t a, uint32_t b) { return a > b ? a : b; }

static void AddWeighted(uint32_t* sums, uint32_t weight, const uint8_t* pixel)
{
    sums[0] += weight * pixel[0];
    sums[1] += weight * pixel[1];
    sums[2] += weight * pixel[2];
}

// Source pixel s spans [s*d, (s+1)*d) and output pixel o spans
// [o*n, (o+1)*n), where n is the source length and d the output length;
// both sides then measure n*d, and the overlaps are the weights. Across a
// row the output pixel's far edge is carried along rather than worked out
// by a division for every source pixel, which a 386 or 486 pays dearly for.
void AreaAverage::addRow(int32_t y, const uint8_t* row)
{
    if (!ready() || y < 0 || static_cast<uint32_t>(y) >= sh_) return;
    for (uint32_t i = 0; i < dw_ * 3; ++i) rowSums_[i] = 0;
    uint32_t* out = rowSums_;
    uint32_t at = 0, edge = sw_;  // where the row has got to; the far edge of *out
    for (uint32_t sx = 0; sx < sw_; ++sx, row += 3) {
        uint32_t to = at + dw_;
        if (to < edge) {  // the whole source pixel inside one output pixel
            AddWeighted(out, dw_, row);
            at = to;
            continue;
        }
        while (at < to) {
            uint32_t end = Min(to, edge);
            AddWeighted(out, end - at, row);
            at = end;
            if (at == edge) {
                out += 3;
                edge += sw_;
            }
        }
    }
    uint32_t sy = static_cast<uint32_t>(y);
    uint32_t from = sy * dh_, to = from + dh_;
    for (uint32_t dy = from / sh_; dy < dh_ && dy * sh_ < to; ++dy) {
        uint32_t weight = Min(to, (dy + 1) * sh_) - Max(from, dy * sh_);
        uint32_t* line = sums_ + dy * dw_ * 3;
        for (uint32_t i = 0; i < dw_ * 3; ++i) line[i] += weight * rowSums_[i];
    }
}

void AreaAverage::result(uint8_t* out) const
{
    if (!ready()) return;
    uint32_t area = sw_ * sh_;
    for (uint32_t i = 0; i < dw_ * dh_ * 3; ++i) out[i] = static_cast<uint8_t>((sums_[i] + area / 2) / area);
}
