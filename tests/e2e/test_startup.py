"""Start-up from outside: a second copy, a Shift-JIS folder (the first backup: test_main_window)."""
from ui import CANCEL, DEMO, MAIN, TOOL


def test_second_copy_ends_at_once_and_touches_nothing(tool):
    first = tool.prepare().start().proc
    files = {p: p.stat().st_mtime_ns for p in tool.s.c(TOOL).rglob("*")}
    assert tool.start(wait=False).ended() == 0
    assert len(tool.windows(MAIN)) == 1
    assert {p: p.stat().st_mtime_ns for p in tool.s.c(TOOL).rglob("*")} == files
    tool.proc = first
    tool.press(CANCEL)
    assert tool.ended() == 0, "the first copy still answers"


def test_tool_folder_whose_name_has_0x5c_trail_bytes(tool):
    folder = "C:\\ソフト表示"  # ソ and 表 end in the byte 0x5C, a backslash when read byte by byte
    tool.prepare(folder=folder).start()
    assert tool.read(f"{folder}\\BakLog\\logos.sys") == (DEMO / "logos.sys").read_bytes()
    tool.drive("close", MAIN)
    assert tool.ended() == 0
    assert tool.read(f"{folder}\\Wendrop1.vrx").startswith(b"[Wendrop1]\r\n")
