#!/usr/bin/python3
"""Draws Plumwick's own pictures: the logos, the help window's samples, the icon.

    gen_pictures.py [--out DIR] [--maker PROGRAM]      (DIR: src/resources)

The screens are drawn here in 24 bits and given their 256 colours by the tool's
own converter, PROGRAM: native/picture_maker in the build folder (BUILD_DIR or
build/), which tools/build.sh builds. The drawing is integer arithmetic, so the
files come out byte for byte the same on every machine.
"""

import argparse
import os
import struct
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MAKER = os.path.join(ROOT, os.environ.get("BUILD_DIR") or "build", "native", "picture_maker")
SCREEN_W, SCREEN_H = 640, 400
# The help window's samples: the start-up screen as drawn, and squeezed to
# half its width as a logo stores it.
WIDE_SAMPLE, SQUEEZED_SAMPLE = (96, 60), (48, 60)


class Rng:
    """xorshift32; our own so the clouds never move between Python versions."""

    def __init__(self, seed):
        self.state = seed

    def range(self, lo, hi):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return lo + x % (hi - lo + 1)


SIN_ONE = 4096


def isin(deg16):
    """sin() of an angle in 1/16 degrees, scaled by SIN_ONE (Bhaskara's formula)."""
    d, sign = (deg16 % 5760, 1) if deg16 % 5760 < 2880 else (deg16 % 5760 - 2880, -1)
    p = d * (2880 - d)
    return sign * (4 * p * SIN_ONE) // (40500 * 256 - p)


def lerp_rgb(c0, c1, t, one):
    return tuple(a + (b - a) * t // one for a, b in zip(c0, c1))


# 5x7 glyphs, only what our texts need.
FONT = {
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "c": [".....", ".....", ".###.", "#....", "#....", "#...#", ".###."],
    "d": ["....#", "....#", ".##.#", "#..##", "#...#", "#...#", ".####"],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "f": ["..##.", ".#..#", ".#...", "###..", ".#...", ".#...", ".#..."],
    "h": ["#....", "#....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    "i": ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    "k": ["#....", "#....", "#..#.", "#.#..", "##...", "#.#..", "#..#."],
    "l": [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"],
    "n": [".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    "s": [".....", ".....", ".####", "#....", ".###.", "....#", "####."],
    "t": [".#...", ".#...", "###..", ".#...", ".#...", ".#..#", "..##."],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    "w": [".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
}
GLYPH_ADVANCE = 6


def text_cells(text):
    """Font pixels of a text as (column, row), in font pixel units."""
    return [(n * GLYPH_ADVANCE + col, row) for n, ch in enumerate(text)
            for row, line in enumerate(FONT[ch]) for col, bit in enumerate(line) if bit == "#"]


def centred(text, font_pixel_w):
    """The even column that centres a text on the screen."""
    return (SCREEN_W - (len(text) * GLYPH_ADVANCE - 1) * font_pixel_w) // 4 * 2


class Canvas:
    """A screen of 24-bit pixels, red, green, blue, top row first."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.rgb = bytearray(w * h * 3)

    def blend(self, x, y, c, a, one):
        """Mixes colour c over the pixel with opacity a/one (0 <= a <= one)."""
        if 0 <= x < self.w and 0 <= y < self.h:
            i = (y * self.w + x) * 3
            for k in range(3):
                self.rgb[i + k] = (self.rgb[i + k] * (one - a) + c[k] * a + one // 2) // one

    def fill_rect(self, x0, y0, x1, y1, c):
        x0, x1 = max(0, x0), min(self.w, x1)
        for y in range(max(0, y0), min(self.h, y1)):
            self.rgb[(y * self.w + x0) * 3:(y * self.w + x1) * 3] = bytes(c) * (x1 - x0)

    def bmp24_bytes(self):
        """A plain 24-bit bitmap file: blue, green, red, bottom row first."""
        stride = (self.w * 3 + 3) // 4 * 4
        out = bytearray(b"BM" + struct.pack("<IHHIIiiHHIIiiII", 54 + stride * self.h, 0, 0, 54, 40,
                                            self.w, self.h, 1, 24, 0, stride * self.h, 0, 0, 0, 0))
        for y in range(self.h - 1, -1, -1):
            row = self.rgb[y * self.w * 3:(y + 1) * self.w * 3]
            row[0::3], row[2::3] = row[2::3], row[0::3]
            out += row + bytes(stride - len(row))
        return bytes(out)


def draw_vertical_gradient(cv, stops):
    """stops: [(row, colour), ...] sorted by row; constant beyond the ends."""
    for y in range(cv.h):
        row = min(max(y, stops[0][0]), stops[-1][0])
        (y0, c0), (y1, c1) = next(pair for pair in zip(stops, stops[1:]) if row <= pair[1][0])
        cv.fill_rect(0, y, cv.w, y + 1, lerp_rgb(c0, c1, row - y0, y1 - y0))


def draw_cloud(cv, rng, cx, cy, width, strength):
    """A soft white cloud, a touch of blue-grey shade along its underside: one
    wide flat base and a few round puffs on top, the middle ones bigger."""
    puffs = [(cx, cy, width // 2, max(8, width // 9))]
    n = 3 + width // 90
    for k in range(n):
        px = cx - width // 2 + width * (2 * k + 1) // (2 * n) + rng.range(-6, 6)
        r = width // 7 + min(k, n - 1 - k) * width // 14 + rng.range(0, 6)
        puffs.append((px, cy - r // 2, r, r * 4 // 5))
    top = min(cy - ry for _, cy, _, ry in puffs)
    span = max(1, max(cy + ry for _, cy, _, ry in puffs) - top)
    alpha = {}
    for cx, cy, rx, ry in puffs:
        for y in range(cy - ry, cy + ry + 1):
            for x in range(cx - rx, cx + rx + 1):
                q = ((x - cx) ** 2 * ry * ry + (y - cy) ** 2 * rx * rx) * 256 // (rx * rx * ry * ry)
                if q < 256:
                    alpha[x, y] = max(alpha.get((x, y), 0), min(256, (256 - q) * 256 // 150))
    for (x, y), a in alpha.items():
        t = max(0, y - top - span // 3) * 256 // span
        cv.blend(x, y, lerp_rgb((255, 255, 255), (196, 212, 236), t, 256), a * strength // 256, 256)


FLAG_PANELS = ((226, 38, 30), (40, 170, 60), (30, 84, 210), (252, 200, 20))  # red, green; blue, yellow
POLE_KNOB_DARK, POLE_KNOB_LIGHT = (168, 120, 20), (255, 236, 150)


def draw_emblem(cv, fx, fy, fw, fh):
    """A four-panel flag on a pole, waving more the further it is from the pole.

    Supersampled 4x4, in eighths of a pixel, so the wavy edges stay smooth
    after shrinking."""
    amp8, gap8 = fh * 8 // 5, max(8, fw * 8 // 34)
    pole_w = max(4, fw // 22)
    pole_x, knob_r = fx - pole_w, pole_w * 3 // 2 + 1

    # a rounded grey pole reaching below the flag, a golden knob on top
    for x in range(pole_x, pole_x + pole_w):
        shade = 220 - abs((x - pole_x) * 256 // pole_w - 90) * 150 // 256
        cv.fill_rect(x, fy - knob_r, x + 1, fy + fh + fh * 2 // 3, (shade * 3 // 4, shade * 3 // 4, shade * 4 // 5))
    kx8, ky8 = (pole_x * 2 + pole_w) * 4, (fy - knob_r) * 8
    for y in range(fy - 2 * knob_r - 1, fy + 1):
        for x in range(pole_x - knob_r - 1, pole_x + pole_w + knob_r + 2):
            hits, light = 0, 0
            for dy in (8 * y + 2 * sy + 1 - ky8 for sy in range(4)):
                for dx in (8 * x + 2 * sx + 1 - kx8 for sx in range(4)):
                    if dx * dx + dy * dy < (knob_r * 8) ** 2:
                        hits += 1
                        hx, hy = dx + 3 * knob_r, dy + 3 * knob_r
                        light += max(0, 256 - (hx * hx + hy * hy) * 256 // ((knob_r * 14) ** 2))
            if hits:
                cv.blend(x, y, lerp_rgb(POLE_KNOB_DARK, POLE_KNOB_LIGHT, light // hits, 256), hits, 16)

    fw8, fh8 = fw * 8, fh * 8
    gap_lo_w8, gap_hi_w8 = fw8 // 2 - gap8 // 2, fw8 // 2 + gap8 // 2
    gap_lo_h8, gap_hi_h8 = fh8 // 2 - gap8 // 2, fh8 // 2 + gap8 // 2
    for x in range(fx, fx + fw):
        columns = []  # per subcolumn: the wave's offset, its shading by the slope (cos), the panel column
        for u8 in (8 * (x - fx) + 2 * sx + 1 for sx in range(4)):
            ang = u8 * 5760 * 5 // (fw8 * 4) - 700
            if u8 < gap_lo_w8 or u8 >= gap_hi_w8:
                columns.append((amp8 * u8 * isin(ang) // (fw8 * SIN_ONE), 256 + 70 * isin(ang + 1440) // SIN_ONE,
                                int(u8 >= gap_hi_w8)))
        for y in range(fy - fh // 3 - 2, fy + fh + fh // 3 + 2):
            sums, hits = [0, 0, 0], 0
            for y8 in (8 * y + 2 * sy + 1 for sy in range(4)):
                for off8, shade, col in columns:
                    v8 = y8 - 8 * fy - off8
                    if not (0 <= v8 < gap_lo_h8 or gap_hi_h8 <= v8 < fh8):
                        continue
                    row = int(v8 >= gap_hi_h8)
                    # a lighter sheen towards each panel's upper edge
                    edge = v8 - row * gap_hi_h8
                    sheen = 24 - min(24, edge * 24 // (fh8 // 4))
                    for k, v in enumerate(FLAG_PANELS[row * 2 + col]):
                        sums[k] += min(255, v * shade // 256 + sheen)
                    hits += 1
            if hits:
                cv.blend(x, y, tuple((s + hits // 2) // hits for s in sums), hits, 16)


def draw_text_exact(cv, text, x3, y3, px3, colour):
    """Pixel-font text whose font pixels are px3/3 canvas pixels wide.

    Positions are in thirds of a pixel; coverage is summed exactly first so
    neighbouring font pixels don't leave seams."""
    whole = 9  # thirds by thirds in a pixel
    cover = {}
    for cx, cy in text_cells(text):
        ax, ay = x3 + cx * px3, y3 + cy * px3
        bx, by = ax + px3, ay + px3
        for y in range(ay // 3, (by + 2) // 3):
            for x in range(ax // 3, (bx + 2) // 3):
                part = (min(bx, 3 * x + 3) - max(ax, 3 * x)) * (min(by, 3 * y + 3) - max(ay, 3 * y))
                cover[x, y] = cover.get((x, y), 0) + part
    for (x, y), a in cover.items():
        cv.blend(x, y, colour, min(a, whole), whole)


def draw_text_blocks(cv, text, x, y, pw, ph, colour):
    """Pixel-font text with whole-pixel font pixels pw x ph."""
    for cx, cy in text_cells(text):
        cv.fill_rect(x + cx * pw, y + cy * ph, x + cx * pw + pw, y + cy * ph + ph, colour)


def startup_screen():
    """The start-up screen: sky, clouds, emblem and name.

    The name's font pixels are exactly 20/3 screen pixels, one pixel of the
    wide sample, so the sample's text comes out sharp."""
    cv = Canvas(SCREEN_W, SCREEN_H)
    draw_vertical_gradient(cv, [(0, (40, 96, 196)), (260, (120, 178, 236)), (399, (178, 214, 246))])
    rng = Rng(0x504C554D)
    for cx, cy, w, strength in (
        (92, 76, 180, 256), (548, 52, 150, 230), (600, 236, 200, 256), (64, 300, 230, 256),
        (330, 372, 260, 200), (470, 140, 110, 190), (190, 190, 120, 170),
    ):
        draw_cloud(cv, rng, cx, cy, w, strength)
    draw_emblem(cv, 256, 72, 150, 110)
    # the name at column 25, row 41 of the wide sample, a shadow one pixel down and right
    sample_px3 = SCREEN_W * 3 // WIDE_SAMPLE[0]
    tx3, ty3 = 25 * sample_px3, 41 * sample_px3
    draw_text_exact(cv, "Plumwick", tx3 + sample_px3, ty3 + sample_px3, sample_px3, (228, 238, 250))
    draw_text_exact(cv, "Plumwick", tx3, ty3, sample_px3, (20, 34, 104))
    return cv


def please_wait_screen():
    """The demo's shut-down screen: stars over a night sky, emblem, a message and progress dots."""
    cv = Canvas(SCREEN_W, SCREEN_H)
    draw_vertical_gradient(cv, [(0, (4, 6, 22)), (250, (14, 22, 64)), (399, (30, 44, 110))])
    rng = Rng(0x57414954)
    for _ in range(90):
        x, y = rng.range(0, SCREEN_W - 2), rng.range(0, 230)
        v = rng.range(110, 240)
        cv.fill_rect(x, y, x + 2, y + 2, (v, v, min(255, v + 15)))
    draw_emblem(cv, 286, 70, 76, 56)
    draw_text_blocks(cv, "Please wait", centred("Please wait", 8), 190, 8, 8, (236, 240, 255))
    draw_text_blocks(cv, "Plumwick demo", centred("Plumwick demo", 4), 270, 4, 4, (130, 160, 230))
    for k, c in enumerate(((60, 80, 150), (250, 200, 40), (60, 80, 150))):  # the middle one lit
        cv.fill_rect(292 + k * 22, 320, 304 + k * 22, 332, c)
    return cv


def switch_off_screen():
    """The demo's switch-off screen: a sunset, a power symbol and a message."""
    cv = Canvas(SCREEN_W, SCREEN_H)
    draw_vertical_gradient(cv, [(0, (120, 24, 16)), (200, (222, 100, 30)),
                                (300, (250, 170, 60)), (399, (255, 214, 120))])
    # a low sun behind the text, a soft disc
    sx, sy, r = 320, 300, 150
    for y in range(sy - r, SCREEN_H):
        for x in range(sx - r, sx + r):
            d = (x - sx) ** 2 + (y - sy) ** 2
            if d < r * r:
                cv.blend(x, y, (255, 236, 170), min(256, (r * r - d) * 256 // (r * r // 5)) * 3 // 5, 256)
    msg, text_colour = "You can switch off", (255, 250, 230)
    draw_text_blocks(cv, msg, centred(msg, 4) + 4, 134, 4, 6, (70, 10, 10))
    draw_text_blocks(cv, msg, centred(msg, 4), 130, 4, 6, text_colour)
    draw_text_blocks(cv, "Plumwick demo", centred("Plumwick demo", 4), 220, 4, 4, (110, 30, 20))
    # the power symbol: a ring open at the top, a bar through the opening
    px, py, pr = 320, 80, 26
    for y in range(py - pr - 2, py + pr + 3):
        for x in range(px - pr - 2, px + pr + 3):
            d = (x - px) ** 2 + (y - py) ** 2
            ring = (pr - 6) ** 2 <= d < pr * pr and not (y < py and abs(x - px) < 10)
            if ring or (abs(x - px) < 4 and y <= py):
                cv.fill_rect(x, y, x + 1, y + 1, text_colour)
    return cv


# Windows' 16 standard colours, in their usual order
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
RED, GREEN, YELLOW, PURPLE, GREY, WHITE = 9, 10, 11, 5, 8, 15
ICON_SIZE = 32

ICON_L = ["####........"] * 10 + ["############"] * 4
ICON_O = [
    "..#########..", ".###########.", "#############", "#############", "####.....####", "####.....####",
    "####.....####", "#############", "#############", ".###########.", "..#########..",
]
ICON_G = [
    "..##########.", ".############", "#############", "#############", "####.........",
    "####.........", "####...######", "####...######", "####...######", "####...######",
    "####.....####", "#############", ".############", "..###########",
]


def ico_bytes():
    """The icon: the letters L, o, G, o, two rows of two, white with a coloured
    edge and a grey shadow. One image, 32x32, 4 bits, then the AND mask."""

    def body(rows, x0, y0):
        return {(x0 + x, y0 + y) for y, line in enumerate(rows) for x, ch in enumerate(line) if ch == "#"}

    shapes = [(body(ICON_L, 1, 0), RED), (body(ICON_O, 17, 3), YELLOW),
              (body(ICON_G, 1, 16), GREEN), (body(ICON_O, 17, 19), PURPLE)]
    px = [[None] * ICON_SIZE for _ in range(ICON_SIZE)]  # None where transparent
    for shape, _ in shapes:
        for x, y in shape:
            for d in (1, 2):
                if x + d < ICON_SIZE and y + d < ICON_SIZE:
                    px[y + d][x + d] = GREY
    for shape, colour in shapes:
        for x, y in shape:
            edge = any((x + dx, y + dy) not in shape for dx in (-1, 0, 1) for dy in (-1, 0, 1))
            px[y][x] = colour if edge else WHITE

    xor_stride, and_stride = ICON_SIZE // 2, ICON_SIZE // 8
    image_size = (xor_stride + and_stride) * ICON_SIZE
    out = bytearray(struct.pack("<HHH", 0, 1, 1))
    out += struct.pack("<BBBBHHII", ICON_SIZE, ICON_SIZE, 16, 0, 1, 4, 40 + 16 * 4 + image_size, 22)
    out += struct.pack("<IiiHHIIiiII", 40, ICON_SIZE, 2 * ICON_SIZE, 1, 4, 0, image_size, 0, 0, 16, 0)
    out += b"".join(bytes((b, g, r, 0)) for r, g, b in VGA16)
    for y in range(ICON_SIZE - 1, -1, -1):
        row = [c or 0 for c in px[y]]
        out += bytes((row[x] << 4) | row[x + 1] for x in range(0, ICON_SIZE, 2))
    for y in range(ICON_SIZE - 1, -1, -1):  # 1 where transparent
        out += sum((px[y][x] is None) << (ICON_SIZE - 1 - x) for x in range(ICON_SIZE)).to_bytes(and_stride, "big")
    return bytes(out)


# What the tool's converter makes of each screen: a logo, or a sample of a size.
CONVERTED = [
    ("DfltLogo.sys", startup_screen, "logo"),
    ("demo/logow.sys", please_wait_screen, "logo"),
    ("demo/logos.sys", switch_off_screen, "logo"),
    ("wide_sample.bmp", startup_screen, "palette", *WIDE_SAMPLE),
    ("squeezed_sample.bmp", startup_screen, "palette", *SQUEEZED_SAMPLE),
]


def make_pictures(maker, out):
    """Writes every picture into the folder out; yields each one's name and path."""
    os.makedirs(os.path.join(out, "demo"), exist_ok=True)
    with tempfile.TemporaryDirectory() as drawn:
        for name, screen, *job in CONVERTED:
            source, target = os.path.join(drawn, screen.__name__ + ".bmp"), os.path.join(out, *name.split("/"))
            if not os.path.exists(source):
                with open(source, "wb") as f:
                    f.write(screen().bmp24_bytes())
            if subprocess.run([maker, job[0], source, target, *map(str, job[1:])]).returncode:
                sys.exit(f"{maker} could not make {name}")
            yield name, target
    with open(os.path.join(out, "plumwick.ico"), "wb") as f:
        f.write(ico_bytes())
    yield "plumwick.ico", f.name


def main(argv=None):
    ap = argparse.ArgumentParser(description="Draw Plumwick's pictures.")
    ap.add_argument("--out", default=os.path.join(ROOT, "src", "resources"), help="output folder (src/resources)")
    ap.add_argument("--maker", default=MAKER, help="the native converter (build/native/picture_maker)")
    args = ap.parse_args(argv)
    if not os.access(args.maker, os.X_OK):
        sys.exit(f"{args.maker} is missing: build it with tools/build.sh")
    for name, path in make_pictures(args.maker, args.out):
        print(f"{name}: {os.path.getsize(path)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
