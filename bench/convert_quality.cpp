// How faithful a converted logo is. Pictures made here (1024x768: photo-like,
// a gradient, and a stress case) and any photographs named on the command
// line (24-bit bitmaps) are resampled to 320x400 with the area average; our
// 256-colour logo, ImageMagick's Floyd-Steinberg reduction and pngquant's
// (libimagequant) of that same resample are compared with it: PSNR, PSNR
// after a 3x3 box blur of both (what the eye sees from a little away) and
// the largest colour distance of any pixel. Also the native time of one
// conversion. Usage: convert_quality <work folder> [photo.bmp ...]; the
// folder gets the sources (photo.bmp, ...), the resamples and the logos
// (*_logo.sys).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "picture/area_average.h"
#include "picture/make_logo.h"
#include "picture/scaled_picture.h"

namespace {
using Bytes = std::vector<uint8_t>;
constexpr int kW = 1024, kH = 768;

// Smooth pseudo-random noise in 0..1, several octaves.
double Hash(int x, int y, int seed)
{
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}
double Noise(double x, double y, int seed)
{
    double sum = 0, amp = 0.5;
    for (int o = 0; o < 5; ++o, x *= 2, y *= 2, amp /= 2) {
        int ix = int(std::floor(x)), iy = int(std::floor(y));
        double fx = x - ix, fy = y - iy;
        fx = fx * fx * (3 - 2 * fx);
        fy = fy * fy * (3 - 2 * fy);
        double a = Hash(ix, iy, seed + o) + (Hash(ix + 1, iy, seed + o) - Hash(ix, iy, seed + o)) * fx;
        double b = Hash(ix, iy + 1, seed + o) + (Hash(ix + 1, iy + 1, seed + o) - Hash(ix, iy + 1, seed + o)) * fx;
        sum += amp * (a + (b - a) * fy);
    }
    return sum / 0.97;
}

uint8_t Clamp(double v) { return uint8_t(std::lround(std::min(255.0, std::max(0.0, v)))); }

// Sky with clouds, a sun, hills with grass texture, a lake mirroring the
// sky, a red house with hard edges: the mix a photo has.
void Photo(int x, int y, uint8_t* p)
{
    double u = double(x) / kW, v = double(y) / kH, r, g, b;
    double hill = 0.55 + 0.08 * std::sin(u * 7) + 0.05 * Noise(u * 3, 0, 7);
    if (v < hill) {
        double cloud = std::max(0.0, Noise(u * 6, v * 10, 1) - 0.45) * 2.2;
        r = 90 + 120 * v + 200 * cloud, g = 140 + 90 * v + 190 * cloud, b = 230 - 20 * v + 60 * cloud;
        double sun = std::hypot(u - 0.75, (v - 0.2) * 0.75);
        if (sun < 0.06)
            r = 255, g = 240, b = 190;
        else if (sun < 0.12)
            r += 80 * (0.12 - sun) / 0.06, g += 60 * (0.12 - sun) / 0.06;
    } else if (v < 0.8) {
        double t = Noise(u * 40, v * 60, 3), shade = (v - hill) * 2;
        r = 50 + 60 * t - 40 * shade, g = 110 + 80 * t - 50 * shade, b = 30 + 30 * t;
        if (u > 0.2 && u < 0.35 && v > 0.6 && v < 0.75) r = 170 + 30 * t, g = 40, b = 35;  // house
        if (u > 0.24 && u < 0.28 && v > 0.66 && v < 0.75) r = 60, g = 40, b = 30;          // door
    } else {
        double ripple = 0.5 + 0.5 * std::sin(v * 300 + 8 * Noise(u * 8, v * 8, 5));
        r = 60 + 70 * (1 - v) + 25 * ripple, g = 100 + 60 * (1 - v) + 25 * ripple, b = 150 + 40 * ripple;
    }
    p[0] = Clamp(b), p[1] = Clamp(g), p[2] = Clamp(r);
}

// A sunset: deep blue at the top to orange, darker to the left.
void Gradient(int x, int y, uint8_t* p)
{
    double u = double(x) / (kW - 1), v = double(y) / (kH - 1), light = 0.55 + 0.45 * u;
    p[0] = Clamp(light * (150 - 120 * v)), p[1] = Clamp(light * (40 + 120 * v)), p[2] = Clamp(light * (30 + 225 * v));
}

// Every channel changing at once: the colours fill the whole cube, the
// hardest case for any 256-colour palette.
void Cube(int x, int y, uint8_t* p)
{
    double u = double(x) / (kW - 1), v = double(y) / (kH - 1);
    p[0] = Clamp(255 * u), p[1] = Clamp(255 * v), p[2] = Clamp(127.5 + 127.5 * std::sin(6.28 * (u + v)));
}

Bytes Bitmap24(int w, int h, const Bytes& topFirst)
{
    const uint32_t stride = RowBytes(w, 24), bits = BitmapPixelsAt(0);
    Bytes f(BitmapFileSize(w, h, 24, 0), 0);
    WriteBitmapHeader(f.data(), w, h, 24, 0);
    for (int y = 0; y < h; ++y) std::copy_n(&topFirst[size_t(y) * w * 3], w * 3, &f[bits + (h - 1 - y) * stride]);
    return f;
}

// Any bitmap as 24-bit pixels, top row first.
Bytes Pixels(const Bytes& file)
{
    MemorySource source(file.data(), uint32_t(file.size()));
    BitmapLayout l;
    if (ReadBitmapLayout(source, &l)) return {};
    Bytes out(size_t(l.width) * l.height * 3);
    return ScalePicture(source, l.width, l.height, out.data()) ? Bytes() : out;
}

double Psnr(const Bytes& a, const Bytes& b)
{
    if (a.size() != b.size() || a.empty()) return NAN;
    double mse = 0;
    for (size_t i = 0; i < a.size(); ++i) mse += double(a[i] - b[i]) * (a[i] - b[i]);
    mse /= a.size();
    return mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
}

// Each channel the mean of the 3x3 pixels around, edges repeated; as
// doubles, so that no rounding hides a difference.
std::vector<double> Blur(const Bytes& px)
{
    std::vector<double> out(px.size());
    for (int y = 0; y < kLogoHeight; ++y)
        for (int x = 0; x < kLogoWidth; ++x)
            for (int c = 0; c < 3; ++c) {
                double sum = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        int u = std::clamp(x + dx, 0, kLogoWidth - 1), v = std::clamp(y + dy, 0, kLogoHeight - 1);
                        sum += px[(size_t(v) * kLogoWidth + u) * 3 + c];
                    }
                out[(size_t(y) * kLogoWidth + x) * 3 + c] = sum / 9;
            }
    return out;
}

double BlurredPsnr(const Bytes& a, const Bytes& b)
{
    if (a.size() != b.size() || a.size() != size_t(kLogoWidth) * kLogoHeight * 3) return NAN;
    const std::vector<double> u = Blur(a), v = Blur(b);
    double mse = 0;
    for (size_t i = 0; i < u.size(); ++i) mse += (u[i] - v[i]) * (u[i] - v[i]);
    mse /= u.size();
    return mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
}

// The largest distance between a pixel's colours, in RGB units.
double MaxError(const Bytes& a, const Bytes& b)
{
    if (a.size() != b.size() || a.empty()) return NAN;
    double most = 0;
    for (size_t i = 0; i < a.size(); i += 3) {
        double d = 0;
        for (int c = 0; c < 3; ++c) d += double(a[i + c] - b[i + c]) * (a[i + c] - b[i + c]);
        most = std::max(most, d);
    }
    return std::sqrt(most);
}

Bytes Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}
void Write(const std::string& path, const Bytes& b)
{
    std::ofstream(path, std::ios::binary).write((const char*)b.data(), b.size());
}

size_t Colours(const Bytes& px)
{
    std::vector<uint32_t> c;
    for (size_t i = 0; i < px.size(); i += 3) c.push_back(px[i] | px[i + 1] << 8 | px[i + 2] << 16);
    std::sort(c.begin(), c.end());
    return size_t(std::unique(c.begin(), c.end()) - c.begin());
}

struct Figures {
    double psnr, blurred, maxError;
};
Figures Measure(const Bytes& got, const Bytes& exact)
{
    return {Psnr(got, exact), BlurredPsnr(got, exact), MaxError(got, exact)};
}

// ImageMagick's and pngquant's reductions of the resample, read back as
// pixels; empty when the tool failed.
Bytes ImageMagick(const std::string& resample, const std::string& out)
{
    const std::string command = "convert '" + resample +
                                "' -dither FloydSteinberg -colors 256 -type Palette "
                                "-compress none 'BMP3:" +
                                out + "'";
    return std::system(command.c_str()) == 0 ? Pixels(Read(out)) : Bytes();
}
Bytes Pngquant(const std::string& resample, const std::string& png, const std::string& out)
{
    const std::string command = "convert '" + resample + "' 'PNG24:" + png +
                                ".in.png' && pngquant 256 --floyd=1 "
                                "--speed 1 --force --output '" +
                                png + "' '" + png + ".in.png' && convert '" + png + "' -type TrueColor 'BMP3:" + out +
                                "'";
    return std::system(command.c_str()) == 0 ? Pixels(Read(out)) : Bytes();
}

// A picture's name without its folder, extension and "_by_" credit.
std::string ShortName(const std::string& path)
{
    std::string name = path.substr(path.find_last_of('/') + 1);
    name = name.substr(0, name.find('.'));
    return name.substr(0, name.find("_by_"));
}

// The means of a group of rows, each of ours, ImageMagick's, pngquant's.
struct Means {
    std::vector<Figures> sum = std::vector<Figures>(3, Figures{0, 0, 0});
    int rows = 0;
    void add(const Figures* f)
    {
        for (int i = 0; i < 3; ++i)
            sum[i].psnr += f[i].psnr, sum[i].blurred += f[i].blurred, sum[i].maxError += f[i].maxError;
        ++rows;
    }
};

void PrintRow(const std::string& name, const std::string& colours, const Figures* f)
{
    std::printf("%-14s %7s", name.c_str(), colours.c_str());
    for (int i = 0; i < 3; ++i) std::printf("  %6.2f %6.2f %5.1f", f[i].psnr, f[i].blurred, f[i].maxError);
    std::printf("  %+6.2f\n", f[0].psnr - f[2].psnr);
}
void PrintMeans(const char* name, const Means& m)
{
    if (!m.rows) return;
    Figures f[3];
    for (int i = 0; i < 3; ++i) f[i] = {m.sum[i].psnr / m.rows, m.sum[i].blurred / m.rows, m.sum[i].maxError / m.rows};
    PrintRow(name, "", f);
}
}

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : ".";
    struct Case {
        std::string name;
        void (*pixel)(int, int, uint8_t*);
        std::string path;
    };
    std::vector<Case> cases = {{"photo", Photo, ""}, {"gradient", Gradient, ""}, {"cube", Cube, ""}};
    for (int i = 2; i < argc; ++i) cases.push_back({ShortName(argv[i]), nullptr, argv[i]});
    std::printf(
        "PSNR, PSNR after a 3x3 box blur (dB), largest colour error of a pixel; against the exact 320x400 "
        "area average\n");
    std::printf("%-14s %7s  %-20s  %-20s  %-20s  %s\n", "picture", "colours", "ours", "ImageMagick", "pngquant",
                "ours-pq");
    std::printf("%-14s %7s", "", "");
    for (int i = 0; i < 3; ++i) std::printf("  %6s %6s %5s", "PSNR", "blur", "max");
    std::printf("\n");
    Means made, photos;
    for (const Case& c : cases) {
        Bytes file, src;
        int w = kW, h = kH;
        if (c.pixel) {
            src.resize(size_t(kW) * kH * 3);
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x) c.pixel(x, y, &src[(size_t(y) * kW + x) * 3]);
            file = Bitmap24(kW, kH, src);
            Write(dir + "/" + c.name + ".bmp", file);
        } else {
            file = Read(c.path);
            src = Pixels(file);
            MemorySource source(file.data(), uint32_t(file.size()));
            BitmapLayout l;
            if (src.empty() || ReadBitmapLayout(source, &l) || l.width * 3 != l.height * 4)
                return std::printf("%s: not a 4:3 bitmap\n", c.path.c_str()), 1;
            w = l.width, h = l.height;
        }
        Bytes exact(size_t(kLogoWidth) * kLogoHeight * 3);
        AreaAverage average(w, h, kLogoWidth, kLogoHeight, false, exact.data(), kLogoWidth * 3);
        for (int y = 0; y < h; ++y) average.add(&src[size_t(y) * w * 3], uint32_t(w)), average.endRow();
        const std::string base = dir + "/" + c.name;
        Write(base + "_resample.bmp", Bitmap24(kLogoWidth, kLogoHeight, exact));

        Bytes logo(kLogoFileSize);
        MemorySource source(file.data(), uint32_t(file.size()));
        if (MakeLogo(source, logo.data())) return std::puts("conversion failed"), 1;
        Write(base + "_logo.sys", logo);
        const Figures f[3] = {Measure(Pixels(logo), exact),
                              Measure(ImageMagick(base + "_resample.bmp", base + "_im.bmp"), exact),
                              Measure(Pngquant(base + "_resample.bmp", base + "_pq.png", base + "_pq.bmp"), exact)};
        PrintRow(c.name, std::to_string(Colours(exact)), f);
        (c.pixel ? made : photos).add(f);
    }
    PrintMeans("mean, made", made);
    PrintMeans("mean, photos", photos);
    const Bytes photo = Read(dir + "/photo.bmp");
    Bytes logo(kLogoFileSize);
    std::vector<double> ms;
    for (int i = 0; i < 15; ++i) {
        auto start = std::chrono::steady_clock::now();
        MemorySource source(photo.data(), uint32_t(photo.size()));
        (void)MakeLogo(source, logo.data());
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("1024x768 24-bit photo to a logo (native, median of 15): %.1f ms\n", ms[ms.size() / 2]);
    return 0;
}
