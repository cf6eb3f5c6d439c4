#!/usr/bin/python3
"""Draws Plumwick's own pictures and writes them as BMP, logo and icon files.

    gen_pictures.py [--out DIR]      (DIR defaults to src/resources)

Everything is integer arithmetic so the files come out byte for byte the same
on every run and every machine.
"""

import argparse
import bisect
import os
import struct
import sys

SCREEN_W, SCREEN_H = 640, 400


class Rng:
    """xorshift32; our own so the clouds never move between Python versions."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF or 1

    def next(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x

    def range(self, lo, hi):
        return lo + self.next() % (hi - lo + 1)


SIN_ONE = 4096


def isin(deg16):
    """sin() of an angle in 1/16 degrees, scaled by SIN_ONE (Bhaskara's formula)."""
    d = deg16 % 5760
    sign = 1
    if d >= 2880:
        d -= 2880
        sign = -1
    p = d * (2880 - d)
    return sign * (4 * p * SIN_ONE) // (40500 * 256 - p)


def icos(deg16):
    return isin(deg16 + 1440)


def lerp(a, b, t, one):
    return a + (b - a) * t // one


def lerp_rgb(c0, c1, t, one):
    return tuple(lerp(c0[i], c1[i], t, one) for i in range(3))


# 5x7 glyphs, only what our texts need.
FONT = {
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
    ".": [".....", ".....", ".....", ".....", ".....", ".##..", ".##.."],
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
GLYPH_W, GLYPH_H, GLYPH_ADVANCE = 5, 7, 6


def text_cells(text):
    """Font pixels of a text as (column, row), in font pixel units."""
    cells = []
    for n, ch in enumerate(text):
        for row, line in enumerate(FONT[ch]):
            for col, bit in enumerate(line):
                if bit == "#":
                    cells.append((n * GLYPH_ADVANCE + col, row))
    return cells


def text_width(text):
    return len(text) * GLYPH_ADVANCE - 1


class Canvas:
    def __init__(self, w, h, colour=(0, 0, 0)):
        self.w, self.h = w, h
        self.ch = [bytearray([colour[i]]) * (w * h) for i in range(3)]

    def get(self, x, y):
        i = y * self.w + x
        return (self.ch[0][i], self.ch[1][i], self.ch[2][i])

    def put(self, x, y, c):
        i = y * self.w + x
        self.ch[0][i], self.ch[1][i], self.ch[2][i] = c

    def blend(self, x, y, c, a, one):
        """Mixes colour c over the pixel with opacity a/one."""
        if a <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        if a >= one:
            self.put(x, y, c)
            return
        i = y * self.w + x
        for k in range(3):
            old = self.ch[k][i]
            self.ch[k][i] = (old * (one - a) + c[k] * a + one // 2) // one

    def fill_rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.put(x, y, c)

    def pixels(self):
        r, g, b = self.ch
        return [(r[i], g[i], b[i]) for i in range(self.w * self.h)]


def draw_vertical_gradient(cv, stops):
    """stops: [(row, colour), ...] sorted by row; constant beyond the ends."""
    for y in range(cv.h):
        if y <= stops[0][0]:
            c = stops[0][1]
        elif y >= stops[-1][0]:
            c = stops[-1][1]
        else:
            k = 0
            while stops[k + 1][0] < y:
                k += 1
            (y0, c0), (y1, c1) = stops[k], stops[k + 1]
            c = lerp_rgb(c0, c1, y - y0, y1 - y0)
        cv.fill_rect(0, y, cv.w, y + 1, c)


def cloud_puffs(rng, cx, cy, width):
    """A flat-bottomed cloud: one wide base and a few round puffs on top."""
    puffs = [(cx, cy, width // 2, max(8, width // 9))]
    n = 3 + width // 90
    for k in range(n):
        px = cx - width // 2 + width * (2 * k + 1) // (2 * n) + rng.range(-6, 6)
        middle = min(k, n - 1 - k)
        r = width // 7 + middle * width // 14 + rng.range(0, 6)
        puffs.append((px, cy - r // 2, r, r * 4 // 5))
    return puffs


def draw_cloud(cv, puffs, strength=256):
    """Soft white cloud, a touch of blue-grey shade along its underside."""
    top = min(cy - ry for _, cy, _, ry in puffs)
    bottom = max(cy + ry for _, cy, _, ry in puffs)
    alpha = {}
    for cx, cy, rx, ry in puffs:
        rr = rx * rx * ry * ry
        for y in range(cy - ry, cy + ry + 1):
            for x in range(cx - rx, cx + rx + 1):
                q = ((x - cx) ** 2 * ry * ry + (y - cy) ** 2 * rx * rx) * 256 // rr
                if q >= 256:
                    continue
                a = min(256, (256 - q) * 256 // 150)
                if a > alpha.get((x, y), 0):
                    alpha[(x, y)] = a
    span = max(1, bottom - top)
    for (x, y), a in sorted(alpha.items()):
        t = max(0, y - top - span // 3) * 256 // span
        colour = lerp_rgb((255, 255, 255), (196, 212, 236), t, 256)
        cv.blend(x, y, colour, a * strength // 256, 256)


FLAG_RED = (226, 38, 30)
FLAG_GREEN = (40, 170, 60)
FLAG_BLUE = (30, 84, 210)
FLAG_YELLOW = (252, 200, 20)


def draw_emblem(cv, fx, fy, fw, fh):
    """A four-panel flag on a pole, waving more the further it is from the pole.

    Supersampled 4x4 so the wavy edges stay smooth after shrinking."""
    amp8 = fh * 8 // 5
    gap8 = max(8, fw * 8 // 34)
    pole_w = max(4, fw // 22)
    pole_x = fx - pole_w
    knob_r = pole_w * 3 // 2 + 1

    # pole reaching below the flag, a round knob on top
    pole_top, pole_bottom = fy - knob_r, fy + fh + fh * 2 // 3
    for y in range(pole_top, pole_bottom):
        for x in range(pole_x, pole_x + pole_w):
            t = (x - pole_x) * 256 // pole_w
            shade = 220 - abs(t - 90) * 150 // 256
            cv.put(x, y, (shade * 3 // 4, shade * 3 // 4, shade * 4 // 5))
    kx8, ky8 = (pole_x * 2 + pole_w) * 4, (fy - knob_r) * 8
    for y in range(fy - 2 * knob_r - 1, fy + 1):
        for x in range(pole_x - knob_r - 1, pole_x + pole_w + knob_r + 2):
            hits, light = 0, 0
            for sy in range(4):
                for sx in range(4):
                    dx, dy = 8 * x + 2 * sx + 1 - kx8, 8 * y + 2 * sy + 1 - ky8
                    if dx * dx + dy * dy < (knob_r * 8) ** 2:
                        hits += 1
                        hx, hy = dx + 3 * knob_r, dy + 3 * knob_r
                        light += max(0, 256 - (hx * hx + hy * hy) * 256 // ((knob_r * 14) ** 2))
            if hits:
                lt = light // hits
                c = lerp_rgb((168, 120, 20), (255, 236, 150), lt, 256)
                cv.blend(x, y, c, hits, 16)

    panels = (FLAG_RED, FLAG_GREEN, FLAG_BLUE, FLAG_YELLOW)
    fw8, fh8 = fw * 8, fh * 8
    half_w8, half_h8 = fw8 // 2, fh8 // 2
    y_lo, y_hi = fy - fh // 3 - 2, fy + fh + fh // 3 + 2
    for x in range(fx, fx + fw):
        columns = []
        for sx in range(4):
            u8 = 8 * (x - fx) + 2 * sx + 1
            ang = u8 * 5760 * 5 // (fw8 * 4) - 700
            off8 = amp8 * u8 * isin(ang) // (fw8 * SIN_ONE)
            shade = 256 + 70 * icos(ang) // SIN_ONE
            if u8 < half_w8 - gap8 // 2:
                col = 0
            elif u8 >= half_w8 + gap8 // 2:
                col = 1
            else:
                col = -1
            columns.append((off8, shade, col))
        for y in range(y_lo, y_hi):
            sums = [0, 0, 0]
            hits = 0
            for sy in range(4):
                y8 = 8 * y + 2 * sy + 1
                for off8, shade, col in columns:
                    if col < 0:
                        continue
                    v8 = y8 - 8 * fy - off8
                    if v8 < 0 or v8 >= fh8:
                        continue
                    if v8 < half_h8 - gap8 // 2:
                        row = 0
                    elif v8 >= half_h8 + gap8 // 2:
                        row = 1
                    else:
                        continue
                    base = panels[row * 2 + col]
                    # a lighter sheen towards each panel's upper edge
                    edge = v8 if row == 0 else v8 - half_h8 - gap8 // 2
                    sheen = 24 - min(24, edge * 24 // (half_h8 // 2))
                    for k in range(3):
                        sums[k] += min(255, base[k] * shade // 256 + sheen)
                    hits += 1
            if hits:
                c = tuple((s + hits // 2) // hits for s in sums)
                cv.blend(x, y, c, hits, 16)


def draw_text_exact(cv, text, x3, y3, px3, colour, one=9):
    """Pixel-font text whose font pixels are px3/3 canvas pixels wide.

    Positions are in thirds of a pixel; coverage is summed exactly first so
    neighbouring font pixels don't leave seams."""
    cover = {}
    for cx, cy in text_cells(text):
        ax, ay = x3 + cx * px3, y3 + cy * px3
        bx, by = ax + px3, ay + px3
        for y in range(ay // 3, (by + 2) // 3):
            oy = min(by, 3 * y + 3) - max(ay, 3 * y)
            for x in range(ax // 3, (bx + 2) // 3):
                ox = min(bx, 3 * x + 3) - max(ax, 3 * x)
                cover[(x, y)] = cover.get((x, y), 0) + ox * oy
    for (x, y), a in sorted(cover.items()):
        cv.blend(x, y, colour, min(a, one), one)


def draw_text_blocks(cv, text, x, y, pw, ph, colour):
    """Pixel-font text with whole-pixel font pixels pw x ph."""
    for cx, cy in text_cells(text):
        cv.fill_rect(x + cx * pw, y + cy * ph, x + cx * pw + pw, y + cy * ph + ph, colour)


def startup_screen():
    """The 640x400 start-up screen: sky, clouds, emblem and name.

    The name's font pixels are exactly 20/3 screen pixels, i.e. one pixel of
    the 15% thumbnail, so the thumbnail text comes out sharp."""
    cv = Canvas(SCREEN_W, SCREEN_H)
    draw_vertical_gradient(cv, [(0, (40, 96, 196)), (260, (120, 178, 236)), (399, (178, 214, 246))])
    rng = Rng(0x504C554D)
    for cx, cy, w, strength in (
        (92, 76, 180, 256), (548, 52, 150, 230), (600, 236, 200, 256), (64, 300, 230, 256),
        (330, 372, 260, 200), (470, 140, 110, 190), (190, 190, 120, 170),
    ):
        draw_cloud(cv, cloud_puffs(rng, cx, cy, w), strength)
    draw_emblem(cv, 256, 72, 150, 110)

    # name: 47 x 7 thumbnail pixels, at column 25 and row 40 of the 96 x 60 thumbnail
    tx, ty = 25, 41
    draw_text_exact(cv, "Plumwick", 20 * tx + 20, 20 * ty + 20, 20, (228, 238, 250))
    draw_text_exact(cv, "Plumwick", 20 * tx, 20 * ty, 20, (20, 34, 104))
    return cv


def starfield(cv, rng, count, bottom):
    for _ in range(count):
        x, y = rng.range(0, cv.w - 2), rng.range(0, bottom)
        v = rng.range(110, 240)
        cv.fill_rect(x, y, x + 2, y + 2, (v, v, min(255, v + 15)))


def please_wait_screen():
    cv = Canvas(SCREEN_W, SCREEN_H)
    draw_vertical_gradient(cv, [(0, (4, 6, 22)), (250, (14, 22, 64)), (399, (30, 44, 110))])
    starfield(cv, Rng(0x57414954), 90, 230)
    draw_emblem(cv, 286, 70, 76, 56)
    msg = "Please wait"
    draw_text_blocks(cv, msg, (SCREEN_W - text_width(msg) * 8) // 2 // 2 * 2, 190, 8, 8, (236, 240, 255))
    sub = "Plumwick demo"
    draw_text_blocks(cv, sub, (SCREEN_W - text_width(sub) * 4) // 2 // 2 * 2, 270, 4, 4, (130, 160, 230))
    # three progress dots, middle one lit
    for k, c in enumerate(((60, 80, 150), (250, 200, 40), (60, 80, 150))):
        x = 292 + k * 22
        cv.fill_rect(x, 320, x + 12, 332, c)
    return cv


def switch_off_screen():
    cv = Canvas(SCREEN_W, SCREEN_H)
    draw_vertical_gradient(cv, [(0, (120, 24, 16)), (200, (222, 100, 30)),
                                (300, (250, 170, 60)), (399, (255, 214, 120))])
    # low sun behind the text, drawn as a soft disc
    sx, sy, r = 320, 300, 150
    for y in range(sy - r, SCREEN_H):
        for x in range(sx - r, sx + r):
            d = (x - sx) ** 2 + (y - sy) ** 2
            if d < r * r:
                a = min(256, (r * r - d) * 256 // (r * r // 5))
                cv.blend(x, y, (255, 236, 170), a * 3 // 5, 256)
    msg = "You can switch off"
    draw_text_blocks(cv, msg, (SCREEN_W - text_width(msg) * 4) // 2 // 2 * 2 + 4, 134, 4, 6, (70, 10, 10))
    draw_text_blocks(cv, msg, (SCREEN_W - text_width(msg) * 4) // 2 // 2 * 2, 130, 4, 6, (255, 250, 230))
    sub = "Plumwick demo"
    draw_text_blocks(cv, sub, (SCREEN_W - text_width(sub) * 4) // 2 // 2 * 2, 220, 4, 4, (110, 30, 20))
    # a power symbol: ring with a gap at the top and a bar through it
    px, py, pr = 320, 80, 26
    for y in range(py - pr - 2, py + pr + 3):
        for x in range(px - pr - 2, px + pr + 3):
            d = (x - px) ** 2 + (y - py) ** 2
            ring = (pr - 6) ** 2 <= d < pr * pr
            gap = y < py and abs(x - px) < 10
            bar = abs(x - px) < 4 and py - pr - 2 <= y <= py
            if (ring and not gap) or bar:
                cv.put(x, y, (255, 250, 230))
    return cv


def area_average(src, ow, oh):
    """Box-filter resize; exact integer overlap weights."""
    w, h = src.w, src.h

    def spans(n_out, n_in):
        # output k covers [k*n_in, (k+1)*n_in), input i covers [i*n_out, (i+1)*n_out)
        result = []
        for k in range(n_out):
            a, b = k * n_in, (k + 1) * n_in
            part = []
            for i in range(a // n_out, (b + n_out - 1) // n_out):
                part.append((i, min(b, (i + 1) * n_out) - max(a, i * n_out)))
            result.append(part)
        return result

    xs, ys = spans(ow, w), spans(oh, h)
    total = w * h
    out = Canvas(ow, oh)
    for oy in range(oh):
        for ox in range(ow):
            acc = [0, 0, 0]
            for iy, wy in ys[oy]:
                row = iy * w
                for ix, wx in xs[ox]:
                    wgt = wx * wy
                    j = row + ix
                    acc[0] += src.ch[0][j] * wgt
                    acc[1] += src.ch[1][j] * wgt
                    acc[2] += src.ch[2][j] * wgt
            out.put(ox, oy, tuple((a + total // 2) // total for a in acc))
    return out


def to_6bit(v):
    # the boot screen's VGA DAC keeps only 6 bits per channel
    v6 = (v * 63 + 127) // 255
    return (v6 << 2) | (v6 >> 4)


class Palette:
    def __init__(self, colours):
        self.colours = list(colours)
        order = sorted(range(len(self.colours)), key=lambda i: (self.colours[i][1], i))
        self.by_g = [self.colours[i] for i in order]
        self.index_by_g = order
        self.g_keys = [c[1] for c in self.by_g]
        self.cache = {}

    def nearest(self, c):
        hit = self.cache.get(c)
        if hit is not None:
            return hit
        r, g, b = c
        n = len(self.by_g)
        start = bisect.bisect_left(self.g_keys, g)
        best, best_d = None, None
        lo, hi = start - 1, start
        while lo >= 0 or hi < n:
            for j in (hi, lo):
                if 0 <= j < n:
                    pr, pg, pb = self.by_g[j]
                    d = (pr - r) ** 2 + (pg - g) ** 2 + (pb - b) ** 2
                    k = self.index_by_g[j]
                    if best_d is None or d < best_d or (d == best_d and k < best):
                        best, best_d = k, d
            lo -= 1
            hi += 1
            far_lo = (g - self.g_keys[lo]) ** 2 if lo >= 0 else None
            far_hi = (self.g_keys[hi] - g) ** 2 if hi < n else None
            if (far_lo is None or far_lo > best_d) and (far_hi is None or far_hi > best_d):
                break
        self.cache[c] = best
        return best


def median_cut(hist, n):
    """hist: sorted [(colour, count)]. Splits by population first, then by
    size alone, so rare but distinct colours (text edges) still get entries."""
    boxes = [hist]

    def widest(box):
        best = (-1, 0)
        for k in range(3):
            vals = [c[k] for c, _ in box]
            best = max(best, (max(vals) - min(vals), -k))
        return best[0], -best[1]

    while len(boxes) < n:
        scored = []
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            rng, _ = widest(box)
            weight = sum(cnt for _, cnt in box) if len(boxes) < n // 2 else 1
            scored.append((rng * rng * weight, -i))
        if not scored:
            break
        i = -max(scored)[1]
        box = boxes[i]
        _, k = widest(box)
        box = sorted(box, key=lambda e: (e[0][k], e[0]))
        total = sum(cnt for _, cnt in box)
        run, cut = 0, 1
        for j, (_, cnt) in enumerate(box):
            run += cnt
            if 2 * run >= total:
                cut = j + 1
                break
        cut = min(max(cut, 1), len(box) - 1)
        boxes[i:i + 1] = [box[:cut], box[cut:]]
    means = []
    for box in boxes:
        total = sum(cnt for _, cnt in box)
        means.append(tuple((sum(c[k] * cnt for c, cnt in box) + total // 2) // total for k in range(3)))
    return means


def quantize(images, rounds=3):
    """One shared 256-colour palette for the given pixel lists.

    Median cut, a few k-means rounds, then 6-bit channels. Returns the
    palette (always 256 entries) and an index list per image."""
    counts = {}
    for pixels in images:
        for c in pixels:
            counts[c] = counts.get(c, 0) + 1
    hist = sorted(counts.items())
    if len(hist) <= 256:
        colours = [c for c, _ in hist]
    else:
        colours = median_cut(hist, 256)
        for _ in range(rounds):
            pal = Palette(colours)
            sums = [[0, 0, 0, 0] for _ in colours]
            for c, cnt in hist:
                s = sums[pal.nearest(c)]
                s[0] += c[0] * cnt
                s[1] += c[1] * cnt
                s[2] += c[2] * cnt
                s[3] += cnt
            colours = [tuple((s[k] + s[3] // 2) // s[3] for k in range(3)) if s[3] else colours[i]
                       for i, s in enumerate(sums)]
    colours = sorted(set(tuple(to_6bit(v) for v in c) for c in colours))
    colours += [(0, 0, 0)] * (256 - len(colours))
    pal = Palette(colours)
    return colours, [[pal.nearest(c) for c in pixels] for pixels in images]


def max_error(pixels, palette, indices):
    return max(abs(c[k] - palette[i][k]) for c, i in zip(pixels, indices) for k in range(3))


def bmp8_bytes(w, h, palette, indices):
    stride = (w + 3) // 4 * 4
    image_size = stride * h
    off = 14 + 40 + 4 * 256
    out = bytearray(b"BM")
    out += struct.pack("<IHHI", off + image_size, 0, 0, off)
    out += struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, image_size, 0, 0, 256, 0)
    for r, g, b in palette:
        out += bytes((b, g, r, 0))
    pad = bytes(stride - w)
    for y in range(h - 1, -1, -1):
        out += bytes(indices[y * w:(y + 1) * w]) + pad
    return bytes(out)


def squeeze_half(cv):
    """Halves the width by averaging pixel pairs (the OS doubles it back)."""
    out = Canvas(cv.w // 2, cv.h)
    for y in range(cv.h):
        for x in range(out.w):
            a, b = cv.get(2 * x, y), cv.get(2 * x + 1, y)
            out.put(x, y, tuple((a[k] + b[k] + 1) // 2 for k in range(3)))
    return out


BAYER4 = [0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5]


def dither_map(cv, palette, amount):
    """Nearest palette index per pixel after a 4x4 ordered dither of +-amount/2."""
    pal = Palette(palette)
    out = []
    for y in range(cv.h):
        for x in range(cv.w):
            d = (2 * BAYER4[(y & 3) * 4 + (x & 3)] - 15) * amount // 32
            out.append(pal.nearest(tuple(min(255, max(0, v + d)) for v in cv.get(x, y))))
    return out


def logo_file(screen):
    half = squeeze_half(screen)
    palette, _ = quantize([half.pixels()])
    # dithered lightly so the sky and the flag's shading don't band
    return bmp8_bytes(half.w, half.h, palette, dither_map(half, palette, LOGO_DITHER))


# Windows' 16 standard colours, in their usual order
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
RED, GREEN, YELLOW, PURPLE, GREY, WHITE = 9, 10, 11, 5, 8, 15


ICON_L = [
    "####........", "####........", "####........", "####........", "####........",
    "####........", "####........", "####........", "####........", "####........",
    "############", "############", "############", "############",
]
ICON_O = [
    "..#########..", ".###########.", "#############", "#############", "####.....####", "####.....####",
    "####.....####", "#############", "#############", ".###########.", "..#########..",
]
ICON_G = [
    "..##########.", ".############", "#############", "#############", "####.........",
    "####.........", "####...######", "####...######", "####...######", "####...######",
    "####.....####", "#############", ".############", "..###########",
]


def icon_letter_shapes():
    """Solid letter bodies of L, o, G, o as sets of (x, y), two rows of two."""

    def body(rows, x0, y0):
        return {(x0 + x, y0 + y) for y, line in enumerate(rows) for x, ch in enumerate(line) if ch == "#"}

    return [
        (body(ICON_L, 1, 0), RED),
        (body(ICON_O, 17, 3), YELLOW),
        (body(ICON_G, 1, 16), GREEN),
        (body(ICON_O, 17, 19), PURPLE),
    ]


def icon_pixels():
    """32x32 colour indices, None where transparent."""
    px = [[None] * 32 for _ in range(32)]
    shapes = icon_letter_shapes()
    for body, _ in shapes:
        for x, y in body:
            for dx, dy in ((1, 1), (2, 2)):
                if 0 <= x + dx < 32 and 0 <= y + dy < 32:
                    px[y + dy][x + dx] = GREY
    for body, colour in shapes:
        for x, y in body:
            edge = any((x + dx, y + dy) not in body
                       for dx in (-1, 0, 1) for dy in (-1, 0, 1))
            px[y][x] = colour if edge else WHITE
    return px


def ico_bytes():
    px = icon_pixels()
    xor_stride, and_stride = 16, 4
    size = 40 + 16 * 4 + xor_stride * 32 + and_stride * 32
    out = bytearray(struct.pack("<HHH", 0, 1, 1))
    out += struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, size, 22)
    out += struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, xor_stride * 32 + and_stride * 32, 0, 0, 16, 0)
    for r, g, b in VGA16:
        out += bytes((b, g, r, 0))
    for y in range(31, -1, -1):
        row = [c or 0 for c in px[y]]
        out += bytes((row[x] << 4) | row[x + 1] for x in range(0, 32, 2))
    for y in range(31, -1, -1):
        bits = 0
        for x in range(32):
            bits = (bits << 1) | (px[y][x] is None)
        out += bits.to_bytes(4, "big")
    return bytes(out)


THUMB_W, THUMB_H = 96, 60
LOGO_DITHER = 8
THUMB_MAX_ERROR = 16  # per channel; the tests rely on it


def build_all():
    """Returns {relative path: bytes}."""
    screen = startup_screen()
    thumb = area_average(screen, THUMB_W, THUMB_H)
    # 48x60 from the 96x60 one is the same as a 48x60 box filter of the screen
    narrow = squeeze_half(thumb)
    (palette, (idx1, idx2)) = quantize([thumb.pixels(), narrow.pixels()])
    for cv, idx in ((thumb, idx1), (narrow, idx2)):
        err = max_error(cv.pixels(), palette, idx)
        if err > THUMB_MAX_ERROR:
            raise SystemExit(f"thumbnail colours off by {err}")
    return {
        "wide_sample.bmp": bmp8_bytes(thumb.w, thumb.h, palette, idx1),
        "squeezed_sample.bmp": bmp8_bytes(narrow.w, narrow.h, palette, idx2),
        "DfltLogo.sys": logo_file(screen),
        "demo/logow.sys": logo_file(please_wait_screen()),
        "demo/logos.sys": logo_file(switch_off_screen()),
        "plumwick.ico": ico_bytes(),
    }


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description="Draw Plumwick's pictures.")
    ap.add_argument("--out", default=os.path.join(here, "..", "src", "resources"),
                    help="output folder (default: src/resources)")
    args = ap.parse_args(argv)
    for name, data in build_all().items():
        path = os.path.join(args.out, *name.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
