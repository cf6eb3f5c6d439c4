// How faithfully a 320x400 logo survives the shrink to its 96x60 preview:
// PSNR of the area average and of plain nearest-pixel stretching against an
// exact (floating-point) area average, and the time of one preview run of
// three slots against the fake platform.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bitmaps.h"
#include "fake_platform.h"
#include "main.h"
#include "picture/area_average.h"
#include "ui/main_window/previews.h"

namespace {
constexpr int kW = 320, kH = 400, kDW = 96, kDH = 60;
using Image = std::vector<double>;  // kW*kH*3, 0..255

Image Make(const std::function<void(int, int, double*)>& pixel)
{
    Image img(kW * kH * 3);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) pixel(x, y, &img[(y * kW + x) * 3]);
    return img;
}

// A 5x7 pixel font for a few capitals, drawn small like text on a logo.
const char* Glyph(char c)
{
    switch (c) {
    case 'P': return "11110100011000111110100001000010000";
    case 'L': return "10000100001000010000100001000011111";
    case 'U': return "10001100011000110001100011000101110";
    case 'M': return "10001110111010110001100011000110001";
    case 'W': return "10001100011000110101101011101110001";
    case 'I': return "01110001000010000100001000010001110";
    case 'C': return "01110100011000010000100001000101110";
    case 'K': return "10001100101010011000101001001010001";
    default: return "00000000000000000000000000000000000";
    }
}

Image TextPicture()
{
    Image img(kW * kH * 3, 255.0);
    const std::string line = "PLUMWICK PLUMWICK PLUMWICK PLUMWICK PLUMWICK PLUMWICK";
    for (int row = 0; row * 10 + 7 < kH; ++row)
        for (size_t i = 0; i < line.size() && i * 6 + 5 < static_cast<size_t>(kW); ++i) {
            const char* g = Glyph(line[(i + row) % line.size()]);
            for (int gy = 0; gy < 7; ++gy)
                for (int gx = 0; gx < 5; ++gx)
                    if (g[gy * 5 + gx] == '1')
                        for (int c = 0; c < 3; ++c) img[((row * 10 + gy) * kW + i * 6 + gx) * 3 + c] = c == 2 ? 120 : 0;
        }
    return img;
}

Image Exact(const Image& src)
{
    Image out(kDW * kDH * 3, 0.0);
    double sx = double(kW) / kDW, sy = double(kH) / kDH;
    for (int dy = 0; dy < kDH; ++dy)
        for (int dx = 0; dx < kDW; ++dx)
            for (int y = 0; y < kH; ++y) {
                double wy = std::max(0.0, std::min(y + 1.0, (dy + 1) * sy) - std::max(double(y), dy * sy));
                if (wy <= 0) continue;
                for (int x = int(dx * sx); x < kW && x < (dx + 1) * sx + 1; ++x) {
                    double wx = std::max(0.0, std::min(x + 1.0, (dx + 1) * sx) - std::max(double(x), dx * sx));
                    for (int c = 0; c < 3; ++c) out[(dy * kDW + dx) * 3 + c] += wx * wy * src[(y * kW + x) * 3 + c];
                }
            }
    for (double& v : out) v /= sx * sy;
    return out;
}

std::vector<uint8_t> Bytes(const Image& img)
{
    std::vector<uint8_t> b(img.size());
    for (size_t i = 0; i < img.size(); ++i) b[i] = static_cast<uint8_t>(std::lround(img[i]));
    return b;
}

std::vector<uint8_t> Ours(const Image& src)
{
    std::vector<uint8_t> bytes = Bytes(src), out(kDW * kDH * 3);
    AreaAverage average(kW, kH, kDW, kDH, false, out.data(), kDW * 3);
    for (int y = 0; y < kH; ++y) average.add(&bytes[y * kW * 3], kW), average.endRow();
    return out;
}

std::vector<uint8_t> Nearest(const Image& src)
{
    std::vector<uint8_t> bytes = Bytes(src), out(kDW * kDH * 3);
    for (int y = 0; y < kDH; ++y)
        for (int x = 0; x < kDW; ++x)
            for (int c = 0; c < 3; ++c)
                out[(y * kDW + x) * 3 + c] = bytes[((y * kH / kDH) * kW + x * kW / kDW) * 3 + c];
    return out;
}

double Psnr(const std::vector<uint8_t>& got, const Image& reference)
{
    double mse = 0;
    for (size_t i = 0; i < got.size(); ++i) mse += (got[i] - reference[i]) * (got[i] - reference[i]);
    mse /= got.size();
    return mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
}

double MedianRunMs(int runs)
{
    FakePlatform p;
    p.addFile("C:\\WINDOWS\\logow.sys",
              Picture24(kW, kH, [](int32_t x, int32_t y) { return uint32_t(x * 7 + y * 3); }));
    p.addFile("C:\\WINDOWS\\logos.sys", Picture24(kW, kH, [](int32_t x, int32_t y) { return uint32_t(x ^ y); }));
    p.addFile("C:\\PLUMWICK\\DfltLogo.sys", Picture24(kW, kH, [](int32_t x, int32_t) { return uint32_t(x) << 8; }));
    p.addFile("C:\\logo.sys", Picture24(kW, kH, [](int32_t, int32_t y) { return uint32_t(y) << 16; }));
    Tool t(p, p);
    try {
        Main(t);
    } catch (const FakeEnded&) {
        return NAN;
    }
    const char* paths[] = {"C:\\logo.sys", "C:\\WINDOWS\\logow.sys", "C:\\WINDOWS\\logos.sys"};
    MainWindow& window = *static_cast<MainWindow*>(p.forms.back().events);
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        for (int slot = 0; slot < 3; ++slot) (void)PreviewFile(window, slot, paths[slot]);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}
}

int main()
{
    struct Case {
        const char* name;
        Image image;
    } cases[] = {
        {"stripes", Make([](int x, int y, double* p) {
             double v = (y % 4 == 0 || x % 5 == 0) ? 0 : 255;
             p[0] = p[1] = p[2] = v;
         })},
        {"text", TextPicture()},
        {"gradient", Make([](int x, int y, double* p) {
             p[0] = 127.5 + 127.5 * std::sin(x / 23.0) * std::cos(y / 31.0);
             p[1] = 255.0 * y / (kH - 1);
             p[2] = 255.0 * x / (kW - 1);
         })},
    };
    std::printf("%-10s %14s %14s\n", "picture", "area average", "nearest pixel");
    for (const Case& c : cases) {
        Image reference = Exact(c.image);
        std::printf("%-10s %11.1f dB %11.1f dB\n", c.name, Psnr(Ours(c.image), reference),
                    Psnr(Nearest(c.image), reference));
    }
    std::printf("one preview run of three 320x400 slots (fake platform, median of 50): %.2f ms\n", MedianRunMs(50));
    return 0;
}
