#!/usr/bin/python3
"""One Wine session for the tests, the demo and the benchmarks: Xvfb on a free
display, a private Wine prefix, programs under Wine, the end-to-end driver,
screenshots. Everything started here is stopped here: programs and Xvfb by their
pid, Wine by `wineserver -k` in the prefix.

Which Wine, and so which build, is decided here once: `host()` finds whether this
machine runs 32-bit programs. Where it does, the i686 release exe runs under
32-bit Wine; where the kernel refuses them, the x86-64 build of the same sources
runs under 64-bit Wine. PLUMWICK_WINE_ARCH=i686 or x86_64 forces either.

    with Session(driver=host().build(Path("build")) / DRIVER) as s:
        proc = s.launch(s.c("C:\\Plumwick\\Plumwick.exe"), "Plumwick")  # waits for the window

`tools/wine.py --arch` prints the build folder's name (i686 or x86_64) for the
shell scripts, `--describe` the line that says what the run drives and why.
"""
from __future__ import annotations

import json
import os
import queue
import shutil
import subprocess
import sys
import tempfile
import threading
import time
from dataclasses import dataclass
from pathlib import Path

WINE32, WINE64 = "/usr/lib/wine/wine", "/usr/lib/wine/wine64"
WINESERVER, XVFB = "/usr/lib/wine/wineserver", "/usr/bin/Xvfb"
ARCH_VARIABLE = "PLUMWICK_WINE_ARCH"
DRIVER = Path("tests/e2e/driver/driver.exe")  # inside a build folder
INSTALL = "run tools/install-deps.sh as root"
SCREEN = (1024, 768)
# Japanese dialog fonts are proportional, as on Windows; without these Wine
# falls back to a fixed-width one.
FONTS = [("MS Shell Dlg", "IPAPGothic"), ("MS UI Gothic", "IPAPGothic")]


class WineError(RuntimeError):
    """A prerequisite or a program that failed: one line that says what, and what to do."""


@dataclass(frozen=True)
class Host:
    """The Wine this machine runs, the build folder whose exe it runs, and why."""
    arch: str  # "i686" or "x86_64"
    why: str

    @property
    def wine(self) -> str:
        return WINE32 if self.arch == "i686" else WINE64

    @property
    def winearch(self) -> str:
        return "win32" if self.arch == "i686" else "win64"

    def build(self, build_root: Path) -> Path:
        return Path(build_root) / self.arch

    def describe(self) -> str:
        if self.arch == "i686":
            return f"{self.why}: driving build/i686/Plumwick.exe, the release exe, under 32-bit Wine"
        return (f"{self.why}: driving build/x86_64/Plumwick.exe, the same sources built for x86-64, under "
                "64-bit Wine; the i686 release exe is still checked by the audit and the release test")


def host(loader: str = WINE32, environ=os.environ) -> Host:
    """The one check: does the 32-bit Wine loader start? Some kernels refuse every 32-bit program."""
    forced = environ.get(ARCH_VARIABLE, "")
    if forced:
        if forced not in ("i686", "x86_64"):
            raise WineError(f"{ARCH_VARIABLE}={forced}: use i686 or x86_64, or leave it unset")
        return Host(forced, f"{ARCH_VARIABLE}={forced}")
    try:
        run = subprocess.run([loader, "--version"], capture_output=True, timeout=60)
    except OSError as e:  # ENOEXEC: the kernel runs no 32-bit program; ENOENT: no 32-bit Wine
        return Host("x86_64", f"this host cannot run the 32-bit Wine loader {loader} ({e.strerror})")
    except subprocess.TimeoutExpired:
        return Host("x86_64", f"the 32-bit Wine loader {loader} did not answer")
    if run.returncode != 0:
        return Host("x86_64", f"the 32-bit Wine loader {loader} fails (exit status {run.returncode})")
    return Host("i686", "this host runs 32-bit programs")


def free_display() -> int:
    for n in range(90 + os.getpid() % 200, 600):
        if not Path(f"/tmp/.X11-unix/X{n}").exists() and not Path(f"/tmp/.X{n}-lock").exists():
            return n
    raise WineError("no free X display")


class Driver:
    """driver.exe under wine: one TAB-separated command line in, one JSON line out."""

    def __init__(self, session: "Session", exe: Path):
        exe = Path(exe).resolve()  # it runs in C:\\, not in the caller's folder
        if not exe.is_file():
            raise WineError(f"no end-to-end driver at {exe}: build it with tools/build.sh")
        self.proc = subprocess.Popen([session.host.wine, str(exe)], env=session.env(), cwd=session.c("C:\\"),
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.lines: queue.Queue = queue.Queue()
        threading.Thread(target=self.pump, daemon=True).start()

    def pump(self) -> None:
        for line in iter(self.proc.stdout.readline, b""):
            self.lines.put(line)
        self.lines.put(b"")

    def __call__(self, *fields, check: bool = True) -> dict:
        """Sends a command; raises WineError on an error answer unless check is False."""
        try:
            self.proc.stdin.write(("\t".join(map(str, fields)) + "\n").encode("utf-8"))
            self.proc.stdin.flush()
        except OSError:
            raise WineError(f"the end-to-end driver ended (exit status {self.proc.poll()}) before {fields}") from None
        try:
            line = self.lines.get(timeout=60)
        except queue.Empty:
            raise WineError(f"driver gave no answer to {fields}") from None
        answer = json.loads(line or b'{"ok":false,"error":"driver ended"}')
        if check and not answer["ok"]:
            raise WineError(f"{fields}: {answer['error']}")
        return answer

    def stop(self) -> None:
        try:
            self.proc.stdin.close()
        except OSError:  # a driver that already ended
            pass
        try:
            self.proc.wait(5)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()


class Session:
    """Xvfb, a prefix (made once, in `prefix` or a temporary folder) and what runs in it."""

    def __init__(self, prefix: Path | None = None, driver: Path | None = None, display: str | None = None,
                 lang: str = "ja_JP.UTF-8", wine: Host | None = None):
        """lang: the Unix locale, which sets Wine's code page (932 for Japanese, 1252 for en_US.UTF-8);
        wine: which Wine runs the programs (by default, what host() finds)."""
        self.host = wine or host()
        self.lang = lang
        self.keep = prefix is not None
        self.prefix = Path(prefix).resolve() if prefix else Path(tempfile.mkdtemp(prefix="plumwick-wine-"))
        self.driver_exe, self.dpi, self.display = driver, 96, display
        self.xvfb: subprocess.Popen | None = None
        self.programs: list[subprocess.Popen] = []
        self.driver: Driver | None = None

    def env(self) -> dict:
        env = {k: v for k, v in os.environ.items() if not k.startswith("WINE")}
        env.update(WINEPREFIX=str(self.prefix), WINEARCH=self.host.winearch, WINEDEBUG="-all", LANG=self.lang,
                   LC_ALL=self.lang, DISPLAY=self.display, WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d")
        return env

    def __enter__(self) -> "Session":
        try:
            return self.start()
        except BaseException:
            self.close()
            raise

    def __exit__(self, *exc) -> None:
        self.close()

    def start(self) -> "Session":
        for program, package in ((XVFB, "xvfb"), (self.host.wine, "wine32:i386" if self.host.arch == "i686" else "wine64")):
            if not Path(program).is_file():
                raise WineError(f"{program} is missing (Debian package {package}): {INSTALL}")
        if not self.display:
            self.display = self.start_xvfb()
        if not (self.prefix / "system.reg").exists():
            print(f"making a Wine prefix in {self.prefix} (about 10 s)...", flush=True)
            try:
                self.prefix.mkdir(parents=True, exist_ok=True)
                made = subprocess.run([self.host.wine, "wineboot", "-i"], env=self.env(), timeout=300,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
            except (OSError, subprocess.TimeoutExpired) as e:
                raise WineError(f"could not make a Wine prefix in {self.prefix}: {e}") from None
            if made.returncode != 0 or not (self.prefix / "user.reg").exists():
                said = made.stderr.decode(errors="replace").strip().splitlines()[-1:] or [""]
                raise WineError(f"could not make a Wine prefix in {self.prefix} (wineboot exit status "
                                f"{made.returncode}{': ' + said[0] if said[0] else ''}); remove it and try again")
        self.set_dpi(self.dpi)
        return self

    def start_xvfb(self) -> str:
        """Xvfb on a free display; a display taken meanwhile by another server is passed over."""
        for _ in range(3):
            n = free_display()
            self.xvfb = subprocess.Popen([XVFB, f":{n}", "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
                                          "-nolisten", "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            wait_for(lambda: Path(f"/tmp/.X11-unix/X{n}").exists() or self.xvfb.poll() is not None, 10, "Xvfb")
            if self.xvfb.poll() is None:
                return f":{n}"
        raise WineError(f"Xvfb did not start on display :{n} (exit status {self.xvfb.poll()}); "
                        "is another X server starting there? try again")

    def set_dpi(self, dpi: int) -> None:
        """Writes the user settings (fonts, desktop, DPI 96 or 120) into user.reg with Wine stopped;
        every program of the prefix ends and the driver starts again."""
        self.end_programs()
        if self.driver:
            self.driver.stop()
        self.wineserver("-k")
        self.dpi = dpi
        reg = self.prefix / "user.reg"
        text = reg.read_text(encoding="utf-8", errors="surrogateescape")
        keys = {r"Control Panel\\Desktop": [("LogPixels", f"dword:{dpi:08x}")],
                r"Software\\Wine\\Fonts\\Replacements": [(a, f'"{b}"') for a, b in FONTS],
                r"Software\\Wine\\WineDbg": [("ShowCrashDialog", "dword:00000000")],
                r"Software\\Wine\\Explorer": [("Desktop", '"Default"')],
                r"Software\\Wine\\Explorer\\Desktops": [("Default", f'"{SCREEN[0]}x{SCREEN[1]}"')]}
        if self.host.arch == "i686":  # the tool's users run Windows 95 and 98, and a 32-bit Wine can say so
            version = "win95" if self.lang.startswith("ja") else "win98"
            keys[r"Software\\Wine\\AppDefaults\\Plumwick.exe"] = [("Version", f'"{version}"')]
        for key, values in keys.items():
            head = f"\n[{key}]"
            if head not in text:
                text += f"{head} 0\n"
            start = text.index(head) + len(head)
            end = text.find("\n[", start)
            end = len(text) if end < 0 else end
            body = [ln for ln in text[start:end].split("\n")
                    if not any(ln.startswith(f'"{name}"=') for name, _ in values)]
            body = "\n".join(body).rstrip("\n") + "".join(f'\n"{name}"={value}' for name, value in values)
            text = text[:start] + body + "\n" + text[end:]
        reg.write_text(text, encoding="utf-8", errors="surrogateescape")
        if self.driver_exe:
            self.driver = Driver(self, self.driver_exe)

    def wineserver(self, *args: str) -> None:
        subprocess.run([WINESERVER, *args], env=self.env(), timeout=60)
        subprocess.run([WINESERVER, "-w"], env=self.env(), timeout=60)

    def c(self, winpath: str) -> Path:
        """The Linux path of C:\\..., matching existing names in any case."""
        path = self.prefix / "drive_c"
        for part in winpath[3:].split("\\") if len(winpath) > 3 else []:
            same = [p for p in path.iterdir() if p.name.lower() == part.lower()] if path.is_dir() else []
            path = same[0] if same else path / part
        return path

    def run(self, exe: Path, *args: str, cwd: Path | None = None) -> subprocess.Popen:
        """Starts a Windows program in its own folder, or in cwd (no waiting: see launch)."""
        exe = Path(exe).resolve()
        proc = subprocess.Popen([self.host.wine, str(exe), *args], env=self.env(), cwd=cwd or exe.parent,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.programs.append(proc)
        return proc

    def launch(self, exe: Path, title: str, timeout: float = 30) -> subprocess.Popen:
        """Starts a program and waits until its window is shown and painted."""
        proc = self.run(exe)
        deadline = time.monotonic() + timeout
        while not self.driver("wait", title, 200, check=False)["ok"]:
            if proc.poll() is not None or time.monotonic() > deadline:
                raise WineError(f"{exe} showed no window {title!r} (exit status {proc.poll()})")
        return proc

    def end_programs(self) -> None:
        for proc in self.programs:
            if proc.poll() is None:
                proc.kill()
            proc.wait()
        self.programs.clear()

    def screenshot(self, path: Path, rect: dict | None = None) -> Path:
        """The screen as a picture file, or only `rect` ({left, top, width, height}) of it."""
        Path(path).parent.mkdir(parents=True, exist_ok=True)
        crop = ["-crop", "{width}x{height}+{left}+{top}".format(**rect)] if rect else []
        subprocess.run(["import", "-display", self.display, "-window", "root", *crop, str(path)], check=True,
                       timeout=30)
        return Path(path)

    def close(self) -> None:
        self.end_programs()
        if self.driver:
            self.driver.stop()
        if (self.prefix / "system.reg").exists():
            self.wineserver("-k")
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait()
        if not self.keep:
            shutil.rmtree(self.prefix, ignore_errors=True)


def told_in_one_line(name: str, run, *args) -> int:
    """run(*args)'s exit status; a WineError is told in one line after `name` and gives 1."""
    try:
        return run(*args)
    except WineError as e:
        print(f"{name}: {e}", file=sys.stderr)
        return 1


def main() -> int:
    """--arch: the build folder whose exe runs here; --describe: what a run drives, and why."""
    try:
        found = host()
    except WineError as e:
        print(e, file=sys.stderr)
        return 2
    print(found.arch if sys.argv[1:] == ["--arch"] else found.describe())
    return 0


def wait_for(predicate, timeout: float = 10, what: str = "a condition"):
    """The first true value of predicate(), polled until the timeout."""
    deadline = time.monotonic() + timeout
    while not (value := predicate()):
        if time.monotonic() > deadline:
            raise WineError(f"timed out waiting for {what}")
        time.sleep(0.02)
    return value


if __name__ == "__main__":
    sys.exit(main())
