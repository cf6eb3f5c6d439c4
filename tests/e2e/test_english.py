"""On a Western system (code page 1252) the tool speaks plain ASCII English: both windows and every box,
texts that fit their controls at 96 and 120 dpi, and the settings file keeps its Shift-JIS keys."""
import pytest

from bitmaps import bmp
from ui import CANCEL, CHOOSE, ESC, HOW_TO, IDNO, IDOK, KEYS, LIVE, MAIN, OK, RESTORE, SLOT_NAME, TOOL, H

HELP = "How to make a logo file"


@pytest.mark.parametrize("dpi", [96, 120])
def test_english_windows_and_boxes(tool_en, dpi):
    t, seen = tool_en, []
    if dpi != 96:
        t.s.set_dpi(dpi)
    t.put("C:\\pics\\notes.bmp", b"not a picture\r\n")
    t.put("C:\\pics\\photo.bmp", bmp(64, 48, lambda x, y: (x * 4, y * 5, 90)))
    t.prepare().s.c(LIVE[2]).unlink()

    def box(title, text, icon, answer, snap=None):
        b = t.box(title)
        seen.append(b["text"])
        assert b["text"] == text and b["icon"] == icon, b
        if snap and dpi == 96:
            t.snap(snap)
        t.press(answer, title)

    t.start(wait=False)
    box(MAIN, "These logos are not there:\r\nC:\\windows\\logos.sys\r\n\r\nWhile Windows shuts down it then shows "
              "plain text. Choose a logo with Set... to have one there.", "question", IDOK, "missing-logos-en")
    c = t.controls()
    assert [c[i]["text"] for i in (*SLOT_NAME, *CHOOSE, HOW_TO, RESTORE, OK, CANCEL)] == [
        "Start-up", "Shutdown", "Power-off"] + ["Set..."] * 3 + ["How to make a logo", "Default", "OK", "Cancel"]
    seen += [x["text"] for x in c.values()]
    t.snap(f"main-window-en-{dpi}", MAIN)
    t.fit(autosized=SLOT_NAME)
    t.press(HOW_TO)
    seen += [x["text"] for x in t.controls(HELP).values()] + [w["title"] for w in t.windows()]
    t.snap(f"help-window-en-{dpi}", HELP)
    t.fit(HELP, autosized=(H["WideCaption"], H["SqueezedCaption"]))
    t.drive("key", HELP, ESC)
    t.choose(0, "C:\\pics\\photo.bmp", answer=None)
    box(MAIN, "This picture is 64 x 48, 24-bit colour.\r\nWindows shows a logo only if it is an uncompressed bitmap of "
              "320 x 400 pixels with 256 colours.\r\n\r\nMake a logo of it? The copy goes in the Logos folder and is "
              "chosen instead.", "question", IDNO)
    t.choose(2, "C:\\pics\\notes.bmp", answer=None)
    box(MAIN, "C:\\pics\\notes.bmp\r\n\r\nThis file is not a picture the tool reads (BMP, JPEG, PNG or GIF).\r\n\r\nThe logo keeps the file it had.",
        "critical", IDOK, "not-a-picture-en")
    t.press(OK)
    box(MAIN, "Windows does not show these files as logos:\r\nC:\\pics\\photo.bmp\r\n\r\nWindows shows a logo only if "
              "it is an uncompressed bitmap of 320 x 400 pixels with 256 colours.\r\n\r\nUse them all the same?",
        "question", IDNO, "not-a-logo-at-ok-en")
    t.s.c(TOOL + "\\BakLog\\logow.sys").unlink()
    t.press(RESTORE)
    box(MAIN, "Default did this:\r\n\r\nLeft as they are, as their copies in BakLog are gone:\r\nC:\\windows\\logow.sys "
              "(C:\\Plumwick\\BakLog\\logow.sys)",
        "critical", IDOK, "default-with-a-copy-gone-en")
    assert all(x.isascii() for x in seen), [x for x in seen if not x.isascii()]
    t.drive("close", MAIN)
    assert t.ended() == 0
    assert KEYS[0] + b"=" in t.read(TOOL + "\\Wendrop1.vrx")
