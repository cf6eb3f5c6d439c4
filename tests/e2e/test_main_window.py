"""The main window from outside: place and settings file, the first backups, choosing through the real file dialog,
previews, OK, Default, the keyboard and closing."""
import pytest

from bitmaps import bmp
from ui import (BAD, RESTORE, DEMO, ENTER, ESC, GO_ON, IDNO, IDOK, IDYES, CHOSEN, LIVE, MAIN, OK, 
                CHOOSE, TAB, TOOL, centred, logo, settings_file, stored)

RED, GREEN, BLUE, YELLOW = (200, 30, 30), (30, 200, 30), (30, 30, 200), (220, 220, 40)
SETTINGS = TOOL + "\\Wendrop1.vrx"


@pytest.fixture
def ready(tool):
    tool.put(LIVE[0], logo(RED, stripe=9))
    return tool.prepare()


# The window lands where the system's own frame puts it: a stored place, or centred (the arithmetic of
# places out of reach is the unit tests').
@pytest.mark.parametrize("left,top,place", [("9000", "1500", (600, 100)), ("abc", "", (None, None))])
def test_place_from_the_settings_file_and_written_back_by_the_close_box(ready, left, top, place):
    ready.put(SETTINGS, settings_file(left, top))
    ready.start()
    w = ready.window()
    loaded = (centred(1024, 339 + w["width"] - w["client_width"]),
              centred(768, 229 + w["height"] - w["client_height"]))
    assert (w["left"], w["top"]) == tuple(loaded[i] if p is None else p for i, p in enumerate(place))
    assert 0 <= w["left"] <= 1024 - w["width"] and 0 <= w["top"] <= 768 - w["height"]
    assert w["close_box"]
    ready.drive("close", MAIN)
    assert ready.ended() == 0
    assert stored(ready.read(SETTINGS)) == (w["left"] * 15, w["top"] * 15)
    if place == (600, 100):
        assert ready.read(SETTINGS) == settings_file("9000", "1500")


@pytest.mark.parametrize("slot,answer", [(1, IDNO), (2, IDYES)])
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


def test_choosing_a_file_enables_ok_and_previews_it_and_a_cancel_elsewhere_changes_nothing(ready):
    ready.put("C:\\pics\\green.bmp", logo(GREEN, stripe=5))
    before = ready.start().preview(1)
    ready.choose(1, "C:\\pics\\green.bmp")
    c, after = ready.controls(), ready.preview(1)
    ready.snap("main-window", MAIN)
    assert c[CHOSEN[1]]["text"] == "C:\\pics\\green.bmp" and c[OK]["enabled"]
    assert after != before and after["mean"][1] > 3 * after["mean"][0]
    shown = ready.preview(2)
    ready.choose(2, "")  # the dialog opens on green.bmp, the last choice; cancelled, it is not this slot's
    assert ready.controls()[CHOSEN[2]]["text"] == "" and ready.preview(2) == shown
    ready.drive("key", MAIN, TAB)
    ready.drive("key", MAIN, ESC)  # presses Cancel wherever the focus is: nothing is applied
    assert ready.ended() == 0
    assert ready.read(LIVE[1]) == (DEMO / "logow.sys").read_bytes() and ready.exists(SETTINGS)


QUADRANTS = [RED, GREEN, BLUE, YELLOW]  # top left, top right, bottom left, bottom right


def test_the_preview_is_upright_and_not_mirrored(ready):
    """The core decodes every kind of bitmap (unit tests); here the system draws the finished pixels."""
    index = lambda x, y: (y >= 200) * 2 + (x >= 160)  # noqa: E731
    ready.put("C:\\pics\\four.bmp", bmp(320, 400, lambda x, y: QUADRANTS[index(x, y)]))
    ready.start().choose(0, "C:\\pics\\four.bmp")
    for cell, want in zip(ready.preview(0)["grid"], QUADRANTS):
        assert max(abs(a - b) for a, b in zip(cell, want)) < 40, (cell, want)


def test_a_text_file_named_bmp_is_reported_and_refused_at_ok(ready):
    ready.put("C:\\pics\\notes.bmp", "これは絵ではありません\r\n".encode("cp932"))
    before = ready.start().preview(2)
    ready.choose(2, "C:\\pics\\notes.bmp")
    box = ready.box(BAD)
    ready.snap("not-a-picture")
    assert box["icon"] == "critical" and box["buttons"] == [IDOK] and box["text"].startswith("ピクチャが不正です。")
    assert ready.controls()[OK]["enabled"], "OK is enabled before the previews run"
    ready.press(IDOK, BAD)
    assert ready.controls()[CHOSEN[2]]["text"] == "C:\\pics\\notes.bmp" and ready.preview(2) == before
    old = [ready.read(p) for p in LIVE]
    ready.press(OK)
    box = ready.box(MAIN)
    assert box == {"text": "ピクチャが不正です。\r\nC:\\pics\\notes.bmp\r\n\r\nどのロゴも変更していません。",
                   "icon": "critical", "buttons": [IDOK]}
    ready.press(IDOK, MAIN)
    assert ready.proc.poll() is None and ready.window()["class"] == "PlumwickForm"
    assert ready.controls()[CHOSEN[2]]["text"] == "C:\\pics\\notes.bmp"
    assert [ready.read(p) for p in LIVE] == old


def test_a_hidden_system_read_only_logo_sys_previewed_backed_up_replaced_and_put_back_by_default(ready):
    original = ready.read(LIVE[0])
    ready.conceal(LIVE[0])  # as Windows keeps its own logo.sys
    ready.put("C:\\pics\\green.bmp", logo(GREEN))
    assert ready.start().window()["class"] == "PlumwickForm"
    red = ready.preview(0)["mean"]
    assert red[0] > 3 * red[2], "the hidden logo.sys is previewed"
    ready.choose(0, "C:\\pics\\green.bmp")
    assert ready.read(TOOL + "\\BakLog\\logo.sys") == original, "backed up at the first start"
    ready.press(OK)
    assert ready.ended() == 0 and ready.read(LIVE[0]) == logo(GREEN)
    ready.put(LIVE[1], logo(GREEN))  # later starts keep the first backups
    ready.put(LIVE[2], logo(BLUE))
    ready.start().press(RESTORE)
    c = ready.controls()
    assert [c[i]["text"] for i in CHOSEN] == [TOOL + "\\BakLog\\logo.sys", TOOL + "\\BakLog\\logow.sys",
                                                 TOOL + "\\BakLog\\logos.sys"]
    assert c[OK]["enabled"]
    ready.press(OK)
    assert ready.ended() == 0
    assert [ready.read(p) for p in LIVE] == [original] + [(DEMO / n).read_bytes() for n in ("logow.sys", "logos.sys")]


def test_enter_on_the_focused_button_opens_the_dialog_again_after_it_and_on_ok_applies(ready):
    ready.put("C:\\pics\\green.bmp", logo(GREEN))
    ready.start()
    assert ready.drive("key", MAIN, ENTER)["id"] == CHOOSE[0]
    ready.drive("file", "C:\\pics\\green.bmp")
    assert ready.controls()[CHOSEN[0]]["text"] == "C:\\pics\\green.bmp"
    old, before = [ready.read(p) for p in LIVE], ready.preview(0)
    assert ready.drive("key", MAIN, ENTER)["id"] == CHOOSE[0], "the focus is back on 設定 after the dialog"
    assert ready.drive("file", "")["filters"][0] == "ビットマップ (*.bmp)"  # the dialog again: cancelled
    assert [ready.read(p) for p in LIVE] == old and ready.preview(0) == before and not ready.windows(BAD)
    assert ready.controls()[CHOSEN[0]]["text"] == "C:\\pics\\green.bmp"
    assert any(ready.drive("key", MAIN, TAB)["after"] == OK for _ in range(12))
    assert ready.drive("key", MAIN, ENTER)["id"] == OK
    assert ready.ended() == 0
    assert ready.read(LIVE[0]) == logo(GREEN)
