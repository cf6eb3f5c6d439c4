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
// The picture's colours are counted in at most kBins bins, found through
// twice as many slots; when more colours differ, a channel (in kDropOrder)
// drops its lowest bit and the colours that become equal share a bin.
constexpr int kSlotBits = 14;
constexpr uint32_t kSlots = 1u << kSlotBits, kBins = kSlots / 2;
constexpr int kDropOrder[3] = {0, 2, 1};
constexpr uint16_t kEmptySlot = 0xFFFF;
// The diffusion finds entries in cells of colours sharing their top bits
// (see ColourMap): kTopBits a channel at first, down to kCellBits; a pool
// of kPool words lists them, and kCached colours' entries are kept.
constexpr int kTopBits = 3, kCellBits = 5, kCachedBits = 14;
constexpr uint32_t kPool = 0xFF00, kCached = 1u << kCachedBits;
constexpr uint32_t kMostEntries = 256, kAllBits = 0xFFFFFF;
// Colours are hashed by multiplying by 2^32 over the golden ratio and taking
// the top bits.
constexpr uint32_t kGolden = 2654435761u;
// The largest squared distance between two colours.
constexpr uint8_t kBlack[3] = {0, 0, 0};
constexpr int32_t kFarthest = 3 * 255 * 255;

// Colours are packed as blue | green << 8 | red << 16.
inline uint32_t Pack(const uint8_t* p) { return p[0] | p[1] << 8 | static_cast<uint32_t>(p[2]) << 16; }
inline uint32_t Channel(uint32_t colour, int c) { return colour >> (8 * c) & 255; }
inline int32_t Abs(int32_t v) { return v < 0 ? -v : v; }

int32_t Distance(const uint8_t* a, const uint8_t* b)
{
    int32_t d = 0;
    for (int c = 0; c < 3; ++c) d += (a[c] - b[c]) * (a[c] - b[c]);
    return d;
}

// A buffer that frees itself; nullptr when memory ran out.
template <typename T>
struct Buffer {
    explicit Buffer(uint32_t n) : p(new T[n]) {}
    ~Buffer() { delete[] p; }
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
    void free()
    {
        delete[] p;
        p = nullptr;
    }
    T* p;
};

// |a - 2b + c|, no more than 255.
inline uint8_t Bend(int32_t a, int32_t b, int32_t c)
{
    const int32_t d = Abs(a + c - 2 * b);
    return static_cast<uint8_t>(d > 255 ? 255 : d);
}

// Each pixel's own figure: the largest second difference of a channel across
// or down, 0 in a flat or evenly shaded area, tens at edges and in fine
// detail; a missing neighbour stands in for itself. `bytes` holds each
// channel's figure first.
void OwnActivity(const uint8_t* up, const uint8_t* row, const uint8_t* down, int32_t width, uint8_t* bytes,
                 uint8_t* out)
{
    const int32_t line = width * 3;
    for (int32_t i = 0; i < line; ++i) bytes[i] = Bend(up[i], row[i], down[i]);
    for (int32_t i = 3; i < line - 3; ++i) {
        const uint8_t across = Bend(row[i - 3], row[i], row[i + 3]);
        bytes[i] = across > bytes[i] ? across : bytes[i];
    }
    for (int32_t c = 0; c < 3 && width > 1; ++c) {  // the ends, one neighbour each
        const uint8_t first = Bend(row[c + 3], row[c], row[c]),
                      last = Bend(row[line - 6 + c], row[line - 3 + c], row[line - 3 + c]);
        if (first > bytes[c]) bytes[c] = first;
        if (last > bytes[line - 3 + c]) bytes[line - 3 + c] = last;
    }
    for (int32_t x = 0; x < width; ++x) {
        const uint8_t* b = bytes + x * 3;
        const uint8_t most = b[0] > b[1] ? b[0] : b[1];
        out[x] = most > b[2] ? most : b[2];
    }
}

// Each pixel's activity, the most of the 3 x 3 around it (a pixel beside an
// edge is no smoother than the edge), into indexes + y * stride + x; the
// diffusion reads it there before it writes the pixel's index. False when
// memory ran out.
bool ActivityMap(const uint8_t* bgr, int32_t width, int32_t height, uint8_t* indexes, int32_t stride)
{
    Buffer<uint8_t> rows(static_cast<uint32_t>(width) * 7);
    if (!rows.p) return false;
    uint8_t* own = rows.p + width * 3;
    uint8_t* bytes = own + width;
    uint8_t* across[3] = {rows.p, rows.p + width, rows.p + width * 2};  // the most of three side by side, by y % 3
    const int32_t line = width * 3;
    for (int32_t y = 0; y <= height; ++y) {
        if (y < height) {  // row y's figures across
            const uint8_t* row = bgr + y * line;
            OwnActivity(y > 0 ? row - line : row, row, y + 1 < height ? row + line : row, width, bytes, own);
            uint8_t* to = across[y % 3];
            to[0] = own[0];
            for (int32_t x = 1; x < width; ++x) to[x] = own[x] > own[x - 1] ? own[x] : own[x - 1];
            for (int32_t x = 0; x + 1 < width; ++x) to[x] = to[x] > own[x + 1] ? to[x] : own[x + 1];
        }
        if (y == 0) continue;
        const int32_t v = y - 1;  // the row whose neighbours are known
        const uint8_t* middle = across[v % 3];
        const uint8_t* above = v > 0 ? across[(v + 2) % 3] : middle;
        const uint8_t* below = y < height ? across[y % 3] : middle;
        uint8_t* out = indexes + v * stride;
        for (int32_t x = 0; x < width; ++x) {
            uint8_t most = middle[x];
            if (above[x] > most) most = above[x];
            if (below[x] > most) most = below[x];
            out[x] = most;
        }
    }
    return true;
}

// The pixels of a bin: their weights and the weighted sums of their channels.
struct Tally {
    uint32_t weight, sum[3];
};

// The picture's colours, each counted by its pixels' weights; the colours'
// low bits dropped when more than kBins differ. A bin has its colour (the
// dropped bits clear), its tally and its mean, with an entry in the top byte
// once the palette is cut.
class Histogram {
public:
    Histogram() : slots_(kSlots), colours_(kBins), means_(kBins), tallies_(kBins) {}
    bool ready() const { return slots_.p && colours_.p && means_.p && tallies_.p; }

    // Counts the pixels, each by the weight of its activity (in indexes).
    void count(const uint8_t* bgr, int32_t width, int32_t height, const uint8_t* indexes, int32_t stride)
    {
        uint8_t weightOf[256];  // a table, as a 386 divides slowly
        for (int a = 0; a < 256; ++a) {
            int w = kSmoothWeight * kWeightHalving / (kWeightHalving + a);
            weightOf[a] = static_cast<uint8_t>(w < 1 ? 1 : w);
        }
        for (uint32_t i = 0; i < kSlots; ++i) slots_.p[i] = kEmptySlot;
        count_ = dropped_ = 0;
        kept_ = kAllBits;
        uint32_t last = ~0u;  // the colour of the pixel before, and its tally
        Tally* tally = tallies_.p;
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t* activity = indexes + y * stride;
            const uint8_t* p = bgr + y * width * 3;
            for (int32_t x = 0; x < width; ++x, p += 3) {
                const uint32_t weight = weightOf[activity[x]];
                if ((Pack(p) & kept_) != last) {
                    uint32_t slot = find(last = Pack(p) & kept_);
                    if (slots_.p[slot] == kEmptySlot && count_ == kBins) {
                        coarsen();
                        slot = find(last = Pack(p) & kept_);
                    }
                    if (slots_.p[slot] == kEmptySlot) {
                        colours_.p[count_] = last;
                        tallies_.p[count_] = {0, {0, 0, 0}};
                        slots_.p[slot] = static_cast<uint16_t>(count_++);
                    }
                    tally = tallies_.p + slots_.p[slot];
                }
                tally->weight += weight;
                for (int c = 0; c < 3; ++c) tally->sum[c] += p[c] * weight;
            }
        }
        for (uint32_t i = 0; i < count_; ++i) {
            means_.p[i] = 0;
            for (int c = 0; c < 3; ++c) means_.p[i] |= tallies_.p[i].sum[c] / tallies_.p[i].weight << 8 * c;
        }
    }

    bool exact() const { return kept_ == kAllBits; }
    uint32_t count() const { return count_; }
    uint32_t* colours() { return colours_.p; }
    uint32_t* means() { return means_.p; }
    Tally* tallies() { return tallies_.p; }
    // The bin of a colour.
    uint32_t at(const uint8_t* bgr) const { return slots_.p[find(Pack(bgr) & kept_)]; }

    // Lets the memory go.
    void free()
    {
        slots_.free();
        colours_.free();
        means_.free();
        tallies_.free();
    }

private:
    // The slot of a colour, or the empty one where it would go.
    uint32_t find(uint32_t colour) const
    {
        uint32_t slot = colour * kGolden >> (32 - kSlotBits);
        while (slots_.p[slot] != kEmptySlot && colours_.p[slots_.p[slot]] != colour) slot = (slot + 1) & (kSlots - 1);
        return slot;
    }

    // Drops a channel's lowest kept bit, merging the bins that become one,
    // until one is free.
    void coarsen()
    {
        do {
            const uint32_t channel = kept_ & 0xFFu << 8 * kDropOrder[dropped_++ % 3];
            kept_ &= ~(channel & (0u - channel));
            for (uint32_t i = 0; i < kSlots; ++i) slots_.p[i] = kEmptySlot;
            uint32_t n = 0;
            for (uint32_t i = 0; i < count_; ++i) {
                const uint32_t colour = colours_.p[i] & kept_, slot = find(colour);
                if (slots_.p[slot] == kEmptySlot) {
                    slots_.p[slot] = static_cast<uint16_t>(n);
                    colours_.p[n] = colour;
                    tallies_.p[n++] = tallies_.p[i];
                    continue;
                }
                Tally& to = tallies_.p[slots_.p[slot]];
                to.weight += tallies_.p[i].weight;
                for (int c = 0; c < 3; ++c) to.sum[c] += tallies_.p[i].sum[c];
            }
            count_ = n;
        } while (count_ == kBins);
    }

    Buffer<uint16_t> slots_;
    Buffer<uint32_t> colours_, means_;
    Buffer<Tally> tallies_;
    uint32_t count_, kept_, dropped_;  // kept_: the bits of a colour that count
};

// A box of bins [begin, end), their pixel count and sums, and the cut that
// removes the most squared error: bins whose mean's channel `axis` is at most
// `cut` go to one side.
struct Box {
    uint32_t begin, end, pixels, sum[3];
    uint64_t gain;
    int axis;
    uint32_t cut;
};

// |sum|^2 / n: a box's squared error around its mean is the sum of its
// colours' squared lengths less this, so a cut gains what its halves'
// figures add up to beyond the whole box's. A channel at a time, as the
// three squares together could overflow.
uint64_t Spread(const uint32_t* sum, uint32_t pixels)
{
    if (!pixels) return 0;
    uint64_t s = 0;
    for (int c = 0; c < 3; ++c) s += static_cast<uint64_t>(sum[c]) * sum[c] / pixels;
    return s;
}

// A box's figures and its best cut across the channel along which its bins'
// means spread the most.
void Measure(Box& box, const uint32_t* means, const Tally* tallies)
{
    box.pixels = box.sum[0] = box.sum[1] = box.sum[2] = 0;
    uint64_t firsts[3] = {0, 0, 0}, squares[3] = {0, 0, 0};  // of the bins' means, weighted
    for (uint32_t i = box.begin; i < box.end; ++i) {
        const uint32_t weight = tallies[i].weight;
        box.pixels += weight;
        for (int c = 0; c < 3; ++c) {
            const uint64_t first = Channel(means[i], c) * static_cast<uint64_t>(weight);
            box.sum[c] += tallies[i].sum[c];
            firsts[c] += first;
            squares[c] += first * Channel(means[i], c);
        }
    }
    int axis = 0;
    uint64_t most = 0;
    for (int c = 0; c < 3; ++c) {
        const uint64_t spread = squares[c] - firsts[c] * firsts[c] / box.pixels;
        if (spread > most) most = spread, axis = c;
    }
    box.gain = 0;
    box.axis = -1;
    if (!most) return;
    uint32_t bucket[256][4];  // pixels, then sums of the three channels
    for (uint32_t v = 0; v < 256; ++v) bucket[v][0] = bucket[v][1] = bucket[v][2] = bucket[v][3] = 0;
    uint32_t low = 255, high = 0;
    for (uint32_t i = box.begin; i < box.end; ++i) {
        const uint32_t v = Channel(means[i], axis);
        uint32_t* b = bucket[v];
        b[0] += tallies[i].weight;
        for (int c = 0; c < 3; ++c) b[c + 1] += tallies[i].sum[c];
        if (v < low) low = v;
        if (v > high) high = v;
    }
    const uint64_t whole = Spread(box.sum, box.pixels);
    uint32_t left[4] = {}, right[3];
    for (uint32_t v = low; v < high; ++v) {
        if (!bucket[v][0]) continue;
        for (int k = 0; k < 4; ++k) left[k] += bucket[v][k];
        for (int c = 0; c < 3; ++c) right[c] = box.sum[c] - left[c + 1];
        const uint64_t split = Spread(left + 1, left[0]) + Spread(right, box.pixels - left[0]);
        if (split > whole && split - whole > box.gain) {
            box.gain = split - whole;
            box.axis = axis;
            box.cut = v;
        }
    }
}

// Cuts the boxes with the largest gain first, up to `most`, and gives each
// its bins' mean; returns how many there are. Each bin's mean carries its
// box in its top byte.
uint32_t CutBoxes(Histogram& histogram, Box* boxes, uint32_t most, uint8_t* palette)
{
    uint32_t* colours = histogram.colours();
    uint32_t* means = histogram.means();
    Tally* tallies = histogram.tallies();
    boxes[0].begin = 0;
    boxes[0].end = histogram.count();
    Measure(boxes[0], means, tallies);
    uint32_t n = 1;
    while (n < most) {
        Box* best = nullptr;
        for (uint32_t i = 0; i < n; ++i)
            if (boxes[i].axis >= 0 && (!best || boxes[i].gain > best->gain)) best = &boxes[i];
        if (!best) break;
        uint32_t i = best->begin, j = best->end;
        while (i < j) {
            if (Channel(means[i], best->axis) <= best->cut) {
                ++i;
                continue;
            }
            --j;
            const uint32_t colour = colours[i], mean = means[i];
            const Tally tally = tallies[i];
            colours[i] = colours[j], means[i] = means[j], tallies[i] = tallies[j];
            colours[j] = colour, means[j] = mean, tallies[j] = tally;
        }
        boxes[n].begin = i;
        boxes[n].end = best->end;
        best->end = i;
        Measure(*best, means, tallies);
        Measure(boxes[n++], means, tallies);
    }
    for (uint32_t b = 0; b < n; ++b) {
        for (uint32_t i = boxes[b].begin; i < boxes[b].end; ++i) means[i] |= b << 24;
        for (int c = 0; c < 3; ++c)
            palette[b * 4 + c] = static_cast<uint8_t>((boxes[b].sum[c] + boxes[b].pixels / 2) / boxes[b].pixels);
    }
    return n;
}

// The squared distance from a colour to the nearest colour of the box lo..hi.
int32_t Apart(const uint8_t* bgr, const uint8_t* lo, const uint8_t* hi)
{
    int32_t d = 0;
    for (int c = 0; c < 3; ++c) {
        const int32_t out = bgr[c] < lo[c] ? lo[c] - bgr[c] : bgr[c] > hi[c] ? bgr[c] - hi[c] : 0;
        d += out * out;
    }
    return d;
}

// Whether entry e is nearer than entry k to some colour of the box lo..hi:
// |p - e|^2 - |p - k|^2 = (e - k)(e + k - 2p) is linear in p, least at a
// corner.
bool Beats(const uint8_t* e, const uint8_t* k, const uint8_t* lo, const uint8_t* hi)
{
    int32_t f = 0;
    for (int c = 0; c < 3; ++c) {
        const int32_t d = e[c] - k[c];
        f += d * (e[c] + k[c] - 2 * (d > 0 ? hi[c] : lo[c]));
    }
    return f < 0;
}

// The palette entry nearest a colour: the entries sorted by green, searched
// outward from the colour's green while green alone is nearer than the best
// found, starting from a guess.
class Nearest {
public:
    void use(const uint8_t* palette, uint32_t n)
    {
        n_ = n;
        uint32_t at[257] = {};  // counted by green, then where each green starts
        for (uint32_t i = 0; i < n; ++i) ++at[palette[i * 4 + 1] + 1];
        for (uint32_t v = 0; v < 256; ++v) {
            at[v + 1] += at[v];
            first_[v] = static_cast<uint16_t>(at[v]);
        }
        for (uint32_t i = 0; i < n; ++i) {
            const uint32_t k = at[palette[i * 4 + 1]]++;
            order_[k] = static_cast<uint8_t>(i);
            rank_[i] = static_cast<uint8_t>(k);
            for (int c = 0; c < 3; ++c) sorted_[k][c] = palette[i * 4 + c];
        }
    }

    uint8_t find(const uint8_t* bgr, uint32_t guess) const
    {
        int32_t best = Distance(sorted_[rank_[guess]], bgr);
        uint32_t found = guess;
        const int32_t green = bgr[1], from = first_[green];
        for (int32_t i = from; i < static_cast<int32_t>(n_); ++i) {
            const int32_t dg = sorted_[i][1] - green;
            if (dg * dg >= best) break;
            const int32_t d = Distance(sorted_[i], bgr);
            if (d < best) best = d, found = order_[i];
        }
        for (int32_t i = from - 1; i >= 0; --i) {
            const int32_t dg = sorted_[i][1] - green;
            if (dg * dg >= best) break;
            const int32_t d = Distance(sorted_[i], bgr);
            if (d < best) best = d, found = order_[i];
        }
        return static_cast<uint8_t>(found);
    }

    // The entries one of which is nearest to any colour of the box lo..hi,
    // the one nearest its middle first; returns how many.
    uint32_t candidates(const uint8_t* lo, const uint8_t* hi, uint8_t* out) const
    {
        uint8_t middle[3];
        for (int c = 0; c < 3; ++c) middle[c] = static_cast<uint8_t>((lo[c] + hi[c] + 1) / 2);
        const uint32_t own = find(middle, order_[first_[middle[1]] < n_ ? first_[middle[1]] : n_ - 1]);
        const uint8_t* k = sorted_[rank_[own]];
        int32_t reach = 0;  // the squared distance from it to the farthest corner
        for (int c = 0; c < 3; ++c) {
            const int32_t a = (lo[c] - k[c]) * (lo[c] - k[c]), b = (hi[c] - k[c]) * (hi[c] - k[c]);
            reach += a > b ? a : b;
        }
        uint32_t n = 0;
        out[n++] = static_cast<uint8_t>(own);
        for (int32_t i = first_[lo[1]]; i < static_cast<int32_t>(n_); ++i) {
            const int32_t dg = sorted_[i][1] - hi[1];
            if (dg > 0 && dg * dg >= reach) break;
            if (order_[i] != own && Beats(sorted_[i], k, lo, hi)) out[n++] = order_[i];
        }
        for (int32_t i = first_[lo[1]] - 1; i >= 0; --i) {
            const int32_t dg = lo[1] - sorted_[i][1];
            if (dg * dg >= reach) break;
            if (Beats(sorted_[i], k, lo, hi)) out[n++] = order_[i];
        }
        return n;
    }

    // The squared distance from each entry to its nearest entry of another colour.
    void spacing(int32_t* out) const
    {
        for (uint32_t k = 0; k < n_; ++k) {
            int32_t best = kFarthest + 1;
            for (int dir = -1; dir <= 1; dir += 2)
                for (int32_t i = static_cast<int32_t>(k) + dir; i >= 0 && i < static_cast<int32_t>(n_); i += dir) {
                    const int32_t dg = sorted_[i][1] - sorted_[k][1];
                    if (dg * dg >= best) break;
                    const int32_t d = Distance(sorted_[i], sorted_[k]);
                    if (d && d < best) best = d;
                }
            out[order_[k]] = best > kFarthest ? kFarthest : best;
        }
    }

private:
    uint32_t n_;
    uint16_t first_[256];                               // the first sorted entry of each green or more
    uint8_t order_[kMostEntries], rank_[kMostEntries];  // entry of each place, place of each entry
    uint8_t sorted_[kMostEntries][4];
};

// One refinement pass: each bin goes to the entry nearest its mean, from
// the one it had, and each entry moves to the mean of its bins.
void Refine(Histogram& histogram, uint8_t* palette, uint32_t n, Nearest& nearest, Box* sums)
{
    uint32_t* means = histogram.means();
    const Tally* tallies = histogram.tallies();
    nearest.use(palette, n);
    int32_t spacing[kMostEntries] = {};  // entries past the palette's own are never chosen
    nearest.spacing(spacing);
    for (uint32_t i = 0; i < n; ++i) sums[i].pixels = sums[i].sum[0] = sums[i].sum[1] = sums[i].sum[2] = 0;
    for (uint32_t k = 0; k < histogram.count(); ++k) {
        uint8_t mean[3];
        for (int c = 0; c < 3; ++c) mean[c] = static_cast<uint8_t>(Channel(means[k], c));
        uint32_t entry = means[k] >> 24;
        // Nearer an entry than half its spacing, a colour has no nearer one.
        if (4 * Distance(palette + entry * 4, mean) >= spacing[entry]) entry = nearest.find(mean, entry);
        means[k] = (means[k] & kAllBits) | entry << 24;
        Box& to = sums[entry];
        to.pixels += tallies[k].weight;
        for (int c = 0; c < 3; ++c) to.sum[c] += tallies[k].sum[c];
    }
    for (uint32_t i = 0; i < n; ++i)
        for (int c = 0; sums[i].pixels && c < 3; ++c)
            palette[i * 4 + c] = static_cast<uint8_t>((sums[i].sum[c] + sums[i].pixels / 2) / sums[i].pixels);
}

// The cells of fewer than `bits` a channel, from kTopBits: where those of
// `bits` begin in ColourMap.
constexpr uint32_t CellsBefore(int bits)
{
    return bits > kTopBits ? CellsBefore(bits - 1) + (1u << 3 * (bits - 1)) : 0;
}

// For each cell of colours sharing their top bits, the entries one of which
// is nearest to any colour in it, found when first asked: for a cell of
// kTopBits a channel from the whole palette, for one of a bit more from the
// cell holding it, down to kCellBits, the cells the diffusion asks. A cell
// holds 0 until found, its lone entry + kLone, or the place in the pool of
// its node: the count of its entries, then the entries, each with its
// squared distance from the cell (at most kNear) in the high byte, the one
// nearest the middle first (as if 0 away), the others nearer the cell
// first, then kEnd. A full pool is emptied and the cells found again.
class ColourMap {
public:
    ColourMap() : cells_(kAllCells), pool_(kPool) {}
    bool ready() const { return cells_.p && pool_.p; }

    void use(const uint8_t* palette, const Nearest* nearest)
    {
        palette_ = palette;
        nearest_ = nearest;
        for (uint32_t i = 0; i < kMostEntries; ++i) norms_[i] = Distance(palette + i * 4, kBlack);
        clear();
    }

    // The entry nearest a colour: no entry at least as far from its cell as
    // the best found so far from the colour is nearer.
    uint8_t nearest(const uint8_t* bgr)
    {
        uint32_t value = cells_.p[Place(bgr, kCellBits)];
        if (!value) value = find(bgr);
        if (value >= kLone) return static_cast<uint8_t>(value - kLone);
        const uint16_t* item = pool_.p + value + 1;
        uint32_t found = *item;
        int32_t best = Distance(palette_ + found * 4, bgr);
        for (uint32_t limit = Limit(best); *++item < limit;) {
            const uint32_t e = *item & 0xFF;
            const int32_t d = Distance(palette_ + e * 4, bgr);
            if (d < best) best = d, found = e, limit = Limit(d);
        }
        return static_cast<uint8_t>(found);
    }

private:
    static constexpr uint32_t kLone = 0xFF00, kEnd = 0xFFFF, kNear = 254;
    static constexpr uint32_t kAllCells = CellsBefore(kCellBits + 1);
    static_assert(kPool <= kLone, "a node's place must not read as a lone entry");

    static uint32_t Place(const uint8_t* bgr, int bits)
    {
        const int drop = 8 - bits;
        return CellsBefore(bits) + (bgr[0] >> drop | bgr[1] >> drop << bits | bgr[2] >> drop << 2 * bits);
    }
    // The items of a list below this are no farther from their cell than d.
    static uint32_t Limit(int32_t d) { return d <= static_cast<int32_t>(kNear) ? static_cast<uint32_t>(d) << 8 : kEnd; }

    void clear()
    {
        for (uint32_t i = 0; i < kAllCells; ++i) cells_.p[i] = 0;
        used_ = 1;
    }

    // The finest cell's value, found with the cells holding it.
    uint32_t find(const uint8_t* bgr)
    {
        for (;; clear()) {  // until the pool holds them
            uint32_t value = 0;
            int bits = kTopBits;
            for (; bits <= kCellBits; ++bits) {
                uint16_t& cell = cells_.p[Place(bgr, bits)];
                if (!cell) cell = value >= kLone ? static_cast<uint16_t>(value) : fill(value, bgr, bits);
                if (!cell) break;
                value = cell;
            }
            if (bits > kCellBits) return value;
        }
    }

    // The cell of `bits` holding a colour, from the node of the cell holding
    // it (0 at kTopBits: the whole palette); its value, or 0 when the pool is
    // full.
    uint16_t fill(uint32_t parent, const uint8_t* bgr, int bits)
    {
        uint8_t lo[3], hi[3], middle[3], entries[kMostEntries];
        for (int c = 0; c < 3; ++c) {
            lo[c] = static_cast<uint8_t>(bgr[c] & (0xFF00 >> bits));
            hi[c] = static_cast<uint8_t>(lo[c] | 0xFF >> bits);
            middle[c] = static_cast<uint8_t>((lo[c] + hi[c] + 1) / 2);
        }
        uint32_t n = 0;
        if (!parent) {
            n = nearest_->candidates(lo, hi, entries);
        } else {  // the parent's entries that beat the one nearest the middle somewhere
            const uint16_t* from = pool_.p + parent + 1;
            uint32_t own = *from & 0xFF;
            int32_t best = Distance(palette_ + own * 4, middle);
            for (const uint16_t* item = from + 1; *item != kEnd; ++item) {
                const int32_t d = Distance(palette_ + (*item & 0xFF) * 4, middle);
                if (d < best) best = d, own = *item & 0xFF;
            }
            entries[n++] = static_cast<uint8_t>(own);
            // As in Beats: e is nearer than k to a colour p where |e|^2 -
            // |k|^2 < 2 p.(e - k), largest at a corner.
            const uint8_t* k = palette_ + own * 4;
            for (const uint16_t* item = from; *item != kEnd; ++item) {
                const uint32_t e = *item & 0xFF;
                const uint8_t* p = palette_ + e * 4;
                int32_t reach = 0;
                for (int c = 0; c < 3; ++c) {
                    const int32_t d = p[c] - k[c];
                    reach += d * (d > 0 ? hi[c] : lo[c]);
                }
                if (2 * reach > norms_[e] - norms_[own]) entries[n++] = static_cast<uint8_t>(e);
            }
        }
        if (n == 1) return static_cast<uint16_t>(kLone + entries[0]);
        if (used_ + n + 2 > kPool) return 0;
        uint16_t* node = pool_.p + used_;
        node[0] = static_cast<uint16_t>(n);
        uint16_t* list = node + 1;
        list[0] = entries[0];
        for (uint32_t i = 1; i < n; ++i) {
            const int32_t apart = Apart(palette_ + entries[i] * 4, lo, hi);
            const uint16_t item =
                static_cast<uint16_t>((apart < static_cast<int32_t>(kNear) ? apart : kNear) << 8 | entries[i]);
            uint32_t j = i;
            for (; j > 1 && list[j - 1] > item; --j) list[j] = list[j - 1];
            list[j] = item;
        }
        list[n] = kEnd;
        const uint32_t at = used_;
        used_ += n + 2;
        return static_cast<uint16_t>(at);
    }

    Buffer<uint16_t> cells_, pool_;
    uint32_t used_;
    int32_t norms_[kMostEntries];  // each entry's squared length
    const uint8_t* palette_;
    const Nearest* nearest_;
};

// The diffusion's row of errors and its cache of colours, each colour
// shifted left 8 with its entry. Colour 0 belongs in slot 0, so slot 0
// starts with colour 1 and the others with colour 0: no slot holds a colour
// it has not been given.
struct Scratch {
    explicit Scratch(int32_t width) : errors(static_cast<uint32_t>(width + 2) * 2), cache(kCached) {}
    bool ready() const { return errors.p && cache.p; }
    Buffer<int32_t> errors;
    Buffer<uint32_t> cache;
};
inline uint32_t CacheSlot(uint32_t colour) { return colour * kGolden >> (32 - kCachedBits); }

// Blue and green in one word, blue + green * 65536, so that one addition or
// multiplication serves both: the errors, at most 16 * 255 either way, fit
// in 16 bits each.
inline int32_t Blue(int32_t pair) { return ((pair & 0xFFFF) ^ 0x8000) - 0x8000; }
inline int32_t Green(int32_t pair, int32_t blue) { return (pair - blue) >> 16; }

// Serpentine Floyd-Steinberg with the errors in sixteenths, in one row of
// them with a pixel of margin either side: ahead of the pixel this row's,
// behind it and below it the next row's; blue and green as a pair, then
// red. The entry of each colour wanted is cached.
class Diffusion {
public:
    Diffusion(const uint8_t* palette, const int32_t* spacing, ColourMap& map, uint32_t* cache)
        : palette_(palette), spacing_(spacing), map_(map), cache_(cache)
    {
        for (int32_t a = 0; a < 256; ++a) strengthOf_[a] = 256 * kQuietActivity / (kQuietActivity + a);
        for (int32_t v = -256; v < 2 * 256; ++v)
            clampOf_[v + 256] = static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
        for (uint32_t i = 0; i < kMostEntries; ++i) {
            // Within two thirds of its spacing from the pixel, no entry is
            // nearer it than half as far again: the pixel's own nearest is
            // sought only beyond.
            near_[i] = 4 * spacing[i] / 9;
            pairOf_[i] = palette[i * 4] | palette[i * 4 + 1] << 16;
        }
        for (uint32_t i = 0; i < kCached; ++i) cache[i] = 0;
        cache[CacheSlot(0)] = 1 << 8;
    }

    // Row of `width` pixels from `in`, their activities at `out`, which get
    // their indexes, and their errors at `e`; kStep 1 goes right, -1 left.
    template <int kStep>
    void row(const uint8_t* in, uint8_t* out, int32_t* e, int32_t width)
    {
        const uint8_t* const palette = palette_;
        const uint8_t* const clamp = clampOf_ + 256;
        // This pixel's error, and the last pixel's, which the next row's
        // pixel after it gets a sixteenth of.
        int32_t aheadPair = e[0], aheadRed = e[1], underPair = 0, underRed = 0;
        e[-kStep * 2] = e[1 - kStep * 2] = 0;
        for (const uint8_t* end = in + kStep * 3 * width; in != end; in += kStep * 3, out += kStep, e += kStep * 2) {
            // Sixteenths times 256ths: 12 bits to drop.
            const int32_t strength = strengthOf_[*out], blue = Blue(aheadPair);
            const uint32_t want = clamp[in[0] + ((blue * strength + (1 << 11)) >> 12)] |
                                  clamp[in[1] + ((Green(aheadPair, blue) * strength + (1 << 11)) >> 12)] << 8 |
                                  clamp[in[2] + ((aheadRed * strength + (1 << 11)) >> 12)] << 16;
            uint32_t index = entry(want);
            const int32_t apart = Distance(palette + index * 4, in);
            if (apart > near_[index]) {
                const uint32_t plain = entry(Pack(in));
                if (apart > kOwnTimes * Distance(palette + plain * 4, in) + kSpacingTimes * spacing_[plain])
                    index = plain;
            }
            *out = static_cast<uint8_t>(index);
            const int32_t pair = static_cast<int32_t>((want & 0xFF) | (want & 0xFF00) << 8) - pairOf_[index],
                          red = static_cast<int32_t>(want >> 16) - palette[index * 4 + 2];
            e[-kStep * 2] += pair * 3;
            e[1 - kStep * 2] += red * 3;
            e[0] = underPair + pair * 5;
            e[1] = underRed + red * 5;
            underPair = pair;
            underRed = red;
            aheadPair = e[kStep * 2] + pair * 7;
            aheadRed = e[1 + kStep * 2] + red * 7;
        }
    }

private:
    // The entry nearest a colour, cached.
    uint32_t entry(uint32_t colour)
    {
        uint32_t& cached = cache_[CacheSlot(colour)];
        if (cached >> 8 == colour) return cached & 0xFF;
        const uint8_t bgr[3] = {static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8),
                                static_cast<uint8_t>(colour >> 16)};
        const uint32_t found = map_.nearest(bgr);
        cached = colour << 8 | found;
        return found;
    }

    const uint8_t* palette_;
    const int32_t* spacing_;
    ColourMap& map_;
    uint32_t* cache_;
    int32_t strengthOf_[256];  // of the error diffused at each activity, in 256ths
    int32_t near_[kMostEntries], pairOf_[kMostEntries];
    // A channel plus its share of error, which is no more than a channel's
    // range either way, limited to 0..255.
    uint8_t clampOf_[3 * 256];
};

void Diffuse(const uint8_t* bgr, int32_t width, int32_t height, const uint8_t* palette, const int32_t* spacing,
             ColourMap& map, Scratch& scratch, uint8_t* indexes, int32_t stride)
{
    Diffusion diffusion(palette, spacing, map, scratch.cache.p);
    int32_t* errors = scratch.errors.p;
    for (int32_t i = 0; i < (width + 2) * 2; ++i) errors[i] = 0;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* in = bgr + y * width * 3;
        uint8_t* out = indexes + y * stride;
        if (y & 1)
            diffusion.row<-1>(in + (width - 1) * 3, out + width - 1, errors + width * 2, width);
        else
            diffusion.row<1>(in, out, errors + 2, width);
    }
}

// A picture of few colours: the palette holds them ascending, each pixel
// the index of its own.
void KeepColours(const uint8_t* bgr, int32_t width, int32_t height, Histogram& histogram, uint8_t* palette,
                 uint8_t* indexes, int32_t stride)
{
    const uint32_t* colours = histogram.colours();
    const uint32_t n = histogram.count();
    uint8_t rank[kMostEntries];
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t below = 0;
        for (uint32_t j = 0; j < n; ++j) below += colours[j] < colours[i];
        rank[i] = static_cast<uint8_t>(below);
        for (int c = 0; c < 3; ++c) palette[below * 4 + c] = static_cast<uint8_t>(Channel(colours[i], c));
    }
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) indexes[y * stride + x] = rank[histogram.at(bgr + (y * width + x) * 3)];
}
}

Quantised Quantise(const uint8_t* bgr, int32_t width, int32_t height, uint8_t* palette, uint8_t* indexes,
                   int32_t stride, uint32_t entries)
{
    for (uint32_t i = 0; i < 1024; ++i) palette[i] = 0;
    if (!ActivityMap(bgr, width, height, indexes, stride)) return Quantised::OutOfMemory;
    Histogram histogram;
    if (!histogram.ready()) return Quantised::OutOfMemory;
    histogram.count(bgr, width, height, indexes, stride);
    if (histogram.exact() && histogram.count() <= entries) {
        KeepColours(bgr, width, height, histogram, palette, indexes, stride);
        return Quantised::Exact;
    }
    Nearest nearest;
    uint32_t n = 0;
    {
        Buffer<Box> boxes(kMostEntries);
        if (!boxes.p) return Quantised::OutOfMemory;
        n = CutBoxes(histogram, boxes.p, entries, palette);
        for (int pass = 0; pass < kRefinements; ++pass) Refine(histogram, palette, n, nearest, boxes.p);
    }
    histogram.free();
    nearest.use(palette, n);
    int32_t spacing[kMostEntries] = {};  // entries past the palette's own are never chosen
    nearest.spacing(spacing);
    ColourMap map;
    Scratch scratch(width);
    if (!map.ready() || !scratch.ready()) return Quantised::OutOfMemory;
    map.use(palette, &nearest);
    Diffuse(bgr, width, height, palette, spacing, map, scratch, indexes, stride);
    return Quantised::Diffused;
}
