"""The tool as a person sees it: its windows, controls and files under Wine."""

from __future__ import annotations

import os
import struct
from pathlib import Path

import winenv

ROOT = Path(__file__).resolve().parents[2]
RESOURCES = ROOT / "src" / "resources"

MAIN = "Plumwick"
HELP = "ロゴファイルのつくり方だよ～ん"
PREVIEW_BOX = "ダメェ～、ちゃんとしてネ。"
GO_ON = "続けますか？"

# Control ids: 100 + the control's place in the window's table.
SANSYOU = (103, 104, 105)
LBL_LOGO = (106, 107, 108)
PREVIEW = (112, 113, 114)
PIC_MOTO = (115, 116, 117)
LABEL3, CMD_HINT, CMD_DFLT, CMD_OK, CMD_CANCEL = 118, 119, 120, 121, 122
OK, CANCEL, DEFAULT, HINT = "OK", "ｷｬﾝｾﾙ", "ﾃﾞﾌｫﾙﾄ", "ﾛｺﾞﾌｧｲﾙのつくり方"

LIVE = ("C:\\logo.sys", "C:\\windows\\logow.sys", "C:\\windows\\logos.sys")
TOOL = "C:\\Plumwick"
SETTINGS = TOOL + "\\Wendrop1.vrx"
# "[Wendrop1]" and the two keys, as Shift-JIS bytes.
KEY_LEFT = "起動時のLeft".encode("cp932")
KEY_TOP = "起動時のTop".encode("cp932")


def logo(rgb: tuple[int, int, int], width: int = 320, height: int = 400, stripe: int = 0) -> bytes:
    """An 8-bit, 256-colour logo file: one colour, with an optional black stripe
    every `stripe` rows so that its preview shows more than one colour."""
    palette = bytes((rgb[2], rgb[1], rgb[0], 0)) + b"\0\0\0\0" + b"\0\0\0\0" * 254
    stride = (width + 3) // 4 * 4
    rows = b"".join((b"\1" if stripe and y % stripe == 0 else b"\0") * width + b"\0" * (stride - width)
                    for y in range(height))
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(rows), 0, 0, 256, 0)
    return header + info + palette + rows


class Tool:
    """Starts the tool on a prepared machine and works its windows."""

    def __init__(self, desk):
        self.desk = desk
        self.drv = desk.driver
        self.proc = None

    def prepare(self, root=None, windows=None, tool_files=None, folder_name="Plumwick", dfltlogo=True):
        files = {"DfltLogo.sys": RESOURCES / "DfltLogo.sys"} if dfltlogo else {}
        files.update(tool_files or {})
        self.folder = self.desk.tool_folder(files, name=folder_name)
        self.desk.logo_files(root=root or {}, windows=windows if windows is not None else {
            "logow.sys": RESOURCES / "demo" / "logow.sys", "logos.sys": RESOURCES / "demo" / "logos.sys"})
        return self

    def start(self, wait=True):
        self.proc = self.desk.run_tool(folder=self.folder)
        if wait:
            self.drv.wait_window(MAIN)
        return self

    def alive(self) -> bool:
        return self.proc is not None and self.proc.alive()

    def wait_ended(self, timeout=10.0) -> int:
        return self.proc.wait(timeout)

    # --- looking at it

    def controls(self, title=MAIN) -> dict[int, dict]:
        return {c["id"]: c for c in self.drv.controls(title)}

    def text(self, control_id: int, title=MAIN) -> str:
        return self.drv.text(title, control_id)

    def enabled(self, control_id: int) -> bool:
        return self.drv.control(MAIN, control_id)["enabled"]

    def preview(self, slot: int) -> dict:
        return self.drv.pixels(MAIN, PREVIEW[slot])

    def rect(self, title=MAIN) -> dict:
        return self.drv.rect(title)["window"]

    # --- working it

    def press(self, caption: str, title=MAIN):
        return self.drv.press(title, caption)

    def choose(self, slot: int, winpath: str):
        """Presses the slot's 設定 and picks the file in the real file-open dialog."""
        self.drv.cmd("press-id", MAIN, SANSYOU[slot])
        answer = self.drv.file_open(winpath)
        assert answer["closed"], answer
        # Waits until the tool takes messages again: after its preview run,
        # or while the run's message box is up.
        self.text(LBL_LOGO[slot])
        return answer

    def box(self, title="", timeout_ms=10000) -> dict:
        return self.drv.msgbox(title, timeout_ms)

    def answer(self, title: str, button: str) -> dict:
        return self.drv.msgbox_press(title, button)

    def open_boxes(self, title: str) -> list[dict]:
        return [w for w in self.drv.windows() if w["title"] == title]

    def settings(self) -> bytes:
        return self.desk.read(SETTINGS)


def stored(settings: bytes, key: bytes) -> int:
    for line in settings.split(b"\r\n"):
        if line.startswith(key + b"="):
            return int(line[len(key) + 1:])
    raise KeyError(key)


def twips_to_pixels(twips: int, dpi: int = 96) -> int:
    return round(twips * dpi / 1440)


def centred(screen: int, loaded: int, dpi: int = 96) -> int:
    """Where the tool puts a window of `loaded` pixels on a first start."""
    room = (screen - loaded) * 1440 / dpi
    room = int(room // 1 + (1 if room % 1 > 0.5 or (room % 1 == 0.5 and int(room) % 2) else 0))
    return twips_to_pixels(int(room / 2), dpi)


def exe_name() -> str:
    exe = winenv.tool_exe()
    return os.path.basename(str(exe)) if exe else "Plumwick.exe"
