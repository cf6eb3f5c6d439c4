#pragma once
#include <stdint.h>

enum class Quantised { OutOfMemory, Exact, Diffused };

// Turns a 24-bit picture (blue, green, red a pixel, top row first) into 256
// palette entries (blue, green, red, 0) and one index a pixel, written to
// indexes + y * stride + x (stride may be negative, for bottom-up rows).
// The pixels use the first `entries` entries (1 to 256), the rest of the
// palette is black. A picture of that many colours or fewer keeps exactly
// its own colours. Any other gets a palette cut for it (boxes of its
// colours, split where that removes the most squared error, pixels in
// smooth areas counting more) and Floyd-Steinberg error diffusion, so that
// gradients do not band: weaker in detail, and never to an entry far from
// the pixel's own colour. Up to 2 million pixels.
Quantised Quantise(const uint8_t* bgr, int32_t width, int32_t height, uint8_t* palette, uint8_t* indexes,
                   int32_t stride, uint32_t entries = 256);
