"""On a Western system (code page 1252) the tool speaks plain ASCII English: both windows and every box,
texts that fit their controls at 96 and 120 dpi, and the settings file keeps its Shift-JIS keys."""
import pytest

from bitmaps import bmp
from ui import CANCEL, CHOOSE, HOW_TO, IDNO, IDOK, IDYES, KEYS, LIVE, MAIN, OK, RESTORE, SLOT_NAME, TOOL, H

HELP = "How to make a logo file"
BAD = "Oops! Please check the file"


@pytest.mark.parametrize("dpi", [96, 120])
def test_english_windows_and_boxes(tool_en, dpi):
    t, seen = tool_en, []
    if dpi != 96:
        t.s.set_dpi(dpi)
    t.put("C:\\pics\\notes.bmp", b"not a picture\r\n")
    t.put("C:\\pics\\photo.bmp", bmp(64, 48, lambda x, y: (x * 4, y * 5, 90)))
    t.prepare().s.c(LIVE[2]).unlink()

    def box(title, text_end, icon, answer):
        b = t.box(title)
        seen.append(b["text"])
        assert b["text"].endswith(text_end) and b["icon"] == icon, b
        t.press(answer, title)

    t.start(wait=False)
    box(MAIN, "File not found.\r\nC:\\windows\\logos.sys\r\nContinue?", "question", IDYES)
    c = t.controls()
    assert [c[i]["text"] for i in (*CHOOSE, RESTORE, OK, CANCEL, HOW_TO)] == ["Set..."] * 3 + [
        "Default", "OK", "Cancel", "How to make a logo"]
    seen += [x["text"] for x in c.values()]
    t.snap(f"main-window-en-{dpi}", MAIN)
    t.fit(autosized=SLOT_NAME)
    t.press(HOW_TO)
    seen += [x["text"] for x in t.controls(HELP).values()] + [w["title"] for w in t.windows()]
    t.snap(f"help-window-en-{dpi}", HELP)
    t.fit(HELP, autosized=(H["WideCaption"], H["SqueezedCaption"]))
    t.drive("close", HELP)
    t.choose(0, "C:\\pics\\photo.bmp", answer=None)
    box(MAIN, "Make a logo of it? The copy goes in the Logos folder and is chosen instead.", "question", IDNO)
    t.choose(2, "C:\\pics\\notes.bmp")
    box(BAD, "Invalid picture.\r\nC:\\pics\\notes.bmp", "critical", IDOK)
    t.press(OK)
    box(MAIN, "Invalid picture.\r\nC:\\pics\\notes.bmp\r\n\r\nNo logo has been changed.", "critical", IDOK)
    assert all(x.isascii() for x in seen), [x for x in seen if not x.isascii()]
    t.drive("close", MAIN)
    assert t.ended() == 0
    assert KEYS[0] + b"=" in t.read(TOOL + "\\Wendrop1.vrx")
