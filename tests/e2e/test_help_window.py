"""The help window: its texts and pictures, its size and place at 96 and
120 dpi, modal over the main window."""

from __future__ import annotations

import pytest

from plumwick_ui import CANCEL, HELP, HINT, MAIN, Tool, centred

pytestmark = pytest.mark.usefixtures("needs_tool")

TEXTS = {
    100: "Windoiws98、及びWindows95のPC AT互換機の場合に、このソフトを御使用になれます｡",
    101: "ロゴファイルは、縦320×横400ドット×256色のビットマップファイルという約束になっています。"
         "起動時や終了時には、これを640×400ドット（つまり、横2倍）に引き伸ばしています。"
         "ですから、最初に640×400ドット×256色の.bmp画像をつくり、適当な画像処理系ソフトを利用して、"
         "横を半分に縮小してやればよいのです。",
    102: "640×400ドット×256色",
    103: "320×400ドット×256色",
}
PLACES = {100: (8, 8), 101: (8, 48), 102: (40, 128), 103: (200, 128), 104: (48, 152), 105: (232, 152)}


def open_help(desk, tool):
    tool.press(HINT)
    desk.driver.wait_window(HELP)


def check_help(desk, tool, dpi):
    window = desk.driver.rect(HELP)["window"]
    assert (window["width"], window["height"]) == (353, 256)
    screen = desk.driver.dpi()
    frame = desk.driver.rect(HELP)
    loaded_w = round(5325 * dpi / 1440) + window["width"] - frame["client_size"]["width"]
    loaded_h = round(3450 * dpi / 1440) + window["height"] - frame["client_size"]["height"]
    assert window["left"] == centred(screen["screen_width"], loaded_w, dpi)
    assert window["top"] == centred(screen["screen_height"], loaded_h, dpi)
    controls = tool.controls(HELP)
    for cid, text in TEXTS.items():
        assert controls[cid]["text"] == text
    for cid, (left, top) in PLACES.items():
        assert (controls[cid]["rect"]["left"], controls[cid]["rect"]["top"]) == (left, top)
    for cid, size in ((104, (96, 60)), (105, (48, 60))):
        assert (controls[cid]["rect"]["width"], controls[cid]["rect"]["height"]) == size
        assert desk.driver.pixels(HELP, cid)["distinct"] > 8, "the picture is drawn"
    # The two explanations keep their stored boxes (5055 twips wide) and wrap inside them.
    assert controls[101]["rect"]["width"] == round(5055 * dpi / 1440)


def test_help_opens_modal_with_its_texts_and_closes_back(desk):
    tool = Tool(desk).prepare().start()
    open_help(desk, tool)
    desk.snap("help window")
    check_help(desk, tool, 96)
    refused = desk.driver.raw("press", MAIN, CANCEL)
    assert not refused["ok"] and refused["error"] == "disabled", "the main window takes no clicks"
    desk.driver.close(HELP)
    desk.driver.wait_gone(HELP)
    assert desk.driver.cmd("window", MAIN)["enabled"]
    open_help(desk, tool)
    check_help(desk, tool, 96)
    desk.driver.close(HELP)
    desk.driver.wait_gone(HELP)
    tool.press(CANCEL)
    assert tool.wait_ended() == 0


def test_at_120_dpi_both_windows_keep_their_pixel_sizes(desk):
    desk.set_dpi(120)
    assert desk.driver.dpi()["x"] == 120
    tool = Tool(desk).prepare().start()
    window = tool.rect()
    assert (window["width"], window["height"]) == (340, 256)
    desk.snap("main window 120 dpi")
    open_help(desk, tool)
    desk.snap("help window 120 dpi")
    check_help(desk, tool, 120)
