"""BMP files for tests: bmp(width, height, pixel, bits=24, palette=()) -> bytes; pixel(x, y), y = 0 at the top,
gives (r, g, b), or a palette index when bits <= 8. Options: top_down; os2 (12-byte header); compression with data
(pixel bytes written as they are, e.g. RLE), masks (three bit-field masks) and important (biClrImportant)."""
import struct


def bmp(width, height, pixel=None, bits=24, palette=(), top_down=False, os2=False,
        compression=0, data=None, masks=(), important=0):
    if data is None:
        pixel, rows = pixel or (lambda x, y: 0 if bits <= 8 else (0, 0, 0)), []
        for y in range(height):
            px = [pixel(x, y) for x in range(width)]
            if bits <= 8:
                n = 0
                for v in px:
                    n = n << bits | v
                row = (n << (-width * bits % 8)).to_bytes((width * bits + 7) // 8, "big")
            elif bits == 16:
                row = b"".join(struct.pack("<H", r >> 3 << 10 | g >> 3 << 5 | b >> 3) for r, g, b in px)
            else:
                row = b"".join(bytes((b, g, r, 0)[:bits // 8]) for r, g, b in px)
            rows.append(row.ljust((width * bits + 31) // 32 * 4, b"\0"))
        data = b"".join(rows if top_down else rows[::-1])
    pal = b"".join(bytes((b, g, r, 0)[:3 if os2 else 4]) for r, g, b in palette)
    if os2:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits, compression,
                           len(data), 2835, 2835, len(palette), important)
        info += b"".join(struct.pack("<I", m) for m in masks)
    offset = 14 + len(info) + len(pal)
    return b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + info + pal + data
