"""Checks the pictures drawn by tools/gen_pictures.py and the checked-in copies."""

import os
import struct
import subprocess
import sys

import pytest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
GENERATOR = os.path.join(ROOT, "tools", "gen_pictures.py")
RESOURCES = os.path.join(ROOT, "src", "resources")

# name, width, height, file size
BITMAPS = [
    ("Image1.bmp", 96, 60, 6838),
    ("Image2.bmp", 48, 60, 3958),
    ("DfltLogo.sys", 320, 400, 129078),
    ("demo/logow.sys", 320, 400, 129078),
    ("demo/logos.sys", 320, 400, 129078),
]
ICON = "plumwick.ico"
ALL_FILES = [b[0] for b in BITMAPS] + [ICON]

# what gen_pictures.py promises for the thumbnails' colour error, per channel
THUMB_MAX_ERROR = 16


def read(name):
    with open(os.path.join(RESOURCES, *name.split("/")), "rb") as f:
        return f.read()


class Bmp8:
    def __init__(self, data):
        self.data = data
        (self.magic, self.file_size, self.res1, self.res2, self.off_bits) = struct.unpack_from("<2sIHHI", data, 0)
        (self.hdr_size, self.width, self.height, self.planes, self.bit_count, self.compression,
         self.size_image, _, _, self.clr_used, self.clr_important) = struct.unpack_from("<IiiHHIIiiII", data, 14)
        quads = data[54:self.off_bits]
        self.palette = [(quads[i + 2], quads[i + 1], quads[i]) for i in range(0, len(quads), 4)]
        self.quad_reserved = [quads[i + 3] for i in range(0, len(quads), 4)]
        self.stride = (self.width * 8 + 31) // 32 * 4

    def index(self, x, y):
        row = self.height - 1 - y
        return self.data[self.off_bits + row * self.stride + x]

    def rgb(self, x, y):
        return self.palette[self.index(x, y)]

    def all_rgb(self):
        return [self.rgb(x, y) for y in range(self.height) for x in range(self.width)]


def bmp(name):
    return Bmp8(read(name))


@pytest.fixture(scope="module")
def regenerated(tmp_path_factory):
    out = tmp_path_factory.mktemp("pictures")
    subprocess.run([sys.executable, GENERATOR, "--out", str(out)], check=True, capture_output=True)
    return out


@pytest.mark.parametrize("name", ALL_FILES)
def test_checked_in_file_matches_generator(regenerated, name):
    with open(os.path.join(regenerated, *name.split("/")), "rb") as f:
        fresh = f.read()
    assert fresh == read(name), f"{name} is stale: run tools/gen_pictures.py"


@pytest.mark.parametrize("name,width,height,size", BITMAPS)
def test_bitmap_headers(name, width, height, size):
    data = read(name)
    b = Bmp8(data)
    assert len(data) == size
    assert b.magic == b"BM"
    assert b.file_size == size
    assert (b.res1, b.res2) == (0, 0)
    assert b.off_bits == 14 + 40 + 256 * 4 == 1078
    assert b.hdr_size == 40
    assert (b.width, b.height) == (width, height)
    assert b.planes == 1
    assert b.bit_count == 8
    assert b.compression == 0
    assert b.clr_used in (0, 256)
    assert b.clr_important == 0
    assert b.stride == width
    assert b.size_image in (0, b.stride * height)
    assert b.off_bits + b.stride * height == size
    assert len(b.palette) == 256
    assert set(b.quad_reserved) == {0}


def test_icon_layout():
    data = read(ICON)
    assert len(data) == 766
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert (reserved, kind, count) == (0, 1, 1)
    w, h, colours, res, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6)
    assert (w, h, colours, res, planes, bits) == (32, 32, 16, 0, 1, 4)
    assert offset == 22
    assert size == len(data) - offset == 40 + 16 * 4 + 16 * 32 + 4 * 32
    hdr = struct.unpack_from("<IiiHHIIiiII", data, 22)
    assert hdr[0] == 40
    assert (hdr[1], hdr[2]) == (32, 64)
    assert (hdr[3], hdr[4], hdr[5]) == (1, 4, 0)


VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def icon_pixels():
    """32x32 rows top first of (colour index, transparent)."""
    data = read(ICON)
    xor_at, and_at = 22 + 40 + 64, 22 + 40 + 64 + 16 * 32
    rows = []
    for y in range(32):
        src = 31 - y
        xor = data[xor_at + src * 16:xor_at + src * 16 + 16]
        mask = int.from_bytes(data[and_at + src * 4:and_at + src * 4 + 4], "big")
        rows.append([((xor[x // 2] >> (4 if x % 2 == 0 else 0)) & 15, bool(mask >> (31 - x) & 1)) for x in range(32)])
    return rows


def test_icon_palette_is_vga16():
    data = read(ICON)
    quads = data[62:62 + 64]
    assert [(quads[i + 2], quads[i + 1], quads[i]) for i in range(0, 64, 4)] == VGA16


def test_icon_picture():
    rows = icon_pixels()
    opaque = [c for row in rows for c, clear in row if not clear]
    clear = [c for row in rows for c, clear in row if clear]
    assert 150 < len(opaque) < 900
    assert len(clear) > 100
    assert set(clear) == {0}, "transparent pixels should be black in the colour mask"
    # red, yellow, green and purple letters with a grey shadow
    for colour in (9, 11, 10, 5, 8):
        assert opaque.count(colour) >= 20, colour
    # the four letters sit in the four quarters: L red, o yellow, G green, o purple
    for (x0, y0), colour in (((0, 0), 9), ((16, 0), 11), ((0, 16), 10), ((16, 16), 5)):
        quarter = [rows[y][x][0] for y in range(y0, y0 + 16) for x in range(x0, x0 + 16) if not rows[y][x][1]]
        assert max(set(quarter) - {8, 15}, key=quarter.count) == colour


def test_thumbnail_is_not_trivial():
    pixels = bmp("Image1.bmp").all_rgb()
    assert len(set(pixels)) >= 8
    # sky, the four flag colours and the dark name
    tests = {
        "sky": lambda r, g, b: b > 180 and b > r + 40,
        "red": lambda r, g, b: r > 180 and g < 90 and b < 90,
        "green": lambda r, g, b: g > 130 and r < 100 and b < 100,
        "yellow": lambda r, g, b: r > 200 and g > 160 and b < 80,
        "blue flag": lambda r, g, b: b > 170 and r < 60 and g < 110,
        "name": lambda r, g, b: r < 50 and g < 60 and b < 130,
        "cloud": lambda r, g, b: r > 225 and g > 225 and b > 225,
    }
    for what, hit in tests.items():
        assert sum(1 for p in pixels if hit(*p)) >= 4, what


def squeeze_mismatch(wide, narrow):
    """Largest and total difference between each narrow pixel (doubled) and
    the sum of the two wide pixels it stands for."""
    worst, total = 0, 0
    for y in range(narrow.height):
        for x in range(narrow.width):
            a, b, n = wide.rgb(2 * x, y), wide.rgb(2 * x + 1, y), narrow.rgb(x, y)
            for k in range(3):
                d = abs(2 * n[k] - a[k] - b[k])
                worst = max(worst, d)
                total += d
    return worst, total / (narrow.width * narrow.height * 3 * 2)


def test_image2_is_image1_squeezed():
    wide, narrow = bmp("Image1.bmp"), bmp("Image2.bmp")
    worst, mean = squeeze_mismatch(wide, narrow)
    # each side may be off by the generator's colour error, plus rounding
    assert worst <= 2 * (2 * THUMB_MAX_ERROR) + 1
    assert mean < 2


def test_squeeze_check_catches_another_picture():
    wide, narrow = bmp("Image1.bmp"), bmp("Image2.bmp")
    flipped = Bmp8(narrow.data)
    rows = [narrow.data[flipped.off_bits + r * 48:flipped.off_bits + r * 48 + 48][::-1] for r in range(60)]
    flipped.data = narrow.data[:flipped.off_bits] + b"".join(rows)
    worst, mean = squeeze_mismatch(wide, flipped)
    assert worst > 2 * (2 * THUMB_MAX_ERROR) + 1 or mean >= 2


def box_shrink(b, ow, oh):
    """Rough box average down to ow x oh (box edges rounded to whole pixels)."""
    out = []
    for oy in range(oh):
        y0, y1 = oy * b.height // oh, (oy + 1) * b.height // oh
        for ox in range(ow):
            x0, x1 = ox * b.width // ow, (ox + 1) * b.width // ow
            acc = [0, 0, 0]
            for y in range(y0, y1):
                for x in range(x0, x1):
                    c = b.rgb(x, y)
                    for k in range(3):
                        acc[k] += c[k]
            n = (y1 - y0) * (x1 - x0)
            out.append(tuple(a // n for a in acc))
    return out


def mean_difference(p, q):
    return sum(abs(a[k] - b[k]) for a, b in zip(p, q) for k in range(3)) / (3 * len(p))


@pytest.fixture(scope="module")
def shrunk_logos():
    return {name: box_shrink(bmp(name), 48, 60) for name, _, h, _ in BITMAPS if h == 400}


def test_default_logo_is_the_thumbnail_design(shrunk_logos):
    assert mean_difference(shrunk_logos["DfltLogo.sys"], bmp("Image2.bmp").all_rgb()) < 6


@pytest.mark.parametrize("a,b", [
    ("DfltLogo.sys", "demo/logow.sys"),
    ("DfltLogo.sys", "demo/logos.sys"),
    ("demo/logow.sys", "demo/logos.sys"),
])
def test_logo_files_differ(shrunk_logos, a, b):
    assert mean_difference(shrunk_logos[a], shrunk_logos[b]) > 40


@pytest.mark.parametrize("name", [b[0] for b in BITMAPS if b[2] == 400])
def test_logo_files_are_detailed(name):
    pixels = bmp(name).all_rgb()
    assert len(set(pixels)) >= 64
    # some light text or shapes on every one of them
    assert sum(1 for r, g, b in pixels if r + g + b > 600) > 500
