"""The main window from outside: layout, place and settings file, choosing through the real file dialog,
previews, OK, Default, the keyboard and closing."""
import pytest

from bitmaps import bmp
from ui import (BAD, DEFAULT, DEMO, ENTER, ESC, GO_ON, IDNO, IDOK, IDYES, LABEL3, LBL_LOGO, LIVE, MAIN, OK, PIC_MOTO,
                PREVIEW, SANSYOU, TAB, TOOL, centred, logo, rect, settings_file, stored)

RED, GREEN, BLUE, YELLOW = (200, 30, 30), (30, 200, 30), (30, 30, 200), (220, 220, 40)
SETTINGS = TOOL + "\\Wendrop1.vrx"


@pytest.fixture
def ready(tool):
    tool.put(LIVE[0], logo(RED, stripe=9))
    return tool.prepare()


def test_opens_at_340_by_256_with_its_layout_and_the_installed_logos(ready):
    w, c = ready.start().window(), ready.controls()
    assert (w["width"], w["height"]) == (340, 256)
    assert [(c[i]["left"], c[i]["top"], c[i]["text"]) for i in SANSYOU] == [(64, 8 + 24 * s, "設定") for s in range(3)]
    assert [(c[i]["top"], c[i]["text"]) for i in LBL_LOGO] == [(11 + 24 * s, "") for s in range(3)]
    assert [rect(c[i]) for i in PREVIEW] == [(16 + 104 * s, 104, 96, 60) for s in range(3)]
    assert not any(c[i]["visible"] for i in PIC_MOTO), "the source boxes are never shown"
    assert c[LABEL3]["text"] == "【注意】.bmpファイルは 320×400×256色になっていますか？"
    assert not c[OK]["enabled"]
    red = ready.preview(0)
    assert red["distinct"] > 1 and red["mean"][0] > 3 * red["mean"][2], "the red striped logo.sys"
    assert ready.preview(1)["distinct"] > 8 and ready.preview(2)["distinct"] > 8


# None: centred on that axis, from the size it loaded with (client 339 x 229 plus the frame).
@pytest.mark.parametrize("left,top,place", [("9000", "1500", (600, 100)), ("-1500", "-300", (-100, -20)),
                                            ("40000", "1500", (None, 100)), ("abc", "", (None, None))])
def test_place_from_the_settings_file_and_written_back_by_the_close_box(ready, left, top, place):
    ready.put(SETTINGS, settings_file(left, top))
    ready.start()
    w = ready.window()
    loaded = (centred(1024, 339 + w["width"] - w["client_width"]),
              centred(768, 229 + w["height"] - w["client_height"]))
    assert (w["left"], w["top"]) == tuple(loaded[i] if p is None else p for i, p in enumerate(place))
    assert w["close_box"]
    ready.drive("close", MAIN)
    assert ready.ended() == 0
    assert stored(ready.read(SETTINGS)) == (w["left"] * 15, w["top"] * 15)
    if place == (600, 100):
        assert ready.read(SETTINGS) == settings_file("9000", "1500")


@pytest.mark.parametrize("slot,answer", [(1, IDNO), (1, IDYES), (2, IDYES)])
def test_a_missing_logo_is_asked_about_before_the_window_shows(ready, slot, answer):
    ready.s.c(LIVE[slot]).unlink()
    ready.start(wait=False)
    box = ready.box(MAIN)
    assert box["text"] == f"ファイルが見つかりません。\r\n{LIVE[slot]}\r\n{GO_ON}"
    assert box["icon"] == "question" and box["buttons"] == [IDYES, IDNO]
    assert not [w for w in ready.windows() if w["class"] == "PlumwickForm"], "no window yet"
    ready.press(answer, MAIN)
    if answer == IDNO:
        assert ready.ended() == 0
        assert not ready.exists(SETTINGS)
    else:
        ready.window()
        assert [ready.preview(i)["distinct"] > 1 for i in (1, 2)] == [i != slot for i in (1, 2)], "that one blank"
        assert [ready.exists(f"{TOOL}\\BakLog\\{name}") for name in ("logow.sys", "logos.sys")] == [
            slot != 1, slot != 2], "only the present logo is backed up"


def test_choosing_a_file_enables_ok_and_previews_it(ready):
    ready.put("C:\\pics\\green.bmp", logo(GREEN, stripe=5))
    before = ready.start().preview(1)
    ready.choose(1, "C:\\pics\\green.bmp")
    c, after = ready.controls(), ready.preview(1)
    ready.snap("main-window", MAIN)
    assert c[LBL_LOGO[1]]["text"] == "C:\\pics\\green.bmp" and c[OK]["enabled"]
    assert after != before and after["mean"][1] > 3 * after["mean"][0]
    ready.drive("key", MAIN, TAB)
    ready.drive("key", MAIN, ESC)  # presses Cancel wherever the focus is: nothing is applied
    assert ready.ended() == 0
    assert ready.read(LIVE[1]) == (DEMO / "logow.sys").read_bytes() and ready.exists(SETTINGS)


QUADRANTS = [RED, GREEN, BLUE, YELLOW]  # top left, top right, bottom left, bottom right


@pytest.mark.parametrize("bits,top_down", [(24, False), (8, True)])
def test_the_preview_is_upright_and_not_mirrored(ready, bits, top_down):
    index = lambda x, y: (y >= 200) * 2 + (x >= 160)  # noqa: E731
    ready.put("C:\\pics\\four.bmp", bmp(320, 400, (lambda x, y: QUADRANTS[index(x, y)]) if bits == 24 else index,
                                        bits, QUADRANTS, top_down))
    ready.start().choose(0, "C:\\pics\\four.bmp")
    for cell, want in zip(ready.preview(0)["grid"], QUADRANTS):
        assert max(abs(a - b) for a, b in zip(cell, want)) < 40, (cell, want)


def test_cancelling_the_dialog_changes_nothing(ready):
    before = ready.start().preview(0)
    ready.press(SANSYOU[0])
    assert ready.drive("file", "")["filters"][0] == "ビットマップ (*.bmp)"
    c = ready.controls()
    assert c[LBL_LOGO[0]]["text"] == "" and not c[OK]["enabled"] and ready.preview(0) == before
    assert not ready.windows(BAD)


def test_a_text_file_named_bmp_is_reported_and_stays_chosen(ready):
    ready.put("C:\\pics\\notes.bmp", "これは絵ではありません\r\n".encode("cp932"))
    before = ready.start().preview(2)
    ready.choose(2, "C:\\pics\\notes.bmp")
    box = ready.box(BAD)
    ready.snap("not-a-picture")
    assert box["icon"] == "critical" and box["buttons"] == [IDOK] and box["text"].startswith("ピクチャが不正です。")
    assert ready.controls()[OK]["enabled"], "OK is enabled before the previews run"
    ready.press(IDOK, BAD)
    assert ready.controls()[LBL_LOGO[2]]["text"] == "C:\\pics\\notes.bmp" and ready.preview(2) == before


def test_ok_with_only_the_shutdown_slot_replaces_only_logow(ready):
    ready.put("C:\\pics\\blue.bmp", logo(BLUE))
    old = [ready.read(p) for p in LIVE]
    ready.start().choose(1, "C:\\pics\\blue.bmp")
    ready.press(OK)
    assert ready.ended() == 0
    assert [ready.read(p) for p in LIVE] == [old[0], logo(BLUE), old[2]]
    assert not [p for p in ready.s.c("C:\\windows").iterdir() if p.suffix in (".pwn", ".pwo")]


def test_default_then_ok_puts_the_first_logos_back(ready):
    ready.start()
    ready.put(LIVE[1], logo(GREEN))
    ready.put(LIVE[2], logo(BLUE))
    ready.press(DEFAULT)
    c = ready.controls()
    assert [c[i]["text"] for i in LBL_LOGO] == [TOOL + "\\dfltlogo.sys", TOOL + "\\BakLog\\logow.sys",
                                                 TOOL + "\\BakLog\\logos.sys"]
    assert c[OK]["enabled"]
    ready.press(OK)
    assert ready.ended() == 0
    assert not ready.exists(LIVE[0])
    assert [ready.read(p) for p in LIVE[1:]] == [(DEMO / n).read_bytes() for n in ("logow.sys", "logos.sys")]


def test_enter_on_the_focused_button_opens_the_dialog_and_on_ok_applies(ready):
    ready.put("C:\\pics\\green.bmp", logo(GREEN))
    ready.start()
    assert ready.drive("key", MAIN, ENTER)["id"] == SANSYOU[0]
    ready.drive("file", "C:\\pics\\green.bmp")
    assert ready.controls()[LBL_LOGO[0]]["text"] == "C:\\pics\\green.bmp"
    for _ in range(12):
        if ready.drive("key", MAIN, TAB)["after"] == OK:
            break
    assert ready.drive("key", MAIN, ENTER)["id"] == OK
    assert ready.ended() == 0
    assert ready.read(LIVE[0]) == logo(GREEN)
