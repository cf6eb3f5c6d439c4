"""Proves each driver command against testee.exe under Wine."""

from __future__ import annotations

import struct
import time
from pathlib import Path

import pytest

import winenv

TITLE = "Testee"
FOLDER = "C:\\テスト"


class TesteeApp:
    __test__ = False

    def __init__(self, desk, proc):
        self.desk = desk
        self.proc = proc
        self.log_path = desk.linux(FOLDER + "\\testee_log.txt")

    def log(self) -> list[str]:
        if not self.log_path.exists():
            return []
        return self.log_path.read_bytes().decode("cp932").splitlines()

    def wait_log(self, line: str, timeout: float = 5.0) -> list[str]:
        try:
            return winenv.poll(lambda: line in self.log() and self.log(), timeout=timeout,
                               what=f"{line!r} in the testee log")
        except TimeoutError as exc:
            raise AssertionError(f"{exc}; the log has {self.log()}") from None


def bmp_bytes(rgb: tuple[int, int, int], size: int = 16) -> bytes:
    """A plain 24-bit BMP of one colour."""
    row = bytes((rgb[2], rgb[1], rgb[0])) * size
    row += b"\0" * (-len(row) % 4)
    pixels = row * size
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def start_testee(desk) -> TesteeApp:
    exe = winenv.testee_exe()
    if not exe or not exe.is_file():
        pytest.skip("testee.exe not found (PLUMWICK_TESTEE_EXE or beside driver.exe)")
    desk.linux(FOLDER).mkdir(parents=True, exist_ok=True)
    proc, _window = desk.launch(exe, TITLE, cwd=FOLDER)
    return TesteeApp(desk, proc)


@pytest.fixture
def testee(desk) -> TesteeApp:
    return start_testee(desk)


@pytest.fixture
def drv(desk) -> winenv.Driver:
    return desk.driver


def by_id(controls: list[dict], control_id: int) -> dict:
    return next(c for c in controls if c["id"] == control_id)


def test_windows_lists_the_testee(testee, drv):
    wins = [w for w in drv.windows() if w["title"] == TITLE]
    assert len(wins) == 1
    w = wins[0]
    assert w["class"] == "TesteeWindow"
    assert w["enabled"] is True
    assert w["unicode"] is False  # an ANSI window, like the tool's
    assert w["rect"]["width"] == 430 and w["rect"]["height"] == 320
    assert w["pid"] > 0


def test_wait_window_times_out_and_wait_gone(testee, drv):
    started = time.monotonic()
    answer = drv.raw("wait-window", "No such window", 300)
    assert answer["ok"] is False and answer["error"] == "timeout"
    assert TITLE in answer["visible"]
    assert time.monotonic() - started < 3
    assert drv.raw("wait-gone", TITLE, 200)["error"] == "timeout"
    assert drv.wait_gone("No such window", 200)["ok"]


def test_hwnd_reference_and_unknown_command(testee, drv):
    hwnd = drv.wait_window(TITLE)["hwnd"]
    assert drv.cmd("window", f"hwnd:{hwnd}")["title"] == TITLE
    assert drv.raw("no-such-command")["error"] == "unknown command"
    assert drv.raw("controls", "Nothing")["error"] == "no window"


def test_controls_listing(testee, drv):
    controls = drv.controls(TITLE)
    label = by_id(controls, 100)
    assert label["class"] == "Static" and label["text"] == "ラベル: 準備完了"
    assert label["kind"] == "left" and label["has_image"] is False
    disabled = by_id(controls, 102)
    assert disabled["text"] == "無効" and disabled["enabled"] is False and disabled["visible"] is True
    press = by_id(controls, 101)
    assert press["enabled"] is True and press["kind"] == "push" and press["tabstop"] is True
    assert by_id(controls, 1)["default"] is True
    assert by_id(controls, 113)["kind"] == "icon" and by_id(controls, 113)["has_image"] is True
    assert by_id(controls, 111)["has_image"] is False
    assert by_id(controls, 114)["kind"] == "autocheckbox" and by_id(controls, 114)["checked"] == 0
    assert by_id(controls, 115)["checked"] == 1
    combo = by_id(controls, 117)
    assert combo["items"] == ["起動画面", "終了画面"] and combo["selected"] == 0
    assert by_id(controls, 106)["class"] == "Edit"
    # Rects: relative to the parent's client area, and on the screen.
    origin = drv.rect(TITLE)["client_origin"]
    assert press["rect"]["left"] == 10 and press["rect"]["top"] == 66
    assert press["screen"]["left"] == origin["x"] + 10 and press["screen"]["top"] == origin["y"] + 66
    assert press["rect"]["width"] == 90 and press["rect"]["height"] == 26
    assert [c["index"] for c in controls] == list(range(len(controls)))


def test_text_set_text_select_and_check(testee, drv):
    drv.cmd("set-text", TITLE, 106, "abc 日本語")
    assert drv.text(TITLE, 106) == "abc 日本語"
    testee.wait_log("edit-change")
    drv.cmd("select", TITLE, 117, 1)
    testee.wait_log("combo 1")
    assert drv.control(TITLE, 117)["selected"] == 1
    drv.press(TITLE, "チェック")
    testee.wait_log("check 1")
    assert drv.control(TITLE, 114)["checked"] == 1
    drv.press(TITLE, "青")
    testee.wait_log("radio 116")
    assert drv.control(TITLE, 115)["checked"] == 0 and drv.control(TITLE, 116)["checked"] == 1


def test_press_and_refuse_disabled(testee, drv):
    answer = drv.press(TITLE, "押す")
    assert answer["control"]["id"] == 101 and answer["synced"] is True
    assert testee.log()[-1] == "pressed 1"
    assert drv.text(TITLE, 100) == "押した回数: 1"
    drv.press_id(TITLE, 101)
    assert testee.log()[-1] == "pressed 2"

    refused = drv.raw("press", TITLE, "無効")
    assert refused["ok"] is False and refused["error"] == "disabled"
    assert refused["what"] == "control"
    refused = drv.raw("press-id", TITLE, 102)
    assert refused["error"] == "disabled"
    assert "disabled-pressed" not in testee.log()

    missing = drv.raw("press", TITLE, "ありません")
    assert missing["error"] == "no button" and "押す" in missing["buttons"]


def test_caption_may_leave_out_mnemonic_marker(testee, drv):
    drv.press(TITLE, "質問...")
    box = drv.msgbox("Testee 質問")
    assert [b["text"] for b in box["buttons"]] == ["はい(&Y)", "いいえ(&N)"]
    drv.press("Testee 質問", "いいえ(N)")
    testee.wait_log("msgbox-question no")


def test_command_posts_a_menu_style_command(testee, drv):
    assert drv.cmd("command", TITLE, 101)["synced"] is True
    assert testee.log()[-1] == "pressed 1"


def test_type_into_focused_edit(testee, drv):
    assert drv.focus(TITLE)["id"] == 106
    answer = drv.cmd("type", TITLE, "Logo 起動")
    assert answer["control"]["id"] == 106
    assert drv.text(TITLE, 106) == "Logo 起動"


def test_help_lists_commands(drv):
    names = drv.cmd("help")["commands"]
    for name in ("windows", "wait-window", "controls", "press", "key", "msgbox", "file-open", "pixels", "quit"):
        assert name in names


def test_focus_and_tab_order(testee, drv):
    assert drv.focus(TITLE)["id"] == 106
    answer = drv.key(TITLE, "tab")
    assert answer["focus"]["id"] == 106 and answer["focus_after"]["id"] == 101
    assert drv.focus(TITLE)["id"] == 101
    # The disabled button is skipped, as the dialog manager does for a person.
    assert drv.key(TITLE, "tab")["focus_after"]["id"] == 103
    assert drv.key(TITLE, "shift-tab")["focus_after"]["id"] == 101
    assert drv.key(TITLE, "shift-tab")["focus_after"]["id"] == 106
    # Shift must not stick after a shift-tab.
    assert drv.key(TITLE, "tab")["focus_after"]["id"] == 101


def test_enter_presses_default_and_esc_cancels(testee, drv):
    assert drv.key(TITLE, "enter")["focus"]["class"] == "Edit"
    testee.wait_log("ok")
    drv.key(TITLE, "esc")
    testee.wait_log("cancel")
    assert testee.log()[-2:] == ["ok", "cancel"]


def test_space_on_focused_button_and_keys_in_message_box(testee, drv):
    drv.key(TITLE, "tab")
    drv.key(TITLE, "tab")
    assert drv.focus(TITLE)["text"] == "質問..."
    drv.key(TITLE, "space")
    box = drv.msgbox("Testee 質問")
    assert drv.focus(box["title"])["id"] == 6  # Yes has the focus in a fresh box
    drv.key(box["title"], "tab")
    assert drv.focus(box["title"])["id"] == 7
    drv.key(box["title"], "enter")
    drv.wait_gone(box["title"])
    testee.wait_log("msgbox-question no")


def test_close_from_title_bar(testee, drv):
    answer = drv.close(TITLE)
    assert answer["sysmenu"] is True
    drv.wait_gone(TITLE, 5000)
    assert testee.proc.wait(10) == 0
    assert testee.log()[-2:] == ["close", "exit"]


def test_msgbox_question_read_and_answer(testee, drv):
    drv.press(TITLE, "質問...")
    box = drv.msgbox()
    assert box["title"] == "Testee 質問"
    assert box["text"] == "続けますか?"
    assert [(b["id"], b["name"]) for b in box["buttons"]] == [(6, "Yes"), (7, "No")]
    assert box["buttons"][0]["default"] is True
    assert box["icon"] == "question"
    # The owner is disabled while the box is up: a person cannot press its buttons.
    refused = drv.raw("press", TITLE, "押す")
    assert refused["error"] == "disabled" and refused["what"] == "window"
    pressed = drv.msgbox_press("Testee 質問", "No")
    assert pressed["closed"] is True and pressed["id"] == 7 and pressed["text"] == "続けますか?"
    testee.wait_log("msgbox-question no")
    drv.press(TITLE, "質問...")
    drv.msgbox_press("Testee 質問", "Yes")
    testee.wait_log("msgbox-question yes")


@pytest.mark.parametrize("caption,title,icon,buttons,answer,logged", [
    ("エラー...", "Testee エラー", "critical", ["OK"], "OK", "msgbox-critical ok"),
    ("警告...", "Testee 警告", "exclamation", ["OK", "Cancel"], "Cancel", "msgbox-exclamation cancel"),
    ("情報...", "Testee 情報", "information", ["OK"], "OK", "msgbox-information ok"),
    ("なし...", "Testee なし", "none", ["OK"], "OK", "msgbox-plain ok"),
])
def test_msgbox_icons(testee, drv, caption, title, icon, buttons, answer, logged):
    drv.press(TITLE, caption)
    box = drv.msgbox(title)
    assert box["icon"] == icon, box
    assert [b["name"] for b in box["buttons"]] == buttons
    drv.msgbox_press(title, answer)
    testee.wait_log(logged)


def test_msgbox_times_out_when_none(testee, drv):
    answer = drv.raw("msgbox", "", 200)
    assert answer["ok"] is False and answer["error"] == "timeout"


@pytest.fixture
def pictures(desk):
    desk.put(FOLDER + "\\赤い.bmp", bmp_bytes((255, 0, 0)))
    desk.put(FOLDER + "\\blue.bmp", bmp_bytes((0, 0, 255)))
    desk.put(FOLDER + "\\メモ.txt", b"not a picture")


def test_file_dialog_described(pictures, testee, drv):
    drv.press(TITLE, "開く...")
    dlg = drv.file_dialog()
    assert dlg["title"] == "画像を開く"
    assert dlg["filters"] == ["Bitmap (*.bmp)"] and dlg["filter_index"] == 0
    assert dlg["folder"] == FOLDER
    assert sorted(dlg["files"]) == sorted(["赤い.bmp", "blue.bmp"])
    assert dlg["name"] == ""
    drv.file_cancel()


def test_file_open_with_typed_path(pictures, testee, drv):
    drv.press(TITLE, "開く...")
    answer = drv.file_open(FOLDER + "\\赤い.bmp", title="画像を開く")
    assert answer["closed"] is True and answer["dialog"]["title"] == "画像を開く"
    testee.wait_log(f"open {FOLDER}\\赤い.bmp")
    drv.press(TITLE, "開く...")
    drv.file_open("blue.bmp")
    testee.wait_log(f"open {FOLDER}\\blue.bmp")


def test_file_cancel(pictures, testee, drv):
    drv.press(TITLE, "開く...")
    assert drv.file_cancel()["closed"] is True
    testee.wait_log("open-cancel 0")


def test_file_open_missing_file_keeps_dialog(pictures, testee, drv):
    drv.press(TITLE, "開く...")
    answer = drv.file_open("nothere.bmp")
    assert answer["closed"] is False
    box = drv.msgbox()
    assert "nothere.bmp" in box["text"] or "見つかりません" in box["text"]
    drv.msgbox_press(box["title"], "OK")
    assert drv.file_dialog()["name"] == "nothere.bmp"
    drv.file_cancel()
    testee.wait_log("open-cancel 0")


def test_literal_struct_size_76_is_refused_in_x64_build(testee, drv):
    # 76 is the 4.0 structure size of a 32-bit build; Wine checks it against the
    # x86-64 layout and fails with CDERR_STRUCTSIZE (1) without showing a dialog.
    drv.press(TITLE, "76...")
    testee.wait_log("open-cancel 1")


def test_rect(testee, drv):
    r = drv.rect(TITLE)
    assert r["window"]["width"] == 430 and r["window"]["height"] == 320
    c = r["client"]
    assert r["client_origin"] == {"x": c["left"], "y": c["top"]}
    assert r["client_size"] == {"width": c["width"], "height": c["height"]}
    assert r["window"]["left"] < c["left"] and r["window"]["top"] < c["top"]
    assert c["right"] <= r["window"]["right"] and c["bottom"] <= r["window"]["bottom"]
    assert c["top"] - r["window"]["top"] > 15  # a title bar is drawn (virtual desktop)


def test_pixels_tell_drawn_from_blank(testee, drv, desk):
    drawn = drv.pixels(TITLE, 110)
    blank = drv.pixels(TITLE, 111)
    assert drawn["distinct"] > 50
    assert blank["distinct"] == 1 and blank["dominant_fraction"] == 1.0
    saved = desk.drive_c / "preview.bmp"
    drv.pixels(TITLE, 110, save="C:\\preview.bmp")
    assert saved.read_bytes()[:2] == b"BM"


def test_dpi_96_and_120(desk, drv):
    assert drv.dpi()["x"] == 96
    desk.set_dpi(120)
    d = drv.dpi()
    assert (d["x"], d["y"]) == (120, 120)
    t = start_testee(desk)
    # A DPI-unaware ANSI program sees the large-fonts DPI as well.
    assert drv.text(TITLE, 112) == "dpi=120"
    drv.press(TITLE, "質問...")
    box = drv.msgbox("Testee 質問")
    assert box["icon"] == "question" and box["icon_rect"]["width"] == d["icon_size"]
    desk.snap("dpi120-question")
    drv.msgbox_press("Testee 質問", "Yes")
    t.wait_log("msgbox-question yes")


def test_snap_writes_a_screenshot(testee, desk):
    path = desk.snap("testee")
    assert path.exists() and path.read_bytes()[:4] == b"\x89PNG"


def test_launch_retries_once_then_fails(desk, drv):
    desk.linux(FOLDER).mkdir(parents=True, exist_ok=True)
    with pytest.warns(UserWarning, match="showed no window"):
        with pytest.raises(winenv.WineError, match="showed no window 'Nope'"):
            desk.launch(winenv.testee_exe(), "Nope", cwd=FOLDER, timeout_ms=300)
    assert drv.windows() == []


def test_launch_reports_a_program_that_exits(desk):
    with pytest.raises(winenv.WineError, match="exited with 3"):
        desk.launch("C:\\windows\\system32\\cmd.exe", "Never", "/c", "exit", "3")


def test_leftover_programs_are_ended_between_tests(desk, drv):
    start_testee(desk)
    desk.end_programs()
    assert drv.windows() == []
    names = {p["exe"].lower() for p in drv.processes()}
    assert "testee.exe" not in names


def test_files_are_reset_between_tests_part1(desk):
    desk.logo_files(root={"LOGO.SYS": b"x"}, windows={"LOGOW.SYS": b"y"})
    desk.put("C:\\windows\\win.ini", b"changed")
    assert desk.exists("C:\\WINDOWS\\logow.sys")


def test_files_are_reset_between_tests_part2(desk):
    assert not desk.exists("C:\\LOGO.SYS")
    assert not desk.exists("C:\\windows\\LOGOW.SYS")
    assert desk.read("C:\\windows\\win.ini") != b"changed"


def test_registry_commands(drv):
    key = r"HKCU\Software\PlumwickSelfTest"
    drv.cmd("reg-set", key + r"\Sub", "名前", "REG_SZ", "値 C:\\x")
    drv.cmd("reg-set", key, "Count", "REG_DWORD", 7)
    assert drv.cmd("reg-get", key + r"\Sub", "名前")["data"] == "値 C:\\x"
    assert drv.cmd("reg-get", key, "Count") == {"ok": True, "type": "REG_DWORD", "data": 7}
    assert drv.cmd("reg-delete", key)["existed"] is True
    assert drv.raw("reg-get", key, "Count")["error"] == "no key"
    assert drv.cmd("reg-delete", key)["existed"] is False


def test_file_dialog_memory_is_cleared_between_tests(pictures, testee, drv):
    drv.press(TITLE, "開く...")
    drv.file_open(FOLDER + "\\blue.bmp")
    testee.wait_log(f"open {FOLDER}\\blue.bmp")
    mru = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\LastVisitedMRU"
    assert drv.cmd("reg-get", mru, "MRUList")["data"]
    testee.desk.reset_registry()
    assert drv.raw("reg-get", mru, "MRUList")["ok"] is False


def test_path_conversion(desk):
    p = desk.linux("C:\\WINDOWS\\System32")
    assert p == desk.drive_c / "windows" / "system32"
    assert desk.windows(p) == "C:\\windows\\system32"
    assert desk.windows("/tmp") == "Z:\\tmp"


@pytest.mark.new_wine_session
def test_fresh_session_leaves_nothing_behind():
    """A whole session of its own: Xvfb, prefix, driver, a program; then nothing remains."""
    exe = winenv.testee_exe()
    if not winenv.driver_exe() or not exe or not exe.is_file():
        pytest.skip("driver.exe / testee.exe not given")
    session = winenv.WineSession().start()
    display, prefix = session.display, session.prefix
    try:
        drv = session.driver(winenv.driver_exe())
        session.start_program(exe, cwd=prefix.drive_c)
        drv.wait_window(TITLE)
        assert winenv.our_processes(prefix, display)
    finally:
        session.close()
    assert winenv.our_processes(prefix, display) == []
    number = display[1:]
    assert not Path(f"/tmp/.X{number}-lock").exists()
    assert not Path(f"/tmp/.X11-unix/X{number}").exists()
    assert not prefix.path.exists()
