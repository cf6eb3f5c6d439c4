"""The main window from outside: layout, place, settings file, choosing,
previews, OK, Default, the keyboard and closing."""

from __future__ import annotations

import pytest

from plumwick_ui import (CANCEL, CMD_OK, DEFAULT, GO_ON, LABEL3, LBL_LOGO, LIVE, MAIN, OK, PREVIEW, PREVIEW_BOX,
                         RESOURCES, SANSYOU, SETTINGS, KEY_LEFT, KEY_TOP, TOOL, Tool, centred, logo, stored)

pytestmark = pytest.mark.usefixtures("needs_tool")

RED, GREEN, BLUE = (200, 30, 30), (30, 200, 30), (30, 30, 200)


@pytest.fixture
def tool(desk) -> Tool:
    return Tool(desk).prepare(root={"logo.sys": logo(RED, stripe=9)})


def settings_file(left: str, top: str) -> bytes:
    return b"[Wendrop1]\r\n" + KEY_LEFT + b"=" + left.encode() + b"\r\n" + KEY_TOP + b"=" + top.encode() + b"\r\n"


def test_opens_centred_at_340_by_256_with_the_stored_layout(desk, tool):
    tool.start()
    desk.snap("main window")
    rect = tool.rect()
    assert (rect["width"], rect["height"]) == (340, 256)
    dpi = desk.driver.dpi()
    c = tool.controls()
    # Centred from the size it loaded with (client 339 x 229 plus the frame).
    frame_w = rect["width"] - desk.driver.rect(MAIN)["client_size"]["width"]
    frame_h = rect["height"] - desk.driver.rect(MAIN)["client_size"]["height"]
    assert rect["left"] == centred(dpi["screen_width"], 339 + frame_w)
    assert rect["top"] == centred(dpi["screen_height"], 229 + frame_h)
    for slot in range(3):
        assert c[SANSYOU[slot]]["rect"]["left"] == 64 and c[SANSYOU[slot]]["rect"]["top"] == 8 + 24 * slot
        assert c[SANSYOU[slot]]["text"] == "設定"
        assert c[LBL_LOGO[slot]]["text"] == "" and c[LBL_LOGO[slot]]["rect"]["top"] == 11 + 24 * slot
        box = c[PREVIEW[slot]]["rect"]
        assert (box["left"], box["top"], box["width"], box["height"]) == (16 + 104 * slot, 104, 96, 60)
    assert c[LABEL3]["text"] == "【注意】.bmpファイルは 320×400×256色になっていますか？"
    assert not c[CMD_OK]["enabled"]
    assert not any(c[i]["visible"] for i in (115, 116, 117)), "the source boxes are never shown"
    # The installed logos are previewed: red stripes, the demo pictures.
    assert tool.preview(0)["distinct"] > 1 and tool.preview(0)["mean"][0] > tool.preview(0)["mean"][2]
    assert tool.preview(1)["distinct"] > 8 and tool.preview(2)["distinct"] > 8


@pytest.mark.parametrize("left,top,expect", [
    ("9000", "1500", (600, 100)),
    ("-1500", "-300", (-100, -20)),
    ("40000", "1500", None),
    ("abc", "", None),
], ids=["stored", "off_screen", "too_large", "not_a_number"])
def test_place_from_the_settings_file_and_written_back_on_closing(desk, tool, left, top, expect):
    desk.put(SETTINGS, settings_file(left, top))
    tool.start()
    rect = tool.rect()
    if expect:
        assert (rect["left"], rect["top"]) == expect
    else:
        dpi = desk.driver.dpi()
        assert abs(rect["left"] - (dpi["screen_width"] - 345) // 2) <= 4, "opens centred"
    desk.driver.close(MAIN)
    assert tool.wait_ended() == 0
    written = tool.settings()
    assert stored(written, KEY_LEFT) == rect["left"] * 15
    assert stored(written, KEY_TOP) == rect["top"] * 15
    assert written.startswith(b"[Wendrop1]\r\n") and KEY_LEFT in written, written


def test_first_close_writes_9000_for_600_pixels_in_shift_jis(desk, tool):
    desk.put(SETTINGS, settings_file("9000", "0"))
    tool.start()
    tool.press(CANCEL)
    tool.wait_ended()
    assert tool.settings() == settings_file("9000", "0")
    # 起動時のLeft in Shift-JIS.
    assert b"\x8b\x4e\x93\xae\x8e\x9e\x82\xccLeft=9000" in tool.settings()


def test_missing_shutdown_logo_asks_and_no_ends_before_the_window_shows(desk):
    tool = Tool(desk).prepare(windows={"logos.sys": RESOURCES / "demo" / "logos.sys"}).start(wait=False)
    box = tool.box(MAIN)
    desk.snap("missing logow")
    assert box["text"].startswith("ファイルが見つかりません。") and box["text"].endswith("\r\n" + GO_ON)
    assert "logow.sys" in box["text"]
    assert box["icon"] == "question" and {b["name"] for b in box["buttons"]} == {"Yes", "No"}
    assert not [w for w in desk.driver.windows() if w["class"] == "PlumwickForm"], "the window is not shown yet"
    tool.answer(MAIN, "No")
    assert tool.wait_ended() == 0
    assert not desk.exists(SETTINGS)


def test_missing_shutdown_logo_yes_opens_with_that_preview_blank(desk):
    tool = Tool(desk).prepare(windows={"logos.sys": RESOURCES / "demo" / "logos.sys"}).start(wait=False)
    tool.box(MAIN)
    tool.answer(MAIN, "Yes")
    desk.driver.wait_window(MAIN)
    assert tool.preview(1)["distinct"] == 1, "nothing drawn"
    assert tool.preview(2)["distinct"] > 8


def test_choosing_a_file_enables_ok_and_previews_it(desk, tool):
    desk.put("C:\\pics\\green.bmp", logo(GREEN, stripe=5))
    tool.start()
    before = tool.preview(1)
    tool.choose(1, "C:\\pics\\green.bmp")
    assert tool.text(LBL_LOGO[1]) == "C:\\pics\\green.bmp"
    assert tool.enabled(CMD_OK)
    after = tool.preview(1)
    assert after != before and after["mean"][1] > after["mean"][0]
    desk.snap("chosen")


def test_cancelling_the_dialog_changes_nothing(desk, tool):
    tool.start()
    before = tool.preview(0)
    desk.driver.cmd("press-id", MAIN, SANSYOU[0])
    dialog = desk.driver.file_dialog()
    assert dialog["filters"][0].startswith("ビットマップ (*.bmp)")
    desk.snap("file dialog")
    desk.driver.file_cancel()
    assert tool.text(LBL_LOGO[0]) == ""
    assert not tool.enabled(CMD_OK)
    assert tool.preview(0) == before
    assert not tool.open_boxes(PREVIEW_BOX)


def test_a_file_that_is_not_a_picture_is_reported_and_stays_chosen(desk, tool):
    desk.put("C:\\pics\\notes.bmp", "これは絵ではありません\r\n".encode("cp932"))
    tool.start()
    before = tool.preview(2)
    desk.driver.cmd("press-id", MAIN, SANSYOU[2])
    desk.driver.file_open("C:\\pics\\notes.bmp")
    box = tool.box(PREVIEW_BOX)
    desk.snap("not a picture")
    assert box["icon"] == "critical" and [b["name"] for b in box["buttons"]] == ["OK"]
    assert box["text"].startswith("ピクチャが不正です。")
    assert tool.enabled(CMD_OK), "OK is enabled before the previews run"
    tool.answer(PREVIEW_BOX, "OK")
    assert tool.text(LBL_LOGO[2]) == "C:\\pics\\notes.bmp"
    assert tool.preview(2) == before


def test_ok_with_only_the_shutdown_slot_replaces_only_logow(desk, tool):
    desk.put("C:\\pics\\blue.bmp", logo(BLUE))
    tool.start()
    old = [desk.read(p) for p in LIVE]
    tool.choose(1, "C:\\pics\\blue.bmp")
    tool.press(OK)
    assert tool.wait_ended() == 0
    assert [desk.read(p) for p in LIVE] == [old[0], logo(BLUE), old[2]]
    assert stored(tool.settings(), KEY_LEFT) is not None
    assert not [p for p in desk.linux("C:\\windows").iterdir() if p.suffix in (".pwn", ".pwo")]


def test_default_restores_then_ok_applies_the_defaults(desk, tool):
    tool.start()
    desk.logo_files(windows={"logow.sys": logo(GREEN), "logos.sys": logo(BLUE)})
    tool.press(DEFAULT)
    assert tool.text(LBL_LOGO[0]) == TOOL + "\\dfltlogo.sys"
    assert tool.text(LBL_LOGO[1]) == TOOL + "\\BakLog\\logow.sys"
    assert tool.text(LBL_LOGO[2]) == TOOL + "\\BakLog\\logos.sys"
    assert tool.enabled(CMD_OK)
    assert not desk.exists(LIVE[0])
    assert desk.read(LIVE[1]) == (RESOURCES / "demo" / "logow.sys").read_bytes()
    desk.snap("after default")
    desk.put(LIVE[0], logo(RED))
    tool.press(OK)
    assert tool.wait_ended() == 0
    assert not desk.exists(LIVE[0])
    assert desk.read(LIVE[2]) == (RESOURCES / "demo" / "logos.sys").read_bytes()


def test_keyboard_enter_and_esc(desk, tool):
    desk.put("C:\\pics\\green.bmp", logo(GREEN))
    tool.start()
    # The focused 設定 button takes Enter itself and opens the dialog.
    assert desk.driver.key(MAIN, "enter")["focus"]["id"] == SANSYOU[0]
    desk.driver.file_open("C:\\pics\\green.bmp")
    assert tool.text(LBL_LOGO[0]) == "C:\\pics\\green.bmp"
    # Esc presses Cancel wherever the focus is: nothing is applied.
    old = desk.read(LIVE[0])
    desk.driver.key(MAIN, "tab")
    desk.driver.key(MAIN, "esc")
    assert tool.wait_ended() == 0
    assert desk.read(LIVE[0]) == old
    assert desk.exists(SETTINGS)


def test_enter_on_ok_applies(desk, tool):
    desk.put("C:\\pics\\green.bmp", logo(GREEN))
    tool.start()
    tool.choose(0, "C:\\pics\\green.bmp")
    for _ in range(12):
        if desk.driver.focus(MAIN)["id"] == CMD_OK:
            break
        desk.driver.key(MAIN, "tab")
    assert desk.driver.focus(MAIN)["id"] == CMD_OK
    desk.driver.key(MAIN, "enter")
    assert tool.wait_ended() == 0
    assert desk.read(LIVE[0]) == logo(GREEN)


def test_close_box_writes_the_position_and_ends(desk, tool):
    tool.start()
    rect = tool.rect()
    answer = desk.driver.close(MAIN)
    assert answer["sysmenu"]
    assert tool.wait_ended() == 0
    assert (stored(tool.settings(), KEY_LEFT), stored(tool.settings(), KEY_TOP)) == (rect["left"] * 15,
                                                                                     rect["top"] * 15)
