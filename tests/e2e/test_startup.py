"""Start-up from outside: the first backup, later starts, a second copy, a Shift-JIS folder."""
from ui import CANCEL, DEMO, MAIN, TOOL, logo


def test_first_start_backs_up_both_logos_and_a_later_start_keeps_them(tool):
    tool.prepare().start()
    assert tool.window()["class"] == "PlumwickForm"
    for name in ("logow.sys", "logos.sys"):
        assert tool.read(f"{TOOL}\\BakLog\\{name}") == (DEMO / name).read_bytes()
    tool.drive("close", MAIN)
    assert tool.ended() == 0
    tool.put("C:\\windows\\logow.sys", logo((255, 0, 0)))
    tool.start()
    assert tool.read(f"{TOOL}\\BakLog\\logow.sys") == (DEMO / "logow.sys").read_bytes()


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
