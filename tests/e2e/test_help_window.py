"""The main window's layout, Tab order and installed logos, and the help window: its texts, pictures, size and place
at 96 and 120 dpi (everything scaled by 120/96), modal over the main window and a title bar below it, opened from the
keyboard, closed by Esc, and giving the focus back to its button."""
import pytest
from wine import wait_for

from ui import (CANCEL, CHOOSE, CHOSEN, ENTER, ESC, FORMAT_NOTE, HELP, HOW_TO, LIVE, MAIN, OK, PREVIEW, RESTORE,
                SLOT_NAME, TAB, H, logo, rect, scaled)

TEXTS = {
    H["Systems"]: "Windows98、及びWindows95のPC AT互換機の場合に、このソフトを御使用になれます｡",
    H["Method"]: "ロゴファイルは、横320×縦400ドット×256色のビットマップファイルという約束になっています。"
         "起動時や終了時には、これを640×400ドット（つまり、横2倍）に引き伸ばしています。"
         "ですから、最初に640×400ドット×256色の.bmp画像をつくり、適当な画像処理系ソフトを利用して、"
         "横を半分に縮小してやればよいのです。",
    H["WideCaption"]: "640×400ドット×256色",
    H["SqueezedCaption"]: "320×400ドット×256色",
}
PLACES = {H["Systems"]: (8, 8), H["Method"]: (8, 48), H["WideCaption"]: (40, 128), H["SqueezedCaption"]: (200, 128),
          H["WidePicture"]: (48, 152, 96, 60), H["SqueezedPicture"]: (232, 152, 48, 60)}


def check_help(tool, dpi, main):
    assert tool.drive("key", MAIN, ENTER)["id"] == HOW_TO, "the focus is back on the button after the window"
    w, c = tool.window(HELP), tool.controls(HELP)
    assert (w["width"], w["height"], w["dpi"]) == (*scaled((353, 256), dpi), dpi)
    title_bar = w["height"] - w["client_height"] - (w["width"] - w["client_width"]) // 2
    assert (w["left"], w["top"]) == (main["left"] + title_bar, main["top"] + title_bar), "a title bar below the main one"
    assert {i: c[i]["text"] for i in TEXTS} == TEXTS
    for i, place in PLACES.items():
        assert rect(c[i])[:len(place)] == scaled(place[:2], dpi) + place[2:], "pictures keep their size"
    assert c[H["Method"]]["width"] == round(5055 * dpi / 1440), "the explanation keeps its stored box and wraps in it"
    tool.fit(HELP, autosized=(H["WideCaption"], H["SqueezedCaption"]))
    assert tool.preview(0, HELP, H["WidePicture"])["distinct"] > 8 and \
        tool.preview(0, HELP, H["SqueezedPicture"])["distinct"] > 8
    assert tool.press(CANCEL, check=False)["error"] == "disabled", "the main window takes no clicks"


@pytest.mark.parametrize("dpi", [96, 120])
def test_main_window_layout_and_the_help_window_twice_from_the_keyboard(tool, dpi):
    if dpi != 96:
        tool.s.set_dpi(dpi)
    tool.put(LIVE[0], logo((200, 30, 30), stripe=9))
    w, c = tool.prepare().start().window(), tool.controls()
    assert (w["width"], w["height"]) == scaled((340, 256), dpi)
    assert [rect(c[i]) + (c[i]["text"],) for i in CHOOSE] == [scaled((72, 8 + 24 * s, 41, 17), dpi) + ("設定",)
                                                               for s in range(3)]
    assert [rect(c[i]) + (c[i]["text"],) for i in CHOSEN] == [scaled((121, 8 + 24 * s, 211, 17), dpi) + ("",)
                                                               for s in range(3)]
    assert c[FORMAT_NOTE]["text"] == "【注意】.bmpファイルは 320×400×256色になっていますか？" and not c[OK]["enabled"]
    red = tool.preview(0)
    assert red["distinct"] > 1 and red["mean"][0] > 3 * red["mean"][2], "the red striped logo.sys"
    assert tool.preview(1)["distinct"] > 8 and tool.preview(2)["distinct"] > 8
    assert [rect(c[i]) for i in PREVIEW] == [scaled((16 + 104 * s, 104, 96, 60), dpi) for s in range(3)]
    tool.fit(autosized=SLOT_NAME)
    # Tab as one reads: the three 設定 buttons down, then the bottom row from left to right (OK, disabled, left out).
    assert [tool.drive("key", MAIN, TAB)["after"] for _ in range(6)] == [CHOOSE[1], CHOOSE[2], HOW_TO, RESTORE, CANCEL,
                                                                         CHOOSE[0]]
    assert any(tool.drive("key", MAIN, TAB)["after"] == HOW_TO for _ in range(12))
    for turn in range(2):
        check_help(tool, dpi, w)
        if turn == 0 and dpi == 96:
            tool.snap("help-window", HELP)
        tool.drive("key", HELP, ESC) if turn else tool.drive("close", HELP)
        wait_for(lambda: not tool.windows(HELP), what="the help window to close")
    tool.press(CANCEL)
    assert tool.ended() == 0
