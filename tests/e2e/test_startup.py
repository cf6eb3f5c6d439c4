"""Start-up from outside: the backup on the first start, later starts, a
second copy, a missing logo, a tool folder with a Shift-JIS name."""

from __future__ import annotations

import time

import pytest

from plumwick_ui import GO_ON, MAIN, RESOURCES, TOOL, Tool, logo

pytestmark = pytest.mark.usefixtures("needs_tool")


@pytest.fixture
def tool(desk) -> Tool:
    return Tool(desk).prepare()


def backup(desk, name, folder=TOOL):
    return desk.read(f"{folder}\\BakLog\\{name}")


def test_first_start_backs_up_both_logos_and_shows_the_window(desk, tool):
    tool.start()
    desk.snap("first start")
    for name in ("logow.sys", "logos.sys"):
        assert backup(desk, name) == desk.read(f"C:\\windows\\{name}")
    assert not desk.exists(TOOL + "\\BakLog\\logo.sys")
    window = desk.driver.cmd("window", MAIN)
    assert window["enabled"] and window["class"] == "PlumwickForm"


def test_later_start_keeps_the_first_backups(desk, tool):
    tool.start()
    first = backup(desk, "logow.sys"), backup(desk, "logos.sys")
    desk.driver.close(MAIN)
    tool.wait_ended()
    desk.logo_files(windows={"logow.sys": logo((255, 0, 0)), "logos.sys": logo((0, 0, 255))})
    tool.start()
    assert (backup(desk, "logow.sys"), backup(desk, "logos.sys")) == first


def test_second_copy_ends_at_once_and_touches_nothing(desk, tool):
    tool.start()
    folder = desk.linux(TOOL)
    before = {p: p.stat().st_mtime_ns for p in folder.rglob("*")}
    second = desk.run_tool(folder=TOOL)
    assert second.wait(10) == 0
    assert [w["title"] for w in desk.driver.windows()].count(MAIN) == 1
    assert {p: p.stat().st_mtime_ns for p in folder.rglob("*")} == before
    assert tool.alive()
    desk.driver.press(MAIN, "ｷｬﾝｾﾙ")
    assert tool.wait_ended() == 0, "the first copy still answers"


def test_missing_power_off_logo_backs_up_only_the_shutdown_logo(desk):
    tool = Tool(desk).prepare(windows={"logow.sys": RESOURCES / "demo" / "logow.sys"})
    tool.start(wait=False)
    box = tool.box(MAIN)
    assert box["text"].endswith(GO_ON) and box["icon"] == "question"
    tool.answer(MAIN, "Yes")
    desk.driver.wait_window(MAIN)
    assert backup(desk, "logow.sys") == desk.read("C:\\windows\\logow.sys")
    assert not desk.exists(TOOL + "\\BakLog\\logos.sys")


# "ソ" and "表" end in the byte 0x5C, a backslash when read byte by byte.
@pytest.mark.parametrize("name", ["ソフト表示"], ids=["trail_byte_5c"])
def test_tool_folder_with_a_shift_jis_name(desk, name):
    tool = Tool(desk).prepare(folder_name=name)
    tool.start()
    folder = f"C:\\{name}"
    assert backup(desk, "logow.sys", folder) == desk.read("C:\\windows\\logow.sys")
    desk.driver.close(MAIN)
    tool.wait_ended()
    assert desk.exists(folder + "\\Wendrop1.vrx")
