#pragma once
#include <stdint.h>

// Resamples 24-bit pixels so that every output pixel is the mean of the
// source area it covers: thin lines and small text fade in proportion
// instead of vanishing, as they do when rows and columns are just dropped.
// The rows come one after another, top first or bottom first, each in
// pieces; an output row is written as soon as the rows it covers are in,
// so that only two rows of sums are ever kept.
class AreaAverage {
public:
    // Output row r goes to out + r * stride, three bytes a pixel.
    AreaAverage(int32_t srcWidth, int32_t srcHeight, int32_t dstWidth, int32_t dstHeight, bool bottomFirst,
                uint8_t* out, int32_t stride);
    ~AreaAverage();
    AreaAverage(const AreaAverage&) = delete;
    AreaAverage& operator=(const AreaAverage&) = delete;

    static bool accepts(int32_t srcWidth, int32_t srcHeight, int32_t dstWidth, int32_t dstHeight);
    bool ready() const { return rowSums_ != nullptr; }
    // The next pixels of the row, left to right, three bytes each.
    void add(const uint8_t* pixels, uint32_t count);
    // The row is complete (pixels it lacks count as black).
    void endRow();

private:
    template <typename Sum>
    void addRowTo(Sum* carried);
    template <typename Sum>
    void writeRow(const Sum* sums);

    uint32_t sw_, sh_, dw_, dh_;
    uint8_t* out_;
    int32_t stride_;
    uint64_t area_;
    uint32_t* rowSums_ = nullptr;  // dw*3: the row so far, squeezed across
    void* carried_ = nullptr;      // dw*3: the output row the rows so far cover part of
    bool wide_ = false;            // carried holds 64-bit sums: 255 times the area passes 32 bits
    // Across: the output pixel the row has reached, and how much of it the
    // row still has to cover; down: the same for output rows.
    uint32_t outX_ = 0, leftX_ = 0;
    uint32_t inside_[3] = {}, edge_[3] = {};  // the output pixel so far: pixels wholly in it, and the part of one
    uint32_t outY_ = 0, leftY_ = 0;
    uint32_t rowsIn_ = 0;
};
