"""The main window from outside: place and settings file, the first backups, choosing through the real file dialog,
previews, OK, Default, the keyboard and closing."""
import shutil

import pytest

from bitmaps import bmp
from ui import (CANCEL, CHOOSE, CHOSEN, DEMO, ENTER, ESC, IDNO, IDOK, IDYES, LIVE, MAIN, OK, PREVIEW, QUESTION, RESTORE,
                TAB, TOOL, centred, logo, picture, settings_file, stored)

RED, GREEN, BLUE, YELLOW = (200, 30, 30), (30, 200, 30), (30, 30, 200), (220, 220, 40)
SETTINGS = TOOL + "\\Wendrop1.vrx"
LONG = "C:\\pics\\夏休みの写真 2026\\山の上から見た朝の景色（ソ表能）"


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
        assert ready.read(SETTINGS) == settings_file("9000", "1500", backup_made=True)


@pytest.mark.parametrize("missing", [(1,), (1, 2)])
def test_missing_logos_are_named_in_one_box_and_previewed_as_none(ready, missing):
    for slot in missing:
        ready.s.c(LIVE[slot]).unlink()
    ready.start(wait=False)
    box = ready.box(MAIN)
    assert box["text"] == "次のロゴがありません:\r\n%s\r\n\r\nこのとき Windows は、終了するときに文字だけを表示します。" \
                          "「設定」でロゴを選べます。" % "\r\n".join(LIVE[s] for s in missing)
    assert box["buttons"] == [IDOK]
    ready.press(IDOK, MAIN)
    ready.window()
    assert [ready.preview(s)["distinct"] == 2 for s in (1, 2)] == [s in missing for s in (1, 2)], "none: crossed grey"
    assert [ready.exists(f"{TOOL}\\BakLog\\{name}") for name in ("logow.sys", "logos.sys")] == [
        s not in missing for s in (1, 2)], "only the present logos are kept"


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


def test_a_file_that_is_no_picture_is_refused_when_chosen_and_ok_applies_the_other_rows(ready):
    ready.put("C:\\pics\\notes.bmp", "これは絵ではありません\r\n".encode("cp932"))
    ready.put("C:\\pics\\green.bmp", logo(GREEN))
    ready.start().choose(1, "C:\\pics\\green.bmp")
    before = ready.preview(2)
    ready.choose(2, "C:\\pics\\notes.bmp", answer=None)
    box = ready.box(MAIN)
    ready.snap("not-a-picture")
    assert box == {"text": "C:\\pics\\notes.bmp\r\n\r\nこのファイルは、このツールが読める画像（BMP、JPEG、PNG、GIF）ではありません。\r\n\r\n"
                           "このロゴには前に選んだファイルがそのまま残ります。", "icon": "critical", "buttons": [IDOK]}
    ready.press(IDOK, MAIN)
    assert ready.controls()[CHOSEN[2]]["text"] == "" and ready.preview(2) == before
    ready.press(OK)
    assert ready.ended() == 0
    assert [ready.read(p) for p in LIVE[1:]] == [logo(GREEN), (DEMO / "logos.sys").read_bytes()]


# A logo dropped on the power-off preview; a JPEG on the power-off row's path, made into a logo as if chosen.
@pytest.mark.parametrize("green,on", [("C:\\pics\\green.bmp", PREVIEW), ("C:\\pics\\green.jpg", CHOSEN)],
                         ids=["logo_on_the_preview", "jpeg_on_the_row"])
def test_a_file_dropped_on_a_slot_is_chosen_there_and_a_drop_elsewhere_is_told_where(ready, green, on):
    """Dropped as Explorer drops files: on the power-off slot, beside every control, and two at once."""
    blue, chosen = "C:\\pics\\blue.bmp", green
    ready.put(green, logo(GREEN) if green.endswith(".bmp") else picture("jpg", lambda x, y: GREEN))
    ready.put(blue, logo(BLUE))
    assert ready.start().window()["takes_files"]
    box = ready.controls()[on[2]]
    middle = (box["left"] + box["width"] // 2, box["top"] + box["height"] // 2)
    ready.drive("drop", MAIN, *middle, green)
    if green.endswith(".jpg"):
        assert ready.box(MAIN)["text"] == QUESTION % "640×480、JPEG"
        ready.press(IDYES, MAIN)
        chosen = TOOL + "\\Logos\\green.bmp"
    assert ready.controls()[CHOSEN[2]]["text"] == chosen and ready.controls()[OK]["enabled"]
    shown = ready.preview(2)["mean"]
    assert shown[1] > 3 * shown[0], "the green logo in the power-off preview"
    for at, files in [((2, 2), [green]), (middle, [blue, green])]:
        ready.drive("drop", MAIN, *at, *files)
        assert ready.box(MAIN) == {"text": "ファイルは一つずつ、ロゴの行かプレビューの上にドロップしてください。",
                                   "icon": "question", "buttons": [IDOK]}
        ready.snap("dropped-beside")
        ready.press(IDOK, MAIN)
    assert [c["text"] for i, c in ready.controls().items() if i in CHOSEN] == ["", "", chosen]
    ready.press(OK)
    assert ready.ended() == 0 and ready.read(LIVE[2]) == ready.read(chosen)


def test_no_to_the_offer_keeps_the_bitmap_and_ok_asks_before_installing_it(ready):
    """In a folder whose path is longer than the row: the row shows its start and the file's name."""
    wide, path = bmp(64, 20, lambda x, y: (x * 4, y * 9, 90)), LONG + "\\wide.bmp"
    ready.put(path, wide)
    assert ready.start().choose(2, path, answer=IDNO)
    assert ready.controls()[CHOSEN[2]]["text"] == path
    ready.snap("long-path", MAIN)
    ready.press(OK)
    box = ready.box(MAIN)
    ready.snap("not-a-logo-at-ok")
    assert box["text"] == ("次のファイルは、Windows がロゴとして表示しません。\r\n" + path + "\r\n\r\nWindows がロゴ"
                           "として表示するのは、320×400ドット×256色の無圧縮のビットマップだけです。\r\n\r\nそれでもロゴにしますか？")
    assert box["buttons"] == [IDYES, IDNO]
    ready.drive("key", MAIN, ENTER)  # the default answer: No
    assert ready.proc.poll() is None and ready.read(LIVE[2]) == (DEMO / "logos.sys").read_bytes()
    ready.press(OK)
    ready.press(IDYES, MAIN)
    assert ready.ended() == 0 and ready.read(LIVE[2]) == wide


def test_default_puts_back_what_it_can_and_says_so(ready):
    original = ready.read(LIVE[0])
    ready.conceal(LIVE[0])  # as Windows keeps its own logo.sys
    ready.put("C:\\pics\\green.bmp", logo(GREEN))
    assert ready.start().window()["class"] == "PlumwickForm"
    red = ready.preview(0)["mean"]
    assert red[0] > 3 * red[2], "the hidden logo.sys is previewed"
    for slot in range(3):
        ready.choose(slot, "C:\\pics\\green.bmp")
    ready.press(OK)
    assert ready.ended() == 0 and [ready.read(p) for p in LIVE] == [logo(GREEN)] * 3
    ready.s.c(TOOL + "\\BakLog\\logos.sys").unlink()  # a copy lost since
    ready.start().press(RESTORE)
    box = ready.box(MAIN)
    ready.snap("default-with-a-copy-gone")
    assert box["text"] == ("ﾃﾞﾌｫﾙﾄ で次のようにしました。\r\n\r\n最初の起動のときのロゴに戻しました:\r\nC:\\logo.sys\r\n"
                           "C:\\windows\\logow.sys\r\n\r\nBakLog に保存したものがなくなっているので、そのままにしました:\r\n"
                           "C:\\windows\\logos.sys (C:\\Plumwick\\BakLog\\logos.sys)") and box["icon"] == "critical"
    ready.press(IDOK, MAIN)
    c = ready.controls()
    assert [c[i]["text"] for i in CHOSEN] == ["", "", ""] and not c[OK]["enabled"], "the rows show what is installed"
    assert ready.preview(0)["mean"][0] > 3 * ready.preview(0)["mean"][2], "the red logo.sys is back"
    ready.press(CANCEL)
    assert ready.ended() == 0
    assert [ready.read(p) for p in LIVE] == [original, (DEMO / "logow.sys").read_bytes(), logo(GREEN)]


def test_a_deleted_backup_is_said_and_kept_again_only_when_the_user_says_so(ready):
    ready.start().press(CANCEL)
    assert ready.ended() == 0 and b"\r\nBakLog=1\r\n" in ready.read(SETTINGS)
    ready.put(LIVE[1], logo(GREEN))
    for answer in (IDNO, IDYES):
        shutil.rmtree(ready.s.c(TOOL + "\\BakLog"), ignore_errors=True)
        ready.start(wait=False)
        box = ready.box(MAIN)
        assert box["text"] == ("Plumwick が最初にロゴを変更する前のロゴを保存した BakLog フォルダが、なくなっています:\r\n"
                               "C:\\Plumwick\\BakLog\r\n\r\nいまのロゴを最初のロゴとして保存しますか？ ﾃﾞﾌｫﾙﾄ では、これに戻ります。")
        if answer == IDNO:
            ready.snap("backup-gone")
        ready.press(answer, MAIN)
        ready.window()
        assert ready.exists(TOOL + "\\BakLog") == (answer == IDYES)
        ready.press(CANCEL)
        assert ready.ended() == 0
    assert ready.read(TOOL + "\\BakLog\\logow.sys") == logo(GREEN)


def test_enter_on_the_focused_button_opens_the_dialog_again_after_it_and_on_ok_applies(ready):
    ready.put("C:\\pics\\green.bmp", logo(GREEN))
    ready.start()
    assert ready.drive("key", MAIN, ENTER)["id"] == CHOOSE[0]
    ready.drive("file", "C:\\pics\\green.bmp")
    assert ready.controls()[CHOSEN[0]]["text"] == "C:\\pics\\green.bmp"
    old, before = [ready.read(p) for p in LIVE], ready.preview(0)
    assert ready.drive("key", MAIN, ENTER)["id"] == CHOOSE[0], "the focus is back on 設定 after the dialog"
    assert ready.drive("file", "")["filters"] == [  # the dialog again: cancelled
        "画像 (*.bmp;*.jpg;*.png;*.gif)", "ビットマップ (*.bmp)", "JPEG (*.jpg)", "PNG (*.png)", "GIF (*.gif)",
        "すべてのファイル (*.*)"]
    assert [ready.read(p) for p in LIVE] == old and ready.preview(0) == before
    assert ready.controls()[CHOSEN[0]]["text"] == "C:\\pics\\green.bmp"
    assert any(ready.drive("key", MAIN, TAB)["after"] == OK for _ in range(12))
    assert ready.drive("key", MAIN, ENTER)["id"] == OK
    assert ready.ended() == 0
    assert ready.read(LIVE[0]) == logo(GREEN)
