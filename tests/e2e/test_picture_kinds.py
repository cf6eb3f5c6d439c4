"""JPEG, PNG and GIF pictures wherever the tool reads a bitmap: chosen in the file dialog, previewed, made into a
logo copy and installed, given to /logo and picked by /random; and refused when damaged."""
import struct
import time

import pytest
from wine import wait_for

from ui import CHOSEN, IDNO, IDOK, IDYES, LIVE, MAIN, OK, QUESTION, TOOL, logo, made_logo, picture

QUADRANTS = [(200, 30, 30), (30, 200, 30), (30, 30, 200), (220, 220, 40)]  # as the preview's grid: top left first
QUARTER = lambda x, y: QUADRANTS[(y >= 240) * 2 + (x >= 320)]  # noqa: E731
HALF_SEEN = lambda x, y: QUARTER(x, y) + ((255, 128)[y >= 240],)  # noqa: E731  the bottom half at alpha 128
ON_BLACK = QUADRANTS[:2] + [tuple(v * 128 // 255 for v in c) for c in QUADRANTS[2:]]
PNG_HEADER = b"IHDR" + struct.pack(">IIBBBBB", 640, 480, 8, 6, 0, 0, 1)  # 8-bit RGBA, interlaced
PHOTO = picture("jpg", QUARTER)  # baseline
LOGOS = {"yellow.jpg": (220, 220, 40), "blue.jpg": (30, 30, 200)}


def flat(rgb):
    return lambda x, y: rgb


def colour_at(made: bytes, x: int, y: int) -> tuple:
    """The colour of a made logo's pixel: its palette entry, as r, g, b."""
    b, g, r = made[54 + made[1078 + (399 - y) * 320 + x] * 4:][:3]
    return r, g, b


def near(got, want, slack=40) -> bool:
    return max(abs(a - b) for a, b in zip(got, want)) < slack


def idat_crc_flipped(data: bytes) -> bytes:
    at = data.index(b"IDAT")
    crc = at + 4 + struct.unpack(">I", data[at - 4:at])[0]
    return data[:crc] + bytes([data[crc] ^ 0xFF]) + data[crc + 1:]


# A 1 x 1 GIF with neither a global nor a local colour table: header, screen, image, its pixel's LZW codes
# (clear, 0, end) in one data block, trailer.
GIF_NO_COLOURS = (b"GIF89a" + struct.pack("<HHBBB", 1, 1, 0, 0, 0) + b"," + struct.pack("<HHHHB", 0, 0, 1, 1, 0) +
                  b"\x02\x02\x44\x01\x00;")


@pytest.mark.parametrize("kind,name,data,shown,made_as", [
    ("JPEG", "photo.jpg", picture("jpg", QUARTER, "-interlace", "JPEG"), QUADRANTS, b"\xff\xc2"),  # progressive
    ("PNG", "photo.png", picture("png32", HALF_SEEN, "-interlace", "PNG"), ON_BLACK, PNG_HEADER),
    ("GIF", "photo.gif", picture("gif", QUARTER), QUADRANTS, b"GIF89a"),
], ids=["progressive_jpeg", "interlaced_png_with_alpha", "gif"])
def test_a_picture_chosen_is_previewed_made_into_a_logo_copy_and_installed(tool, kind, name, data, shown, made_as):
    assert made_as in data, "ImageMagick wrote the kind of file meant"
    path, copy = "C:\\pics\\" + name, TOOL + "\\Logos\\photo.bmp"
    tool.put(path, data)
    tool.prepare().put(LIVE[0], logo((0, 0, 0)))
    tool.start()
    grids = []
    for answer in (IDNO, IDYES):  # No previews the picture itself; Yes the logo made of it
        assert tool.choose(1, path, answer=None)
        assert tool.box(MAIN) == {"text": QUESTION % f"640×480、{kind}",
                                  "icon": "question", "buttons": [IDYES, IDNO]}
        tool.press(answer, MAIN)
        grids.append(tool.preview(1)["grid"])
        if kind == "JPEG" and answer == IDNO:
            tool.snap("jpeg-preview", MAIN)
    assert tool.controls()[CHOSEN[1]]["text"] == copy
    for grid in grids:
        assert all(near(cell, want) for cell, want in zip(grid, shown)), (grids, shown)
    made, old = tool.read(copy), [tool.read(p) for p in LIVE]
    assert made_logo(made) and near(colour_at(made, 240, 300), shown[3]), "the picture squeezed to 320 x 400"
    tool.press(OK)
    assert tool.ended() == 0 and [tool.read(p) for p in LIVE] == [old[0], made, old[2]]


def test_switches_make_logos_of_a_jpeg_given_and_of_jpegs_picked_at_random(tool):
    folder = TOOL + "\\Random\\LOGO"
    tool.put("C:\\pics\\photo.jpg", PHOTO)
    for name, rgb in LOGOS.items():
        tool.put(f"{folder}\\{name}", picture("jpg", flat(rgb), width=64, height=48))
    tool.prepare().put(LIVE[0], logo((0, 0, 0)))
    assert tool.run_switches("/logo", "C:\\pics\\photo.jpg") == (0, [])
    made = tool.read(LIVE[0])
    assert made_logo(made) and made == tool.read(TOOL + "\\Logos\\photo.bmp")
    corners = [(80, 100), (240, 100), (80, 300), (240, 300)]
    assert all(near(colour_at(made, x, y), c) for (x, y), c in zip(corners, QUADRANTS)), "the picture, upright"
    seen = []
    for _ in range(3):
        assert tool.run_switches("/random") == (0, [])
        made = tool.read(LIVE[0])
        seen.append([near(colour_at(made, 160, 200), rgb) for rgb in LOGOS.values()].index(True))
        assert made_logo(made) and sorted(p.name for p in tool.s.c(folder).iterdir()) == sorted(LOGOS)
    assert seen in ([0, 1, 0], [1, 0, 1]), "each time the other picture"


@pytest.mark.parametrize("name,data", [
    ("cut.jpg", PHOTO[:len(PHOTO) // 2]),
    ("crc.png", idat_crc_flipped(picture("png", QUARTER))),
    ("bare.gif", GIF_NO_COLOURS),
], ids=["truncated_jpeg", "png_with_a_bad_idat_crc", "gif_without_colours"])
def test_a_damaged_picture_is_refused_when_chosen(tool, name, data):
    path = "C:\\pics\\" + name
    tool.put(path, data)
    tool.prepare().put(LIVE[0], logo((0, 0, 0)))
    tool.start()
    before = [tool.preview(1), [tool.read(p) for p in LIVE]]
    assert tool.choose(1, path, answer=None) and len(tool.question()) == 1
    assert tool.box(MAIN) == {
        "text": path + "\r\n\r\nこの画像は壊れているか、途中で切れているか、このツールが読めない種類（CMYK の JPEG など）"
                       "のものです。\r\n\r\nこのロゴには前に選んだファイルがそのまま残ります。",
        "icon": "critical", "buttons": [IDOK]}
    tool.press(IDOK, MAIN)
    c = tool.controls()
    assert c[CHOSEN[1]]["text"] == "" and not c[OK]["enabled"] and not tool.exists(TOOL + "\\Logos")
    assert [tool.preview(1), [tool.read(p) for p in LIVE]] == before


BAND_QUESTION = ("Windows のロゴのように、起動中に動く帯をロゴの下に付けますか？\r\n\r\n"
                 "帯の色は画像から取り、画像は帯のほかの部分にそのまま残ります。プレビューで動きを確かめられます。")


def test_a_moving_band_is_offered_for_the_startup_logo_alone_and_installed_as_previewed(tool):
    tool.put("C:\\pics\\photo.jpg", PHOTO)
    tool.prepare().start()
    assert tool.choose(1, "C:\\pics\\photo.jpg", answer=IDYES)
    wait_for(lambda: tool.controls()[CHOSEN[1]]["text"] == TOOL + "\\Logos\\photo.bmp", what="the shutdown copy")
    assert not tool.question(), "the shutdown logo is not offered a band"
    assert tool.choose(0, "C:\\pics\\photo.jpg", answer=IDYES)
    wait_for(tool.question, what="the offer of a band")
    assert tool.box(MAIN) == {"text": BAND_QUESTION, "icon": "question", "buttons": [IDYES, IDNO]}
    tool.press(IDYES, MAIN)
    copy = TOOL + "\\Logos\\photo-2.bmp"
    wait_for(lambda: tool.controls()[CHOSEN[0]]["text"] == copy, what="the start-up copy")
    made = tool.read(copy)
    assert made_logo(made) and struct.unpack_from("<I", made, 50)[0] == 224
    frames = []
    for _ in range(2):
        frames.append(tool.preview(0)["digest"])
        tool.snap(f"band-preview-{len(frames)}", MAIN)
        time.sleep(0.4)
    assert frames[0] != frames[1], "the start-up preview moves"
    tool.press(OK)
    assert tool.ended() == 0 and tool.read(LIVE[0]) == made, "the logo previewed is the one installed"
