"""A bitmap Windows would not show as a logo, chosen: the question, the copy in the Logos folder, the copy
installed; a logo-shaped file asks nothing; and the start-up slot's preview turns the logo's colours."""
import struct
import time

import pytest
from wine import wait_for

from bitmaps import bmp
from ui import IDNO, IDOK, IDYES, CHOSEN, LIVE, MAIN, OK, QUESTION, TOOL, logo

PALETTE = [(i, 255 - i, i * 3 % 256) for i in range(256)]
SHADES = bmp(640, 480, lambda x, y: (x * 255 // 639, y * 255 // 479, 128))
PIXEL = lambda x, y: (x // 40 + y // 50 * 3) % 8 + 20  # noqa: E731


RLE8 = b"\0\0".join(b"".join(bytes((40, PIXEL(x, y))) for x in range(0, 320, 40)) for y in range(399, -1, -1))
RLE_LOGO = bmp(320, 400, bits=8, palette=PALETTE, compression=1, data=RLE8 + b"\0\1", important=236)


# file, answer, a FILE named Logos where the folder would be made (a read-only folder stops no one as root)
@pytest.mark.parametrize("data,answer,blocked", [(SHADES, IDYES, False), (SHADES, IDNO, False),
                                                 (RLE_LOGO, IDYES, False), (SHADES, IDYES, True)],
                         ids=["yes", "no", "rle8_yes", "no_folder"])
def test_a_bitmap_that_is_no_logo_is_offered_as_a_logo_copy(tool, data, answer, blocked):
    tool.put("C:\\pics\\photo.bmp", data)
    if blocked:
        tool.put(TOOL + "\\Logos", b"")
    tool.prepare().put(LIVE[0], logo((200, 30, 30)))
    tool.start()
    assert tool.choose(1, "C:\\pics\\photo.bmp", answer=None)
    box = tool.box(MAIN)
    assert box["icon"] == "question" and box["buttons"] == [IDYES, IDNO]
    assert (box["text"] == QUESTION % "640×480、24ビットカラー") == (data is SHADES)
    if data is SHADES and answer == IDYES and not blocked:
        tool.snap("convert-question", MAIN)
    tool.press(answer, MAIN)
    copy = TOOL + "\\Logos\\photo.bmp"
    if blocked:
        wait_for(tool.question, what="the box that says no copy was made")
        failed = tool.box(MAIN)
        assert failed["icon"] == "critical" and failed["text"].endswith(
            "\r\n\r\nロゴのコピーを作れませんでした。選んだファイルのままにします。")
        tool.press(IDOK, MAIN)
    label = tool.controls()[CHOSEN[1]]["text"]
    if answer == IDNO or blocked:
        assert label == "C:\\pics\\photo.bmp" and not tool.exists(copy)
        return
    made = tool.read(copy)
    assert label == copy and len(made) == 129078
    assert struct.unpack_from("<IiiHHI", made, 14) == (40, 320, 400, 1, 8, 0), "320x400, 8 bpp, RLE-free, bottom-up"
    if data is RLE_LOGO:
        assert made[54:1078] == RLE_LOGO[54:1078] and made[50] == 236
        assert made[1078:] == bmp(320, 400, PIXEL, 8, PALETTE)[1078:], "the same pixel indexes"
    old = [tool.read(p) for p in LIVE]
    tool.press(OK)
    assert tool.ended() == 0 and [tool.read(p) for p in LIVE] == [old[0], made, old[2]], "only the chosen slot"
    assert not [p for p in tool.s.c("C:\\windows").iterdir() if p.suffix in (".pwn", ".pwo")]


def test_a_logo_shaped_file_asks_nothing_and_turns_its_colours_only_in_the_startup_slot(tool):
    tool.put("C:\\pics\\cycle.bmp", bmp(320, 400, lambda x, y: 20 + (x + y) % 236, 8, PALETTE, important=20))
    tool.prepare().start()
    still = []
    for slot in (1, 0):
        assert not tool.choose(slot, "C:\\pics\\cycle.bmp", answer=None), "no question for a logo"
        first = tool.preview(slot)["digest"]
        time.sleep(0.5)
        still.append(tool.preview(slot)["digest"] == first)
    assert still == [True, False], "only the start-up logo's preview turns"
