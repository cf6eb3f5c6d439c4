#!/usr/bin/python3
"""Writes odd and broken bitmap files for trying the logo loader on.

    gen_bad_bitmaps.py OUTDIR

Also writes OUTDIR/manifest.json: [{"file", "what", "valid"}, ...], where
valid means a tolerant but correct BMP reader should manage to show it.
"""

import json
import os
import struct
import sys

BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS = 0, 1, 2, 3

VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def rainbow(i, n):
    """Colour i of n around the colour wheel, integer only."""
    seg = i * 6 * 255 // n
    part, t = seg // 255, seg % 255
    return [(255, t, 0), (255 - t, 255, 0), (0, 255, t), (0, 255 - t, 255), (t, 0, 255), (255, 0, 255 - t)][part % 6]


RAINBOW256 = [rainbow(i, 256) for i in range(256)]


def colour_at(x, y, w, h):
    """Hue across, darker downwards: easy to tell rotated or flipped."""
    r, g, b = rainbow(x * 256 // max(1, w), 256)
    k = 255 - y * 160 // max(1, h)
    return (r * k // 255, g * k // 255, b * k // 255)


def stride(w, bpp):
    return (w * bpp + 31) // 32 * 4


def pack_row(values, bpp):
    if bpp == 8:
        return bytes(values)
    out = bytearray()
    per = 8 // bpp
    for i in range(0, len(values), per):
        byte = 0
        for j in range(per):
            v = values[i + j] if i + j < len(values) else 0
            byte |= v << (8 - bpp * (j + 1))
        out.append(byte)
    return bytes(out)


def pixel_bytes(w, h, bpp, pixel, top_down=False):
    """pixel(x, y) -> index for bpp <= 8, else (r, g, b); y = 0 is the top."""
    rows = []
    for y in range(h):
        vals = [pixel(x, y) for x in range(w)]
        if bpp <= 8:
            row = pack_row(vals, bpp)
        elif bpp == 16:
            row = b"".join(struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3) for r, g, b in vals)
        elif bpp == 24:
            row = b"".join(bytes((b, g, r)) for r, g, b in vals)
        else:
            row = b"".join(bytes((b, g, r, 0)) for r, g, b in vals)
        rows.append(row + bytes(stride(w, bpp) - len(row)))
    if not top_down:
        rows.reverse()
    return b"".join(rows)


def bmp(w, h, bpp, data, palette=(), compression=BI_RGB, masks=b"", clr_used=None,
        size_image=None, off_bits=None, file_size=None, magic=b"BM"):
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    off = 14 + 40 + len(masks) + len(pal) if off_bits is None else off_bits
    total = 14 + 40 + len(masks) + len(pal) + len(data)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, compression,
                       len(data) if size_image is None else size_image, 2835, 2835,
                       len(palette) if clr_used is None else clr_used, 0)
    head = magic + struct.pack("<IHHI", total if file_size is None else file_size, 0, 0, off)
    return head + info + masks + pal + data


def indexed(w, h, bpp, pixel, palette, **kw):
    top_down = kw.pop("top_down", False)
    data = pixel_bytes(w, h, bpp, pixel, top_down)
    return bmp(w, -h if top_down else h, bpp, data, palette, **kw)


def truecolour(w, h, bpp, **kw):
    return bmp(w, h, bpp, pixel_bytes(w, h, bpp, lambda x, y: colour_at(x, y, w, h)), **kw)


def gradient8(w, h, **kw):
    return indexed(w, h, 8, lambda x, y: (x * 256 // w + y * 64 // h) % 256, RAINBOW256, **kw)


def rle8_encode(rows):
    """Bottom-up RLE8: encoded runs, absolute runs for busy stretches."""
    out = bytearray()
    for row in reversed(rows):
        i, n = 0, len(row)
        while i < n:
            j = i
            while j < n and j - i < 255 and row[j] == row[i]:
                j += 1
            if j - i >= 2:
                out += bytes((j - i, row[i]))
                i = j
                continue
            # literal stretch until a run of three starts
            j = i
            while j < n and j - i < 255 and not (j + 2 < n and row[j] == row[j + 1] == row[j + 2]):
                j += 1
            lit = row[i:j]
            if len(lit) >= 3:
                out += bytes((0, len(lit))) + bytes(lit) + bytes(len(lit) % 2)
            else:
                for v in lit:
                    out += bytes((1, v))
            i = j
        out += b"\x00\x00"
    out[-2:] = b"\x00\x01"
    return bytes(out)


def rle4_encode(rows):
    """Bottom-up RLE4: runs of one colour; busy stretches as absolute runs."""
    out = bytearray()
    for row in reversed(rows):
        i, n = 0, len(row)
        while i < n:
            j = i
            while j < n and j - i < 255 and row[j] == row[i]:
                j += 1
            if j - i >= 3:
                out += bytes((j - i, row[i] << 4 | row[i]))
                i = j
                continue
            j = i
            while j < n and j - i < 64 and not (j + 2 < n and row[j] == row[j + 1] == row[j + 2]):
                j += 1
            lit = row[i:j]
            if len(lit) >= 3:
                packed = pack_row(lit, 4)
                out += bytes((0, len(lit))) + packed + bytes(len(packed) % 2)
            else:
                for v in lit:
                    out += bytes((1, v << 4))
            i = j
        out += b"\x00\x00"
    out[-2:] = b"\x00\x01"
    return bytes(out)


def rle_rows(w, h, colours):
    """Wide flat bands plus a busy checkered strip in the middle."""
    rows = []
    for y in range(h):
        if h // 3 <= y < h // 3 + 6:
            rows.append([((x // 2 + y) % colours) for x in range(w)])
        else:
            rows.append([(x * 4 // w + y * 4 // h * 4) % colours for x in range(w)])
    return rows


def cases():
    good8 = gradient8(64, 48)
    cut = gradient8(320, 400)

    rle8_rows = rle_rows(64, 48, 256)
    rle8_pal = [VGA16[i % 16] if i < 16 else RAINBOW256[i] for i in range(256)]
    rle8 = rle8_encode(rle8_rows)
    rle4 = rle4_encode(rle_rows(60, 40, 16))

    garbage = bytearray()
    for k in range(40):
        garbage += bytes((255, k))  # far longer than a 16-pixel row
    garbage += bytes((0, 200)) + bytes(range(37))  # absolute run past the end
    garbage += bytes((0, 2, 250, 250))  # jump far outside

    core_pal = b"".join(bytes((b, g, r)) for r, g, b in RAINBOW256)
    core_px = pixel_bytes(80, 60, 8, lambda x, y: (x * 3 + y) % 256)
    core_off = 14 + 12 + len(core_pal)
    os2 = (b"BM" + struct.pack("<IHHI", core_off + len(core_px), 0, 0, core_off)
           + struct.pack("<IHHHH", 12, 80, 60, 1, 8) + core_pal + core_px)

    masks565 = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    px565 = b"".join(
        struct.pack("<H", (r >> 3) << 11 | (g >> 2) << 5 | b >> 3)
        for y in range(47, -1, -1) for r, g, b in (colour_at(x, y, 64, 48) for x in range(64)))
    masks888 = struct.pack("<III", 0x00FF0000, 0x0000FF00, 0x000000FF)
    px888 = pixel_bytes(64, 48, 32, lambda x, y: colour_at(x, y, 64, 48))

    mono = indexed(64, 48, 1, lambda x, y: (x // 8 + y // 8) % 2, [(16, 24, 96), (255, 220, 60)])
    stripes4 = indexed(64, 48, 4, lambda x, y: x // 4 % 16, VGA16)
    short_pal = bmp(16, 16, 8, b"", RAINBOW256, clr_used=256)[:14 + 40 + 300]

    big = bmp(100000, 100000, 8, bytes(100), RAINBOW256, size_image=0)
    wide = bmp(0x7FFFFFFF, 1, 24, bytes(64), size_image=0)
    beyond = bytearray(good8)
    struct.pack_into("<I", beyond, 10, len(good8) + 1000)
    bits7 = bytearray(gradient8(16, 16))
    struct.pack_into("<H", bits7, 28, 7)

    return [
        ("empty.bmp", b"", "empty file", False),
        ("header_10_bytes.bmp", good8[:10], "only 10 bytes of the file header", False),
        ("truncated_info_header.bmp", good8[:14 + 20], "info header cut off after 20 of 40 bytes", False),
        ("pixels_cut_short.bmp", cut[:1078 + 10000], "320x400 8-bit, pixel data cut short", False),
        ("magic_mb.bmp", b"MB" + good8[2:], "magic bytes swapped to MB", False),
        ("magic_pk.bmp", b"PK\x03\x04" + good8[4:], "starts like a zip archive", False),
        ("bpp1_checker.bmp", mono, "1-bit 64x48 navy and yellow checkerboard", True),
        ("bpp4_stripes.bmp", stripes4, "4-bit 64x48, 16 vertical stripes in the VGA colours", True),
        ("bpp8_320x400.bmp", cut, "8-bit 320x400 rainbow gradient, like a logo file", True),
        ("bpp8_640x400.bmp", gradient8(640, 400), "8-bit 640x400 rainbow gradient", True),
        ("bpp8_1x1.bmp", gradient8(1, 1), "8-bit 1x1, one padded row", True),
        ("bpp8_odd_width.bmp", gradient8(37, 23), "8-bit 37x23, rows padded to 4 bytes", True),
        ("bpp8_topdown.bmp", gradient8(64, 48, top_down=True), "8-bit 64x48 with negative height (top-down)", True),
        ("bpp8_clrused16.bmp", indexed(64, 48, 8, lambda x, y: (x + y) // 8 % 16, VGA16),
         "8-bit with a 16-entry palette (biClrUsed 16)", True),
        ("bpp8_bfsize_zero.bmp", bmp(64, 48, 8, pixel_bytes(64, 48, 8, lambda x, y: x * 4), RAINBOW256, file_size=0),
         "8-bit gradient with bfSize 0", True),
        ("bpp8_sizeimage_absurd.bmp", gradient8(64, 48, size_image=0xFFFFFFF0),
         "8-bit BI_RGB with biSizeImage 0xFFFFFFF0", True),
        ("bpp16_555.bmp", truecolour(64, 48, 16), "16-bit BI_RGB (5-5-5) rainbow", True),
        ("bpp16_565_bitfields.bmp", bmp(64, 48, 16, px565, compression=BI_BITFIELDS, masks=masks565),
         "16-bit BI_BITFIELDS 5-6-5 rainbow", True),
        ("bpp24.bmp", truecolour(64, 48, 24), "24-bit rainbow", True),
        ("bpp32_rgb.bmp", truecolour(64, 48, 32), "32-bit BI_RGB rainbow", True),
        ("bpp32_bitfields.bmp", bmp(64, 48, 32, px888, compression=BI_BITFIELDS, masks=masks888),
         "32-bit BI_BITFIELDS 8-8-8 rainbow", True),
        ("rle8.bmp", bmp(64, 48, 8, rle8, rle8_pal, compression=BI_RLE8),
         "RLE8 64x48 colour blocks with a busy strip", True),
        ("rle8_overrun.bmp", bmp(16, 16, 8, bytes(garbage), RAINBOW256, compression=BI_RLE8),
         "RLE8 whose runs overrun rows and the image", False),
        ("rle4.bmp", bmp(60, 40, 4, rle4, VGA16, compression=BI_RLE4),
         "RLE4 60x40 colour blocks with a busy strip", True),
        ("huge_100000x100000.bmp", big, "claims 100000x100000 8-bit, 100 bytes of pixels", False),
        ("huge_7fffffff_x1.bmp", wide, "claims 2147483647x1 24-bit", False),
        ("zero_width.bmp", bmp(0, 10, 8, b"", RAINBOW256), "width 0", False),
        ("palette_short.bmp", short_pal, "biClrUsed 256 but the file ends inside the palette", False),
        ("offbits_beyond_eof.bmp", bytes(beyond), "bfOffBits points past the end of the file", False),
        ("bitcount_7.bmp", bytes(bits7), "biBitCount 7", False),
        ("os2_core_8bit.bmp", os2, "OS/2 BITMAPCOREHEADER (12 bytes), 8-bit 80x60", True),
        ("text_file.bmp", b"This is a text file, not a picture.\r\nPlumwick should refuse it.\r\n", "plain text", False),
    ]


def main(argv):
    if len(argv) != 2:
        print("usage: gen_bad_bitmaps.py OUTDIR", file=sys.stderr)
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    manifest = []
    for name, data, what, valid in cases():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
        manifest.append({"file": name, "what": what, "valid": valid})
    with open(os.path.join(out, "manifest.json"), "w", encoding="ascii", newline="\n") as f:
        json.dump(manifest, f, indent=2)
        f.write("\n")
    print(f"{len(manifest)} files in {out}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
