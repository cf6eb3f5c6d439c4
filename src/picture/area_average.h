#pragma once
#include <stdint.h>

// Resamples 24-bit pixels so that every output pixel is the mean of the
// source area it covers: thin lines and small text fade in proportion
// instead of vanishing, as they do when rows and columns are just dropped.
class AreaAverage {
public:
    AreaAverage(int32_t srcWidth, int32_t srcHeight, int32_t dstWidth, int32_t dstHeight);
    ~AreaAverage();
    AreaAverage(const AreaAverage&) = delete;
    AreaAverage& operator=(const AreaAverage&) = delete;

    static bool accepts(int32_t srcWidth, int32_t srcHeight, int32_t dstWidth, int32_t dstHeight);
    bool ready() const { return sums_ != nullptr; }
    // Each source row once, three bytes a pixel.
    void addRow(int32_t y, const uint8_t* row);
    void result(uint8_t* out) const;

private:
    uint32_t sw_, sh_, dw_, dh_;
    uint32_t* sums_ = nullptr;     // dw*dh*3, weighted by covered area
    uint32_t* rowSums_ = nullptr;  // dw*3, one source row squeezed across
};
