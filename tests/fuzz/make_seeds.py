#!/usr/bin/python3
"""Writes the picture fuzzer's seeds, tests/fuzz/seeds/*.bmp: one tiny file of each kind the bitmap check accepts,
one of more than 256 colours, and RLE8 pictures of the sizes MakeLogo treats apart (320 x 400 indexed, 16:10).
Run it again to remake them."""
import pathlib
import struct
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1]))
from bitmaps import bmp  # noqa: E402

SEEDS = pathlib.Path(__file__).resolve().parent / "seeds"
RGB565 = (0xF800, 0x07E0, 0x001F)
TEN_BITS = (0x3FF00000, 0x000FFC00, 0x000003FF)  # 10 bits a channel: only the top 8 are kept


def grey(n):
    return [(i * 255 // (n - 1),) * 3 for i in range(n)]


def colour(x, y):
    return (x * 40 % 256, y * 50 % 256, (x + y) * 30 % 256)


def longer_header(file, size, masks=0):
    """The same bitmap with its 40-byte header (and `masks` masks after it) grown to a v4 or v5 header of `size`."""
    at = 14 + 40 + 4 * masks
    grow = size - (40 + 4 * masks)
    out = bytearray(file[:at] + bytes(grow) + file[at:])
    struct.pack_into("<I", out, 2, len(out))
    struct.pack_into("<I", out, 10, struct.unpack_from("<I", out, 10)[0] + grow)
    struct.pack_into("<I", out, 14, size)
    return bytes(out)


def rows_565(width, height):
    """Bottom-up 5-6-5 rows, as bmp() writes 16-bit pixels only as 5-5-5."""
    rows = []
    for y in reversed(range(height)):
        r = b"".join(struct.pack("<H", r >> 3 << 11 | g >> 2 << 5 | b >> 3) for r, g, b in
                     (colour(x, y) for x in range(width)))
        rows.append(r.ljust((width * 16 + 31) // 32 * 4, b"\0"))
    return b"".join(rows)


def rows_ten_bits(width, height):
    return b"".join(struct.pack("<I", r << 22 | g << 12 | b << 2) for y in reversed(range(height))
                    for r, g, b in (colour(x, y) for x in range(width)))


# Bottom row first: a run, a padded literal, a run; a delta over a row; a run; a literal; a run; rows left out.
# RLE4: two rows of runs and literals, then a delta into the last one.
RLE8 = [3, 1, 0, 3, 2, 3, 4, 0, 2, 5, 0, 0, 0, 2, 2, 1, 6, 7, 0, 0, 0, 4, 1, 2, 3, 4, 0, 0, 8, 9, 0, 0, 0, 1]
RLE4 = [4, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 5, 0x56, 0x78, 0x90, 0, 2, 0xA0, 0, 0, 0, 2, 1, 1, 6, 0xBC, 0, 1]


def rle8_bands(width, height):
    """Each row in runs of at most 255 pixels of one index, which changes every row."""
    codes = []
    for y in range(height):
        left = width
        while left:
            codes += [min(left, 255), y % 256]
            left -= codes[-2]
        codes += [0, 0]
    return codes + [0, 1]


def seeds():
    yield "bits1", bmp(9, 5, lambda x, y: (x + y) & 1, bits=1, palette=grey(2))
    yield "bits4", bmp(7, 5, lambda x, y: (x * 3 + y) % 16, bits=4, palette=grey(16))
    yield "bits8_short_palette", bmp(9, 7, lambda x, y: (x + 9 * y) % 20, bits=8, palette=grey(20))
    yield "rle8", bmp(8, 6, bits=8, palette=grey(10), compression=1, data=bytes(RLE8))
    yield "rle4", bmp(7, 4, bits=4, palette=grey(16), compression=2, data=bytes(RLE4))
    yield "bits16_555", bmp(6, 4, colour, bits=16)
    yield "bits16_565_fields", bmp(6, 4, bits=16, compression=3, masks=RGB565, data=rows_565(6, 4))
    yield "bits24", bmp(7, 5, colour)
    yield "bits24_top_down", bmp(5, 3, colour, top_down=True)
    # 4:3 and 432 colours: the logo gets a palette of its own and error diffusion.
    yield "bits24_many_colours", bmp(24, 18, lambda x, y: (x * 10, y * 14, x * y % 256))
    yield "bits32", bmp(5, 3, colour, bits=32)
    yield "bits32_fields", bmp(5, 3, bits=32, compression=3, masks=TEN_BITS, data=rows_ten_bits(5, 3))
    yield "os2_bits8", bmp(6, 4, lambda x, y: x + y, bits=8, palette=grey(256), os2=True)
    yield "v4_bits16_565", longer_header(bmp(6, 4, bits=16, compression=3, masks=RGB565, data=rows_565(6, 4)), 108, 3)
    yield "v5_bits24_top_down", longer_header(bmp(4, 3, colour, top_down=True), 124)
    yield "logo_rle8", bmp(320, 400, bits=8, palette=grey(256), compression=1, data=bytes(rle8_bands(320, 400)),
                           important=240)
    yield "wide_rle8", bmp(640, 400, bits=8, palette=grey(256), compression=1, data=bytes(rle8_bands(640, 400)))


if __name__ == "__main__":
    SEEDS.mkdir(exist_ok=True)
    for old in SEEDS.glob("*.bmp"):
        old.unlink()
    for name, data in seeds():
        (SEEDS / f"{name}.bmp").write_bytes(data)
    print(f"{len(list(SEEDS.glob('*.bmp')))} seeds, {sum(p.stat().st_size for p in SEEDS.glob('*.bmp'))} bytes")
