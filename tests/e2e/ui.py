"""The tool under Wine as a person sees it: its windows, controls (ids from src/ui/control_ids.h) and files."""
import os
import re
import subprocess
from pathlib import Path

from bitmaps import bmp

ROOT = Path(__file__).resolve().parents[2]
DEMO, DFLT = ROOT / "src" / "resources" / "demo", ROOT / "src" / "resources" / "DfltLogo.sys"
EXE = Path(os.environ["PLUMWICK_EXE"]) if os.environ.get("PLUMWICK_EXE") else None
ARTIFACTS = Path(os.environ.get("PLUMWICK_ARTIFACTS", "/tmp/plumwick-e2e-artifacts"))

MAIN, HELP = "Plumwick", "ロゴファイルのつくり方だよ～ん"
GO_ON = "続けますか？"
QUESTION = ("この画像は %sです。\r\nWindows がロゴとして表示するのは、320×400ドット×256色の無圧縮のビットマップだけです。"
            "\r\n\r\nロゴに変換したコピーを Logos フォルダに作り、それを選びますか？")  # % "640×480、JPEG"


def control_ids(window: str) -> dict:
    """{name: id} of one window's controls, read from the header the tool is built with."""
    text = (ROOT / "src" / "ui" / "control_ids.h").read_text()
    body = re.search(r"namespace %s \{.*?\};" % window, text, re.S).group(0)
    return {name: int(value) for name, value in re.findall(r"(\w+) = (\d+)", body)}


M, H = control_ids("MainControl"), control_ids("HelpControl")
SLOT_NAME, CHOOSE, CHOSEN, PREVIEW = (tuple(M[row] + s for s in range(3))
                                      for row in ("SlotName", "ChooseButton", "ChosenPath", "Preview"))
FORMAT_NOTE, HOW_TO, RESTORE, OK, CANCEL = (M[n] for n in ("FormatNote", "HowToButton", "RestoreButton", "OkButton",
                                                           "CancelButton"))
IDOK, IDYES, IDNO = 1, 6, 7  # message box buttons
TAB, ENTER, ESC = 9, 13, 27  # virtual-key codes
LIVE = ("C:\\logo.sys", "C:\\windows\\logow.sys", "C:\\windows\\logos.sys")
TOOL = "C:\\Plumwick"
KEYS = ("起動時のLeft".encode("cp932"), "起動時のTop".encode("cp932"))


def scaled(place, dpi: int) -> tuple:
    return tuple(round(v * dpi / 96) for v in place)


def logo(rgb, stripe=0) -> bytes:
    """A 320x400 256-colour logo of one colour, with a black row every `stripe` rows."""
    return bmp(320, 400, lambda x, y: int(bool(stripe) and y % stripe == 0), 8, [rgb] + [(0, 0, 0)] * 255)


def made_logo(data: bytes) -> bool:
    """A logo as the tool makes one: 320 x 400, one plane, 8 bits."""
    return len(data) == 129078 and data[18:30] == bytes.fromhex("40010000 90010000 0100 0800")


def picture(kind: str, pixel, *options: str, width=640, height=480) -> bytes:
    """A picture ImageMagick writes (kind: jpg, png, gif) of pixel(x, y) -> (r, g, b) or (r, g, b, alpha)."""
    values = [pixel(x, y) for y in range(height) for x in range(width)]
    raw = f"{'rgba' if len(values[0]) == 4 else 'rgb'}:-"
    return subprocess.run(["convert", "-size", f"{width}x{height}", "-depth", "8", raw, *options, f"{kind}:-"],
                          input=bytes(v for p in values for v in p), check=True, capture_output=True).stdout


def settings_file(left: str, top: str, backup_made=False) -> bytes:
    """The settings file with a place, and the key that says the first logos were kept."""
    return b"[Wendrop1]\r\n%s=%s\r\n%s=%s\r\n" % (KEYS[0], left.encode(), KEYS[1], top.encode()) + \
        (b"BakLog=1\r\n" if backup_made else b"")


def stored(settings: bytes) -> tuple:
    values = dict(line.split(b"=", 1) for line in settings.split(b"\r\n") if b"=" in line)
    return int(values[KEYS[0]]), int(values[KEYS[1]])


def rect(control: dict) -> tuple:
    return control["left"], control["top"], control["width"], control["height"]


def centred(screen: int, loaded: int, dpi: int = 96) -> int:
    """Where the tool puts a window of `loaded` pixels: half the room in whole twips (rounded half to
    even), back in pixels."""
    return round(round((screen - loaded) * 1440 / dpi) // 2 * dpi / 1440)


class Tool:
    """Lays out the machine, starts the tool and works its windows through the driver."""

    def __init__(self, session):
        self.s, self.proc, self.folder = session, None, TOOL

    def drive(self, *fields, check=True) -> dict:
        return self.s.driver(*fields, check=check)

    def put(self, winpath: str, data) -> None:
        path = self.s.c(winpath)
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data if isinstance(data, bytes) else Path(data).read_bytes())

    def conceal(self, winpath: str) -> None:
        """Hidden, system and read-only, as Wine keeps them: the attributes in an extended attribute, read-only
        as the permissions."""
        path = self.s.c(winpath)
        os.setxattr(path, "user.DOSATTRIB", b"0x27")
        path.chmod(0o444)

    def read(self, winpath: str) -> bytes:
        return self.s.c(winpath).read_bytes()

    def exists(self, winpath: str) -> bool:
        return self.s.c(winpath).exists()

    def prepare(self, folder=TOOL) -> "Tool":
        """The tool and its default logo in `folder`, the demo logos in C:\\windows."""
        self.folder = folder
        self.put(f"{folder}\\{EXE.name}", EXE)
        self.put(f"{folder}\\DfltLogo.sys", DFLT)
        for name in ("logow.sys", "logos.sys"):
            self.put(f"C:\\windows\\{name}", DEMO / name)
        return self

    def start(self, wait=True) -> "Tool":
        exe = self.s.c(f"{self.folder}\\{EXE.name}")
        self.proc = self.s.launch(exe, MAIN) if wait else self.s.run(exe)
        return self

    def run_switches(self, *args: str, cwd: str | None = None) -> tuple:
        """Runs the tool with switches, in its folder or in cwd, answering every message box with OK: its exit
        status and the boxes' texts. Fails if a window of the tool appears."""
        forms = lambda shown: len([w for w in shown if w["class"] == "PlumwickForm"])  # noqa: E731
        open_before = forms(self.windows())
        exe = self.s.c(f"{self.folder}\\{EXE.name}")
        proc, boxes = self.s.run(exe, *args, cwd=self.s.c(cwd) if cwd else None), []
        while proc.poll() is None:
            shown = self.windows()
            assert forms(shown) == open_before, "a window opened"
            if [w for w in shown if w["title"] == MAIN and w["class"] == "#32770"]:
                boxes.append(self.box(MAIN))
                self.press(IDOK, MAIN, check=False)
        return proc.wait(10), boxes

    def ended(self) -> int:
        return self.proc.wait(10)

    def controls(self, title=MAIN) -> dict:
        return {c["id"]: c for c in self.drive("controls", title)["controls"]}

    def window(self, title=MAIN) -> dict:
        return self.drive("wait", title)

    def preview(self, slot: int, title=MAIN, control=None) -> dict:
        return self.drive("pixels", title, control or PREVIEW[slot])

    def press(self, control: int, title=MAIN, check=True) -> dict:
        return self.drive("press", title, control, check=check)

    def box(self, title: str) -> dict:
        """A message box: its text, icon (question, critical or other) and button ids."""
        answer = self.drive("controls", title)
        c = {x["id"]: x for x in answer["controls"]}
        return {"text": c[0xFFFF]["text"], "icon": answer["icon"],
                "buttons": [i for i in c if c[i]["class"] == "Button" and c[i]["visible"]]}

    def choose(self, slot: int, path: str, answer=IDNO) -> bool:
        """Presses the slot's 設定 and picks the file in the real file-open dialog; answers the question to
        make a logo of it, if asked (answer None leaves it open). An empty path cancels. True when asked."""
        self.press(CHOOSE[slot])
        self.drive("file", path)
        asked = bool(self.question())
        if asked and answer:
            self.press(answer, MAIN)
        return asked

    def question(self) -> list:
        return [w for w in self.windows(MAIN) if w["class"] == "#32770"]

    def fit(self, title=MAIN, autosized=()) -> None:
        """Each label's and button's text measured in its font (9 points in Japanese, the dialog font as it is
        in English). Asserts every text fits its control, every control lies in the window and no two overlap,
        and that auto-sized labels are exactly as wide as their text: the font measured is theirs."""
        got = {c["id"]: c for c in self.drive("fit", title, 9 if self.s.lang.startswith("ja") else 0)["controls"]}
        w, r = self.window(title), [rect(c) for i, c in self.controls(title).items() if i in got]
        assert not [c for c in got.values() if not c["fits"]], "texts that do not fit"
        assert not [a for a in r if min(a) < 0 or a[0] + a[2] > w["client_width"] or
                    a[1] + a[3] > w["client_height"]], "controls past the window's edge"
        gap = 2  # no text touches another control
        assert not [(a, b) for a in r for b in r if a < b and a[0] < b[0] + b[2] + gap and b[0] < a[0] + a[2] + gap
                    and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]], "texts that overlap or touch"
        assert [got[i]["width"] - got[i]["client_width"] for i in autosized] == [0] * len(autosized)

    def windows(self, title=None) -> list:
        return [w for w in self.drive("windows")["windows"] if title in (None, w["title"])]

    def snap(self, name: str, title=None) -> Path:
        """A screenshot of the screen, or of one window, in the artifacts folder."""
        crop = self.window(title) if title else None
        return self.s.screenshot(ARTIFACTS / f"{name}.png", crop)
