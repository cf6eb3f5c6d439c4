#include "picture/quantise.h"

namespace {
// Passes that move each palette entry to the mean of the colours nearest it.
constexpr int kRefinements = 2;
// A pixel where the picture is smooth counts kSmoothWeight times in the
// palette, halving at an activity of kWeightHalving: errors show most in
// skies and shading, and detail hides them.
constexpr int kSmoothWeight = 8, kWeightHalving = 2;
// The error diffused into a pixel is scaled by kQuietActivity / (kQuietActivity
// + activity): whole where the picture is smooth and a gradient would band,
// less in detail, which its own variation dithers already.
constexpr int kQuietActivity = 11;
// Diffusion never picks an entry whose squared distance from the pixel is
// more than kOwnTimes that of the pixel's nearest entry plus kSpacingTimes
// the squared distance from that entry to its nearest neighbour: error
// carried over an edge would make specks of another hue.
constexpr int kOwnTimes = 4, kSpacingTimes = 2;
// Colours are packed as blue | green << 8 | red << 16.
inline uint32_t Pack(const uint8_t* p) { return p[0] | p[1] << 8 | static_cast<uint32_t>(p[2]) << 16; }
inline uint32_t Channel(uint32_t colour, int c) { return colour >> (8 * c) & 255; }

// A buffer that frees itself; nullptr when memory ran out.
template <typename T>
struct Buffer {
    explicit Buffer(uint32_t n) : p(new T[n]) {}
    ~Buffer() { delete[] p; }
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
    T* p;
};

// Sorts the picture's colours and folds equal ones into one, counted by
// their pixels' weights added up. Returns how many differ: colours[0..n)
// ascending, counts[0..n). Each weight rides in its colour's top byte,
// which the sort leaves alone.
uint32_t DistinctColours(const uint8_t* bgr, const uint8_t* weights, uint32_t pixels, uint32_t* colours,
                         uint32_t* counts)
{
    for (uint32_t i = 0; i < pixels; ++i) colours[i] = Pack(bgr + i * 3) | static_cast<uint32_t>(weights[i]) << 24;
    uint32_t* from = colours;
    uint32_t* to = counts;
    for (int c = 0; c < 3; ++c) {  // radix sort, one byte a pass
        uint32_t start[256] = {};
        for (uint32_t i = 0; i < pixels; ++i) ++start[Channel(from[i], c)];
        for (uint32_t v = 0, sum = 0; v < 256; ++v) {
            uint32_t n = start[v];
            start[v] = sum;
            sum += n;
        }
        for (uint32_t i = 0; i < pixels; ++i) to[start[Channel(from[i], c)]++] = from[i];
        uint32_t* swap = from;
        from = to;
        to = swap;
    }
    // Three passes leave the sorted colours in counts; a run is read
    // before its count overwrites the place where it began, or earlier.
    uint32_t n = 0;
    for (uint32_t i = 0; i < pixels;) {
        uint32_t run = i, weight = 0;
        for (; run < pixels && ((counts[run] ^ counts[i]) & 0xFFFFFF) == 0; ++run) weight += counts[run] >> 24;
        colours[n] = counts[i] & 0xFFFFFF;
        counts[n++] = weight;
        i = run;
    }
    return n;
}

// A box of distinct colours [begin, end), their pixel count and sums, and
// the cut that removes the most squared error: colours whose channel
// `axis` is at most `cut` go to one side.
struct Box {
    uint32_t begin, end, pixels, sum[3];
    uint64_t gain;
    int axis;
    uint32_t cut;
};

// |sum|^2 / n: a box's squared error around its mean is the sum of its
// colours' squared lengths less this, so a cut gains what its halves'
// figures add up to beyond the whole box's.
uint64_t Spread(const uint32_t* sum, uint32_t pixels)
{
    if (!pixels) return 0;
    uint64_t s = 0;
    for (int c = 0; c < 3; ++c) s += static_cast<uint64_t>(sum[c]) * sum[c];
    return s / pixels;
}

void Measure(Box& box, const uint32_t* colours, const uint32_t* counts)
{
    box.pixels = box.sum[0] = box.sum[1] = box.sum[2] = 0;
    for (uint32_t i = box.begin; i < box.end; ++i) {
        box.pixels += counts[i];
        for (int c = 0; c < 3; ++c) box.sum[c] += Channel(colours[i], c) * counts[i];
    }
    box.gain = 0;
    box.axis = -1;
    if (box.end - box.begin < 2) return;
    uint64_t whole = Spread(box.sum, box.pixels);
    static uint32_t bucket[256][4];  // pixels, then sums of the three channels
    for (int axis = 0; axis < 3; ++axis) {
        for (uint32_t v = 0; v < 256; ++v) bucket[v][0] = bucket[v][1] = bucket[v][2] = bucket[v][3] = 0;
        for (uint32_t i = box.begin; i < box.end; ++i) {
            uint32_t* b = bucket[Channel(colours[i], axis)];
            b[0] += counts[i];
            for (int c = 0; c < 3; ++c) b[c + 1] += Channel(colours[i], c) * counts[i];
        }
        uint32_t left[4] = {}, right[3];
        for (uint32_t v = 0; v < 255; ++v) {
            if (!bucket[v][0]) continue;
            for (int k = 0; k < 4; ++k) left[k] += bucket[v][k];
            if (left[0] == box.pixels) break;
            for (int c = 0; c < 3; ++c) right[c] = box.sum[c] - left[c + 1];
            uint64_t split = Spread(left + 1, left[0]) + Spread(right, box.pixels - left[0]);
            if (split > whole && split - whole > box.gain) {
                box.gain = split - whole;
                box.axis = axis;
                box.cut = v;
            }
        }
    }
}

// Cuts the boxes with the largest gain first, up to `most`; returns how
// many there are.
uint32_t CutBoxes(uint32_t* colours, uint32_t* counts, uint32_t distinct, Box* boxes, uint32_t most)
{
    boxes[0].begin = 0;
    boxes[0].end = distinct;
    Measure(boxes[0], colours, counts);
    uint32_t n = 1;
    while (n < most) {
        Box* best = nullptr;
        for (uint32_t i = 0; i < n; ++i)
            if (boxes[i].axis >= 0 && (!best || boxes[i].gain > best->gain)) best = &boxes[i];
        if (!best) break;
        uint32_t i = best->begin, j = best->end;
        while (i < j) {
            if (Channel(colours[i], best->axis) <= best->cut) {
                ++i;
                continue;
            }
            --j;
            uint32_t colour = colours[i], count = counts[i];
            colours[i] = colours[j];
            counts[i] = counts[j];
            colours[j] = colour;
            counts[j] = count;
        }
        boxes[n].begin = i;
        boxes[n].end = best->end;
        best->end = i;
        Measure(*best, colours, counts);
        Measure(boxes[n++], colours, counts);
    }
    return n;
}

// The palette entry nearest a colour, searched outward along green from
// the entries sorted by it; recent answers are kept.
class Nearest {
public:
    void use(const uint8_t* palette, uint32_t n)
    {
        n_ = n;
        for (uint32_t i = 0; i < n; ++i) order_[i] = static_cast<uint8_t>(i);
        for (uint32_t i = 1; i < n; ++i)
            for (uint32_t j = i; j > 0 && palette[order_[j - 1] * 4 + 1] > palette[order_[j] * 4 + 1]; --j) {
                uint8_t swap = order_[j];
                order_[j] = order_[j - 1];
                order_[j - 1] = swap;
            }
        for (uint32_t i = 0; i < n; ++i)
            for (int c = 0; c < 3; ++c) sorted_[i][c] = palette[order_[i] * 4 + c];
        for (uint32_t v = 0, i = 0; v < 256; ++v) {
            while (i + 1 < n && sorted_[i][1] < v) ++i;
            first_[v] = static_cast<uint8_t>(i);
        }
        for (uint32_t i = 0; i < kCache; ++i) cachedColour_[i] = 0;
    }

    uint8_t find(const int* bgr)
    {
        uint32_t key = static_cast<uint32_t>(bgr[0] | bgr[1] << 8 | bgr[2] << 16);
        uint32_t slot = (key * 2654435761u) >> 20;
        if (cachedColour_[slot] == (key | 1u << 24)) return cachedEntry_[slot];
        int best = 1 << 30;
        uint32_t found = 0;
        for (int dir = -1; dir <= 1; dir += 2)
            for (int i = first_[bgr[1]] + (dir > 0 ? 0 : -1); i >= 0 && i < static_cast<int>(n_); i += dir) {
                int dg = sorted_[i][1] - bgr[1];
                if (dg * dg >= best) break;
                int db = sorted_[i][0] - bgr[0], dr = sorted_[i][2] - bgr[2];
                int d = db * db + dg * dg + dr * dr;
                if (d < best) {
                    best = d;
                    found = order_[i];
                }
            }
        cachedColour_[slot] = key | 1u << 24;
        return cachedEntry_[slot] = static_cast<uint8_t>(found);
    }

private:
    static constexpr uint32_t kCache = 4096;
    uint32_t n_;
    uint8_t order_[256], sorted_[256][3], first_[256];
    uint32_t cachedColour_[kCache];  // colour | 1 << 24 when in use
    uint8_t cachedEntry_[kCache];
};

// One refinement pass; the boxes, cut already, serve for the sums.
void Refine(const uint32_t* colours, const uint32_t* counts, uint32_t distinct, uint8_t* palette, uint32_t n,
            Nearest& nearest, Box* sums)
{
    nearest.use(palette, n);
    for (uint32_t i = 0; i < n; ++i) sums[i].pixels = sums[i].sum[0] = sums[i].sum[1] = sums[i].sum[2] = 0;
    for (uint32_t k = 0; k < distinct; ++k) {
        int bgr[3];
        for (int c = 0; c < 3; ++c) bgr[c] = static_cast<int>(Channel(colours[k], c));
        Box& to = sums[nearest.find(bgr)];
        to.pixels += counts[k];
        for (int c = 0; c < 3; ++c) to.sum[c] += static_cast<uint32_t>(bgr[c]) * counts[k];
    }
    for (uint32_t i = 0; i < n; ++i)
        for (int c = 0; sums[i].pixels && c < 3; ++c)
            palette[i * 4 + c] = static_cast<uint8_t>((sums[i].sum[c] + sums[i].pixels / 2) / sums[i].pixels);
}

inline int Abs(int v) { return v < 0 ? -v : v; }

// The largest second difference of a channel across or down: 0 in a flat or
// evenly shaded area, tens at edges and in fine detail.
int Activity(const uint8_t* bgr, int32_t width, int32_t height, int32_t x, int32_t y)
{
    const uint8_t* p = bgr + (y * width + x) * 3;
    const int32_t left = x > 0 ? -3 : 0, right = x + 1 < width ? 3 : 0;
    const int32_t up = y > 0 ? -width * 3 : 0, down = y + 1 < height ? width * 3 : 0;
    int most = 0;
    for (int c = 0; c < 3; ++c) {
        int across = Abs(p[left + c] + p[right + c] - 2 * p[c]), along = Abs(p[up + c] + p[down + c] - 2 * p[c]);
        if (across > most) most = across;
        if (along > most) most = along;
    }
    return most;
}

// Each pixel's activity, the most of the 3 x 3 around it (a pixel beside an
// edge is no smoother than the edge), and its weight in the palette.
void ActivityMap(const uint8_t* bgr, int32_t width, int32_t height, uint8_t* activity, uint8_t* weights)
{
    uint8_t* own = weights;  // each pixel's own figure, until the weights replace it
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            int a = Activity(bgr, width, height, x, y);
            own[y * width + x] = static_cast<uint8_t>(a > 255 ? 255 : a);
        }
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t most = 0;
            for (int32_t v = y > 0 ? y - 1 : 0; v <= y + 1 && v < height; ++v)
                for (int32_t u = x > 0 ? x - 1 : 0; u <= x + 1 && u < width; ++u)
                    if (own[v * width + u] > most) most = own[v * width + u];
            activity[y * width + x] = most;
        }
    uint8_t weightOf[256];  // a table, as a 386 divides slowly
    for (int a = 0; a < 256; ++a) {
        int w = kSmoothWeight * kWeightHalving / (kWeightHalving + a);
        weightOf[a] = static_cast<uint8_t>(w < 1 ? 1 : w);
    }
    for (int32_t i = 0; i < width * height; ++i) weights[i] = weightOf[activity[i]];
}

int32_t Distance(const uint8_t* a, const uint8_t* b)
{
    int32_t d = 0;
    for (int c = 0; c < 3; ++c) d += (a[c] - b[c]) * (a[c] - b[c]);
    return d;
}

void Diffuse(const uint8_t* bgr, const uint8_t* activity, int32_t width, int32_t height, const uint8_t* palette,
             uint32_t entries, Nearest& nearest, int32_t* errors, uint8_t* indexes, int32_t stride)
{
    int32_t spacing[256];  // squared distance from each entry to its nearest other one
    for (uint32_t i = 0; i < entries; ++i) {
        spacing[i] = 3 * 255 * 255;
        for (uint32_t j = 0; j < entries; ++j) {
            int32_t d = Distance(palette + i * 4, palette + j * 4);
            if (d && d < spacing[i]) spacing[i] = d;
        }
    }
    int32_t strengthOf[256];  // of the error diffused at each activity, in 256ths
    for (int32_t a = 0; a < 256; ++a) strengthOf[a] = 256 * kQuietActivity / (kQuietActivity + a);
    // Two rows of errors in sixteenths, one pixel of margin either side.
    const int32_t span = (width + 2) * 3;
    for (int32_t i = 0; i < span * 2; ++i) errors[i] = 0;
    for (int32_t y = 0; y < height; ++y) {
        int32_t* here = errors + (y & 1) * span;
        int32_t* below = errors + (~y & 1) * span;
        for (int32_t i = 0; i < span; ++i) below[i] = 0;
        const int32_t dir = y & 1 ? -1 : 1;  // serpentine
        for (int32_t n = 0, x = dir > 0 ? 0 : width - 1; n < width; ++n, x += dir) {
            const uint8_t* in = bgr + (y * width + x) * 3;
            int32_t* e = here + (x + 1) * 3;
            // Sixteenths times 256ths: 12 bits to drop.
            const int32_t strength = strengthOf[activity[y * width + x]];
            int want[3], own[3];
            for (int c = 0; c < 3; ++c) {
                int v = in[c] + ((e[c] * strength + (1 << 11)) >> 12);
                want[c] = v < 0 ? 0 : v > 255 ? 255 : v;
                own[c] = in[c];
            }
            uint8_t index = nearest.find(want);
            const uint8_t plain = nearest.find(own);
            if (Distance(palette + index * 4, in) >
                kOwnTimes * Distance(palette + plain * 4, in) + kSpacingTimes * spacing[plain])
                index = plain;
            indexes[y * stride + x] = index;
            int32_t* b = below + (x + 1) * 3;
            for (int c = 0; c < 3; ++c) {
                int32_t error = want[c] - palette[index * 4 + c];
                e[dir * 3 + c] += error * 7;
                b[-dir * 3 + c] += error * 3;
                b[c] += error * 5;
                b[dir * 3 + c] += error;
            }
        }
    }
}
}

Quantised Quantise(const uint8_t* bgr, int32_t width, int32_t height, uint8_t* palette, uint8_t* indexes,
                   int32_t stride, uint32_t entries)
{
    const uint32_t pixels = static_cast<uint32_t>(width) * static_cast<uint32_t>(height);
    for (uint32_t i = 0; i < 1024; ++i) palette[i] = 0;
    Buffer<uint32_t> colours(pixels), counts(pixels);
    if (!colours.p || !counts.p) return Quantised::OutOfMemory;
    Buffer<uint8_t> activity(pixels), weights(pixels);
    if (!activity.p || !weights.p) return Quantised::OutOfMemory;
    ActivityMap(bgr, width, height, activity.p, weights.p);
    const uint32_t distinct = DistinctColours(bgr, weights.p, pixels, colours.p, counts.p);
    if (distinct <= entries) {
        for (uint32_t i = 0; i < distinct; ++i)
            for (int c = 0; c < 3; ++c) palette[i * 4 + c] = static_cast<uint8_t>(Channel(colours.p[i], c));
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                uint32_t colour = Pack(bgr + (y * width + x) * 3), low = 0, high = distinct - 1;
                while (low < high) {
                    uint32_t middle = (low + high) / 2;
                    if (colours.p[middle] < colour)
                        low = middle + 1;
                    else
                        high = middle;
                }
                indexes[y * stride + x] = static_cast<uint8_t>(low);
            }
        return Quantised::Exact;
    }
    Buffer<Box> boxes(256);
    if (!boxes.p) return Quantised::OutOfMemory;
    const uint32_t n = CutBoxes(colours.p, counts.p, distinct, boxes.p, entries);
    for (uint32_t i = 0; i < n; ++i)
        for (int c = 0; c < 3; ++c)
            palette[i * 4 + c] = static_cast<uint8_t>((boxes.p[i].sum[c] + boxes.p[i].pixels / 2) / boxes.p[i].pixels);
    Nearest* nearest = new Nearest;
    Buffer<int32_t> errors(static_cast<uint32_t>(width + 2) * 6);
    if (!nearest || !errors.p) {
        delete nearest;
        return Quantised::OutOfMemory;
    }
    for (int pass = 0; pass < kRefinements; ++pass)
        Refine(colours.p, counts.p, distinct, palette, n, *nearest, boxes.p);
    nearest->use(palette, n);
    Diffuse(bgr, activity.p, width, height, palette, n, *nearest, errors.p, indexes, stride);
    delete nearest;
    return Quantised::Diffused;
}
