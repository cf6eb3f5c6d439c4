"""Odd and broken bitmaps chosen through the real file dialog: each is previewed or reported as it deserves,
the tool never falls over and the path stays."""
from bitmaps import bmp
from ui import BAD, IDOK, LBL_LOGO, OK, logo

VGA = [(i & 1 and k, i & 2 and k, i & 4 and k) for k in (128, 255) for i in range(8)]  # 16 colours
GREYS = [(i, i, i) for i in range(256)]


def hues(x, y):
    return (x * 4 % 256, y * 5 % 256, 255 - x * 4 % 256)


RLE8 = (bytes((8, 40, 8, 200, 0, 0)) * 16)[:-2] + b"\0\1"  # 16x16, two colours a row
RLE4 = (bytes((8, 0x99, 8, 0xCC, 0, 0)) * 16)[:-2] + b"\0\1"

# name: (file, previewed)
CASES = {
    "bits1": (bmp(64, 48, lambda x, y: (x // 8 + y // 8) % 2, 1, [(16, 24, 96), (255, 220, 60)]), True),
    "bits4": (bmp(64, 48, lambda x, y: x // 4 % 16, 4, VGA), True),
    "bits8_odd_width": (bmp(37, 23, lambda x, y: x * 7, 8, GREYS), True),
    "bits16": (bmp(64, 48, hues, 16), True),
    "bits32": (bmp(64, 48, hues, 32), True),
    "bitfields32": (bmp(64, 48, hues, 32, compression=3, masks=(0xFF0000, 0xFF00, 0xFF)), True),
    "rle8": (bmp(16, 16, bits=8, palette=GREYS, compression=1, data=RLE8), True),
    "rle4": (bmp(16, 16, bits=4, palette=VGA, compression=2, data=RLE4), True),
    "top_down": (bmp(40, 30, lambda x, y: y * 8, 8, GREYS, top_down=True), True),
    "os2_header": (bmp(80, 60, lambda x, y: (x * 3 + y) % 256, 8, GREYS, os2=True), True),
    "truncated": (logo((0, 0, 200), stripe=3)[:1078 + 10000], False),
    "palette_past_end": (bmp(16, 16, bits=8, palette=GREYS)[:54 + 300], False),
    "rle_out_of_picture": (bmp(16, 16, bits=8, palette=GREYS, compression=1, data=bytes((255, 9)) * 40 + b"\0\1"),
                           False),
    "zero_width": (bmp(0, 10, bits=8, palette=GREYS), False),
    "not_bm": (b"MB" + bmp(8, 8)[2:], False),
}


def test_every_odd_bitmap_is_previewed_or_reported(tool):
    for name, (data, _) in CASES.items():
        tool.put(f"C:\\odd\\{name}.bmp", data)
    tool.prepare().start()
    wrong = []
    for name, (_, previewed) in CASES.items():
        path = f"C:\\odd\\{name}.bmp"
        before = tool.preview(0)
        tool.choose(0, path)
        reported = bool(tool.windows(BAD))
        if reported:
            assert tool.box(BAD)["icon"] == "critical"
            tool.press(IDOK, BAD)
            assert tool.preview(0) == before, f"{name}: a reported file leaves the preview"
        else:
            assert tool.preview(0)["distinct"] > 1, f"{name}: previewed blank"
        assert tool.proc.poll() is None, f"the tool ended on {name}"
        c = tool.controls()
        assert c[LBL_LOGO[0]]["text"] == path and c[OK]["enabled"]
        if reported == previewed:
            wrong.append(name)
    assert not wrong, f"not handled as they deserve: {wrong}"
