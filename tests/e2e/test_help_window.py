"""The help window: its texts, pictures, size and place at 96 and 120 dpi, modal over the main window."""
import pytest
from wine import wait_for

from ui import CANCEL, HELP, HINT, centred, rect

TEXTS = {
    100: "Windoiws98、及びWindows95のPC AT互換機の場合に、このソフトを御使用になれます｡",
    101: "ロゴファイルは、縦320×横400ドット×256色のビットマップファイルという約束になっています。"
         "起動時や終了時には、これを640×400ドット（つまり、横2倍）に引き伸ばしています。"
         "ですから、最初に640×400ドット×256色の.bmp画像をつくり、適当な画像処理系ソフトを利用して、"
         "横を半分に縮小してやればよいのです。",
    102: "640×400ドット×256色",
    103: "320×400ドット×256色",
}
PLACES = {100: (8, 8), 101: (8, 48), 102: (40, 128), 103: (200, 128), 104: (48, 152, 96, 60),
          105: (232, 152, 48, 60)}


def check_help(tool, dpi):
    tool.press(HINT)
    w, c = tool.window(HELP), tool.controls(HELP)
    assert (w["width"], w["height"], w["dpi"]) == (353, 256, dpi)
    assert w["left"] == centred(1024, round(5325 * dpi / 1440) + w["width"] - w["client_width"], dpi)
    assert w["top"] == centred(768, round(3450 * dpi / 1440) + w["height"] - w["client_height"], dpi)
    assert {i: c[i]["text"] for i in TEXTS} == TEXTS
    for i, place in PLACES.items():
        assert rect(c[i])[:len(place)] == place
    assert c[101]["width"] == round(5055 * dpi / 1440), "the explanation keeps its stored box and wraps in it"
    assert tool.preview(0, HELP, 104)["distinct"] > 8 and tool.preview(0, HELP, 105)["distinct"] > 8
    assert tool.press(CANCEL, check=False)["error"] == "disabled", "the main window takes no clicks"


@pytest.mark.parametrize("dpi", [96, 120])
def test_help_window_twice_over_the_main_window(tool, dpi):
    if dpi != 96:
        tool.s.set_dpi(dpi)
    tool.prepare().start()
    w = tool.window()
    assert (w["width"], w["height"]) == (340, 256)
    for turn in range(2):
        check_help(tool, dpi)
        if turn == 0 and dpi == 96:
            tool.snap("help-window", HELP)
        tool.drive("close", HELP)
        wait_for(lambda: not tool.windows(HELP), what="the help window to close")
    tool.press(CANCEL)
    assert tool.ended() == 0
