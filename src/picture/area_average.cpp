#include "picture/area_average.h"

#include "picture/bitmap_check.h"

// An output side past this is no preview or logo; it keeps each side's
// weights, and the sums of a row, well inside 32 bits.
static const uint32_t kMaxOutputSide = 4096;
// Up to this area an output pixel's sum, 255 times the area, and half the
// area more for rounding, stay within 32 bits; past it they take 64.
static const uint64_t kNarrowArea = 1u << 24;

bool AreaAverage::accepts(int32_t srcWidth, int32_t srcHeight, int32_t dstWidth, int32_t dstHeight)
{
    if (srcWidth <= 0 || srcHeight <= 0 || dstWidth <= 0 || dstHeight <= 0) return false;
    if (static_cast<uint32_t>(dstWidth) > kMaxOutputSide || static_cast<uint32_t>(dstHeight) > kMaxOutputSide)
        return false;
    const uint32_t w = static_cast<uint32_t>(srcWidth), h = static_cast<uint32_t>(srcHeight);
    return w <= kMaxPictureWidth && static_cast<uint64_t>(w) * h <= kMaxPictureArea;
}

AreaAverage::AreaAverage(int32_t srcWidth, int32_t srcHeight, int32_t dstWidth, int32_t dstHeight, bool bottomFirst,
                         uint8_t* out, int32_t stride)
    : sw_(static_cast<uint32_t>(srcWidth)),
      sh_(static_cast<uint32_t>(srcHeight)),
      dw_(static_cast<uint32_t>(dstWidth)),
      dh_(static_cast<uint32_t>(dstHeight)),
      out_(out),
      stride_(stride)
{
    if (!accepts(srcWidth, srcHeight, dstWidth, dstHeight)) return;
    area_ = static_cast<uint64_t>(sw_) * sh_;
    wide_ = area_ > kNarrowArea;
    if (bottomFirst) {
        out_ += static_cast<int32_t>(dh_ - 1) * stride_;
        stride_ = -stride_;
    }
    const uint32_t n = dw_ * 3;
    rowSums_ = new uint32_t[n];
    if (wide_)
        carried_ = new uint64_t[n];
    else
        carried_ = new uint32_t[n];
    if (!rowSums_ || !carried_) {
        delete[] rowSums_;
        rowSums_ = nullptr;
        return;
    }
    leftX_ = sw_;
    leftY_ = sh_;
}

AreaAverage::~AreaAverage()
{
    delete[] rowSums_;
    if (wide_)
        delete[] static_cast<uint64_t*>(carried_);
    else
        delete[] static_cast<uint32_t*>(carried_);
}

// Source pixel s spans [s*d, (s+1)*d) and output pixel o spans
// [o*n, (o+1)*n), where n is the source length and d the output length;
// both sides then measure n*d, and the overlaps are the weights. The
// pixels wholly inside an output pixel are added up as they are and
// weighted once; the one across its edge is split. The edge is carried
// along rather than worked out by a division, which a 386 or 486 pays
// dearly for.
void AreaAverage::add(const uint8_t* pixels, uint32_t count)
{
    if (!ready()) return;
    // In locals: stores through `out` could otherwise change any member.
    const uint32_t d = dw_, n = sw_;
    uint32_t o = outX_, left = leftX_;
    uint32_t u0 = inside_[0], u1 = inside_[1], u2 = inside_[2], e0 = edge_[0], e1 = edge_[1], e2 = edge_[2];
    uint32_t* out = rowSums_ + o * 3;
    while (count && o < d) {
        for (; count && d <= left; --count, left -= d, pixels += 3) {
            u0 += pixels[0];
            u1 += pixels[1];
            u2 += pixels[2];
        }
        if (!left) {  // the output pixel ends where a source pixel does
            out[0] = d * u0 + e0;
            out[1] = d * u1 + e1;
            out[2] = d * u2 + e2;
            out += 3;
            ++o;
            u0 = u1 = u2 = e0 = e1 = e2 = 0;
            left = n;
            continue;
        }
        if (!count) break;
        // The pixel across the edge: `left` of it here, the rest beyond,
        // over whole output pixels too where the picture is enlarged.
        const uint32_t b = pixels[0], g = pixels[1], r = pixels[2];
        out[0] = d * u0 + e0 + left * b;
        out[1] = d * u1 + e1 + left * g;
        out[2] = d * u2 + e2 + left * r;
        out += 3;
        ++o;
        uint32_t rest = d - left;
        for (; rest >= n && o < d; rest -= n, out += 3, ++o) {
            out[0] = n * b;
            out[1] = n * g;
            out[2] = n * r;
        }
        e0 = rest * b;
        e1 = rest * g;
        e2 = rest * r;
        u0 = u1 = u2 = 0;
        left = n - rest;
        pixels += 3;
        --count;
    }
    outX_ = o;
    leftX_ = left;
    inside_[0] = u0;
    inside_[1] = u1;
    inside_[2] = u2;
    edge_[0] = e0;
    edge_[1] = e1;
    edge_[2] = e2;
}

template <typename Sum>
void AreaAverage::writeRow(const Sum* sums)
{
    uint8_t* row = out_ + static_cast<int32_t>(outY_) * stride_;
    const Sum area = static_cast<Sum>(area_), half = area / 2;
    for (uint32_t i = 0; i < dw_ * 3; ++i) row[i] = static_cast<uint8_t>((sums[i] + half) / area);
}

// The row covers dh units of the output rows' sh: what falls in the
// output row begun before joins it, which is written once covered.
template <typename Sum>
void AreaAverage::addRowTo(Sum* carried)
{
    const uint32_t n = dw_ * 3;
    for (uint32_t rest = dh_; rest && outY_ < dh_;) {
        const uint32_t take = rest < leftY_ ? rest : leftY_;
        const Sum weight = static_cast<Sum>(take);
        if (leftY_ == sh_)  // a new output row
            for (uint32_t i = 0; i < n; ++i) carried[i] = weight * rowSums_[i];
        else
            for (uint32_t i = 0; i < n; ++i) carried[i] += weight * rowSums_[i];
        rest -= take;
        leftY_ -= take;
        if (leftY_) continue;
        writeRow(carried);
        ++outY_;
        leftY_ = sh_;
    }
}

// A row short of pixels ends black.
void AreaAverage::endRow()
{
    if (!ready() || rowsIn_ >= sh_) return;
    ++rowsIn_;
    if (outX_ < dw_) {
        uint32_t* out = rowSums_ + outX_ * 3;
        for (int c = 0; c < 3; ++c) out[c] = dw_ * inside_[c] + edge_[c];
        for (uint32_t i = (outX_ + 1) * 3; i < dw_ * 3; ++i) rowSums_[i] = 0;
    }
    if (wide_)
        addRowTo(static_cast<uint64_t*>(carried_));
    else
        addRowTo(static_cast<uint32_t*>(carried_));
    outX_ = 0;
    leftX_ = sw_;
    for (int c = 0; c < 3; ++c) inside_[c] = edge_[c] = 0;
}
