"""Runs Windows programs under wine64 on a private Xvfb display.

Everything this module starts it also stops: Xvfb by its pid, Wine through
``wineserver -k`` under our own private WINEPREFIX, our programs by their pid.

Typical use::

    with WineSession() as s:
        drv = s.driver("/path/driver.exe")
        p = s.start_program("/path/tool.exe", cwd=s.prefix.drive_c)
        drv.wait_window("Title")
        ...
"""

from __future__ import annotations

import json
import os
import queue
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import warnings
from pathlib import Path, PureWindowsPath
from typing import Optional, Sequence

WINE64 = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
XVFB = "/usr/bin/Xvfb"
IMPORT = "/usr/bin/import"

SCREEN = (1024, 768)
# Wine's own background processes; anything else in the prefix is a program of ours.
WINE_SYSTEM_EXES = {
    "explorer.exe", "services.exe", "winedevice.exe", "plugplay.exe", "svchost.exe",
    "rpcss.exe", "conhost.exe", "tabtip.exe", "wineboot.exe", "winemenubuilder.exe",
    "system", "[system process]",
}


class WineError(RuntimeError):
    pass


class DriverError(WineError):
    """The driver answered ok:false; ``answer`` holds the whole JSON answer."""

    def __init__(self, command: Sequence[str], answer: dict):
        self.command = [str(c) for c in command]
        self.answer = answer
        shown = " | ".join(self.command)
        super().__init__(f"{shown} -> {json.dumps(answer, ensure_ascii=False)[:2000]}")


class DriverTimeout(WineError):
    pass


def poll(predicate, timeout: float = 10.0, interval: float = 0.02, what: str = "condition"):
    """Returns the first truthy value of predicate(), or raises TimeoutError."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TimeoutError(f"timed out after {timeout:.1f}s waiting for {what}")
        time.sleep(interval)


def _path_from_env(name: str) -> Optional[Path]:
    value = os.environ.get(name)
    return Path(value).resolve() if value else None


def driver_exe() -> Optional[Path]:
    """PLUMWICK_DRIVER_EXE: the driver program."""
    return _path_from_env("PLUMWICK_DRIVER_EXE")


def tool_exe() -> Optional[Path]:
    """PLUMWICK_EXE: the tool under test."""
    return _path_from_env("PLUMWICK_EXE")


def testee_exe() -> Optional[Path]:
    """PLUMWICK_TESTEE_EXE, else testee.exe beside the driver."""
    explicit = _path_from_env("PLUMWICK_TESTEE_EXE")
    if explicit:
        return explicit
    drv = driver_exe()
    return drv.with_name("testee.exe") if drv else None


def artifacts_dir() -> Path:
    """PLUMWICK_ARTIFACTS, else <PLUMWICK_BUILD_DIR>/tests/e2e/artifacts, else a folder in /tmp."""
    if os.environ.get("PLUMWICK_ARTIFACTS"):
        path = Path(os.environ["PLUMWICK_ARTIFACTS"])
    elif os.environ.get("PLUMWICK_BUILD_DIR"):
        path = Path(os.environ["PLUMWICK_BUILD_DIR"]) / "tests" / "e2e" / "artifacts"
    else:
        path = Path(tempfile.gettempdir()) / "plumwick-e2e-artifacts"
    path.mkdir(parents=True, exist_ok=True)
    return path


def display_in_use(n: int) -> bool:
    return Path(f"/tmp/.X11-unix/X{n}").exists() or Path(f"/tmp/.X{n}-lock").exists()


def find_free_display(start: int = 90, stop: int = 600) -> int:
    for n in range(start, stop):
        if not display_in_use(n):
            return n
    raise WineError("no free X display number")


class Xvfb:
    def __init__(self, size: tuple[int, int] = SCREEN, depth: int = 24):
        self.size = size
        self.depth = depth
        self.number: Optional[int] = None
        self.proc: Optional[subprocess.Popen] = None

    @property
    def display(self) -> str:
        return f":{self.number}"

    @property
    def pid(self) -> Optional[int]:
        return self.proc.pid if self.proc else None

    def start(self, timeout: float = 10.0) -> "Xvfb":
        start = 90 + (os.getpid() % 200)
        for _attempt in range(20):
            n = find_free_display(start)
            proc = subprocess.Popen(
                [XVFB, f":{n}", "-screen", "0", f"{self.size[0]}x{self.size[1]}x{self.depth}",
                 "-nolisten", "tcp", "-noreset"],
                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
            )
            sock = Path(f"/tmp/.X11-unix/X{n}")
            deadline = time.monotonic() + timeout
            while time.monotonic() < deadline and proc.poll() is None and not sock.exists():
                time.sleep(0.02)
            if proc.poll() is None and sock.exists():
                self.number, self.proc = n, proc
                return self
            # Lost a race for that number (or Xvfb failed): clean up and try the next one.
            if proc.poll() is None:
                proc.kill()
            proc.wait()
            start = n + 1
        raise WineError("could not start Xvfb")

    def stop(self) -> None:
        if not self.proc:
            return
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        if self.proc.stderr:
            self.proc.stderr.close()
        self.proc = None

    def screenshot(self, path: os.PathLike | str) -> Path:
        path = Path(path)
        path.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run([IMPORT, "-display", self.display, "-window", "root", str(path)],
                       check=True, timeout=20, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        return path


class WinePrefix:
    """A private WINEPREFIX in a temporary folder."""

    def __init__(self, path: os.PathLike | str | None = None, keep: bool = False):
        self.created_dir = path is None
        self.path = Path(path) if path else Path(tempfile.mkdtemp(prefix="plumwick-wine-"))
        self.keep = keep
        self.display: Optional[str] = None

    # --- environment and processes

    def env(self, extra: Optional[dict] = None) -> dict:
        env = dict(os.environ)
        for k in ("WINEARCH", "WINELOADER", "WINESERVER", "WINEDLLPATH"):
            env.pop(k, None)
        env.update({
            "WINEPREFIX": str(self.path),
            "WINEDEBUG": "-all",
            "LANG": "ja_JP.UTF-8",
            "LC_ALL": "ja_JP.UTF-8",
            # No Mono/Gecko install prompts, no desktop menu entries in $HOME.
            "WINEDLLOVERRIDES": "mscoree=d;mshtml=d;winemenubuilder.exe=d",
        })
        if self.display:
            env["DISPLAY"] = self.display
        if extra:
            env.update(extra)
        return env

    def wine(self, *args: str, timeout: float = 60, check: bool = True) -> subprocess.CompletedProcess:
        return subprocess.run([WINE64, *args], env=self.env(), timeout=timeout, check=check,
                              stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE)

    def wineserver(self, *args: str, timeout: float = 30) -> int:
        try:
            return subprocess.run([WINESERVER, *args], env=self.env(), timeout=timeout,
                                  stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL).returncode
        except subprocess.TimeoutExpired:
            return -1

    def kill_server(self) -> None:
        """Ends every Wine process of this prefix, and the wineserver itself."""
        if self.path.exists():
            self.wineserver("-k")
            self.wineserver("-w", timeout=15)

    def create(self, display: str, desktop: tuple[int, int] = SCREEN, dpi: Optional[int] = None) -> "WinePrefix":
        self.display = display
        self.wine("wineboot", "-i", timeout=180)
        self.kill_server()
        settings = {
            r"Software\Wine\Explorer": [("Desktop", "REG_SZ", "Default")],
            r"Software\Wine\Explorer\Desktops": [("Default", "REG_SZ", f"{desktop[0]}x{desktop[1]}")],
            # A crashing program just ends (the test sees it) instead of waiting on a dialog.
            r"Software\Wine\WineDbg": [("ShowCrashDialog", "REG_DWORD", 0)],
            # The Japanese user-interface font is proportional, like the one
            # Windows has; without this Wine falls back to a fixed-width one.
            r"Software\Wine\Fonts\Replacements": [("MS Shell Dlg", "REG_SZ", "IPAPGothic"),
                                                    ("MS UI Gothic", "REG_SZ", "IPAPGothic")],
        }
        if dpi:
            settings.update(self._dpi_settings(dpi))
        self.write_user_registry(settings)
        return self

    @staticmethod
    def _dpi_settings(dpi: int) -> dict:
        # The value Wine 8 reads (HKEY_CURRENT_CONFIG\Software\Fonts is not consulted).
        return {r"Control Panel\Desktop": [("LogPixels", "REG_DWORD", int(dpi))]}

    def write_user_registry(self, settings: dict) -> None:
        """Sets HKEY_CURRENT_USER values by editing user.reg, with the wineserver stopped.

        settings: {key path under HKCU: [(name, "REG_SZ" | "REG_DWORD", data), ...]}.
        Quicker than a regedit run (about 1.4 s each under wine64)."""
        self.kill_server()
        path = self.path / "user.reg"
        lines = path.read_text(encoding="utf-8", errors="surrogateescape").split("\n")
        for key, values in settings.items():
            header = "[" + key.replace("\\", "\\\\") + "]"
            start = next((i for i, line in enumerate(lines)
                          if line.lower() == header.lower() or line.lower().startswith(header.lower() + " ")),
                         None)
            if start is None:
                lines += [f"{header} {int(time.time())}", ""]
                start = len(lines) - 2
            end = start + 1
            while end < len(lines) and not lines[end].startswith("["):
                end += 1
            while end > start + 1 and not lines[end - 1].strip():
                end -= 1
            for name, kind, data in values:
                if kind == "REG_DWORD":
                    entry = f'"{name}"=dword:{int(data):08x}'
                else:
                    entry = '"{}"="{}"'.format(name, str(data).replace("\\", "\\\\").replace('"', '\\"'))
                found = next((i for i in range(start + 1, end)
                              if lines[i].lower().startswith(f'"{name.lower()}"=')), None)
                if found is None:
                    lines.insert(end, entry)
                    end += 1
                else:
                    lines[found] = entry
        path.write_text("\n".join(lines), encoding="utf-8", errors="surrogateescape")

    def set_dpi(self, dpi: int) -> None:
        """Sets the screen's logical DPI (96 normal, 120 large fonts).

        Stops the wineserver, so every Wine program of the prefix ends; the next
        program started sees the new DPI."""
        self.write_user_registry(self._dpi_settings(dpi))

    def query(self, key: str, name: str) -> Optional[str]:
        r = self.wine("reg", "query", key, "/v", name, check=False)
        for line in r.stdout.decode("utf-8", "replace").splitlines():
            parts = line.split()
            if len(parts) >= 3 and parts[0] == name:
                return parts[-1]
        return None

    def remove(self) -> None:
        if self.keep or not self.created_dir:
            return
        shutil.rmtree(self.path, ignore_errors=True)

    # --- paths

    @property
    def drive_c(self) -> Path:
        return self.path / "drive_c"

    @property
    def windows_dir(self) -> Path:
        return self.drive_c / "windows"

    def to_windows(self, path: os.PathLike | str) -> str:
        """Linux path -> Windows path (C:\\... inside drive_c, else Z:\\...)."""
        p = Path(os.path.abspath(path))
        try:
            rel = p.relative_to(self.drive_c)
            return "C:\\" + "\\".join(rel.parts)
        except ValueError:
            return "Z:" + str(p).replace("/", "\\")

    def to_linux(self, winpath: str) -> Path:
        """Windows path -> Linux path, matching existing names case-insensitively."""
        w = PureWindowsPath(winpath)
        drive = w.drive.upper()
        if drive == "C:":
            base = self.drive_c
        elif drive == "Z:":
            base = Path("/")
        else:
            raise ValueError(f"unsupported drive in {winpath!r}")
        cur = base
        for part in w.parts[1:]:
            exact = cur / part
            if not exact.exists() and cur.is_dir():
                for entry in cur.iterdir():
                    if entry.name.lower() == part.lower():
                        exact = entry
                        break
            cur = exact
        return cur


class WinProcess:
    """A Windows program started by us under wine64 (the Popen is its own process)."""

    def __init__(self, popen: subprocess.Popen, exe: str, stdout_path: Optional[Path] = None,
                 prefix: Optional[WinePrefix] = None):
        self.popen = popen
        self.exe = exe
        self.stdout_path = stdout_path
        self.prefix = prefix

    @property
    def pid(self) -> int:
        return self.popen.pid

    def alive(self) -> bool:
        return self.popen.poll() is None

    def wait(self, timeout: float = 10.0) -> int:
        return self.popen.wait(timeout)

    def kill(self) -> None:
        """Ends this program by its pid; a stuck one takes the prefix's wineserver down with it."""
        if self.popen.poll() is None:
            self.popen.kill()
        try:
            self.popen.wait(5)
        except subprocess.TimeoutExpired:
            if self.prefix:
                self.prefix.kill_server()
            try:
                self.popen.wait(5)
            except subprocess.TimeoutExpired:
                pass

    @property
    def returncode(self) -> Optional[int]:
        return self.popen.poll()

    def output(self) -> str:
        if self.stdout_path and self.stdout_path.exists():
            return self.stdout_path.read_text("utf-8", "replace")
        return ""


class Driver:
    """driver.exe under wine64: one command line in, one JSON line out."""

    def __init__(self, session: "WineSession", exe: os.PathLike | str, default_timeout: float = 20.0):
        self.session = session
        self.exe = str(exe)
        self.default_timeout = default_timeout
        self.proc: Optional[subprocess.Popen] = None
        self.pid: Optional[int] = None  # Windows pid
        self._lines: "queue.Queue[Optional[bytes]]" = queue.Queue()
        self._stderr_tail: list[str] = []
        self.start()

    def start(self) -> None:
        self.proc = subprocess.Popen(
            [WINE64, self.exe], env=self.session.prefix.env(), cwd=str(self.session.prefix.drive_c),
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self._lines = queue.Queue()
        threading.Thread(target=self._pump, args=(self.proc.stdout, self._lines), daemon=True).start()
        threading.Thread(target=self._drain_stderr, args=(self.proc.stderr,), daemon=True).start()
        ready = self._read(60.0, ["<start>"], restart=False)
        self.pid = ready.get("pid")

    @staticmethod
    def _pump(stream, q):
        for line in iter(stream.readline, b""):
            q.put(line)
        q.put(None)

    def _drain_stderr(self, stream):
        for line in iter(stream.readline, b""):
            self._stderr_tail = (self._stderr_tail + [line.decode("utf-8", "replace")])[-50:]

    def _read(self, timeout: float, command: Sequence[str], restart: bool = True) -> dict:
        try:
            line = self._lines.get(timeout=timeout)
        except queue.Empty:
            if restart:
                self.restart()
            else:
                self.stop(graceful=False)
            raise DriverTimeout(f"driver gave no answer to {command!r} within {timeout:.0f}s") from None
        if line is None:
            raise WineError(f"driver exited; stderr: {''.join(self._stderr_tail)[-2000:]}")
        return json.loads(line.decode("utf-8"))

    def restart(self) -> None:
        """A hung command leaves the protocol out of step: start a fresh driver."""
        self.stop(graceful=False)
        self.start()

    def stop(self, graceful: bool = True) -> None:
        if not self.proc:
            return
        if graceful and self.proc.poll() is None:
            try:
                self.proc.stdin.write(b"quit\n")
                self.proc.stdin.flush()
                self.proc.wait(5)
            except (OSError, subprocess.TimeoutExpired):
                pass
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        for s in (self.proc.stdin, self.proc.stdout, self.proc.stderr):
            try:
                s.close()
            except OSError:
                pass
        self.proc = None

    def raw(self, *fields, timeout: Optional[float] = None) -> dict:
        """Sends one command and returns its answer, ok or not."""
        fields = [str(f) for f in fields]
        for f in fields:
            if "\t" in f or "\n" in f:
                raise ValueError(f"field may not hold TAB or newline: {f!r}")
        if timeout is None:
            timeout = self.default_timeout
            # Waiting commands carry their own timeout in ms as the last field.
            if fields and fields[-1].isdigit() and fields[0] in WAITING_COMMANDS:
                timeout = int(fields[-1]) / 1000.0 + 10.0
        if not self.proc or self.proc.poll() is not None:
            self.start()
        self.proc.stdin.write(("\t".join(fields) + "\n").encode("utf-8"))
        self.proc.stdin.flush()
        return self._read(timeout, fields)

    def cmd(self, *fields, timeout: Optional[float] = None) -> dict:
        """Sends one command; raises DriverError unless the answer is ok."""
        answer = self.raw(*fields, timeout=timeout)
        if not answer.get("ok"):
            raise DriverError(fields, answer)
        return answer

    # --- convenience wrappers

    def windows(self) -> list[dict]:
        return self.cmd("windows")["windows"]

    def wait_window(self, title: str, timeout_ms: int = 10000) -> dict:
        return self.cmd("wait-window", title, timeout_ms)

    def wait_gone(self, title: str, timeout_ms: int = 10000) -> dict:
        return self.cmd("wait-gone", title, timeout_ms)

    def controls(self, title: str) -> list[dict]:
        return self.cmd("controls", title)["controls"]

    def control(self, title: str, ref) -> dict:
        return self.cmd("control", title, ref)["control"]

    def text(self, title: str, ref) -> str:
        return self.cmd("text", title, ref)["text"]

    def press(self, title: str, caption: str) -> dict:
        return self.cmd("press", title, caption)

    def press_id(self, title: str, control_id: int) -> dict:
        return self.cmd("press-id", title, control_id)

    def key(self, title: str, key: str) -> dict:
        return self.cmd("key", title, key)

    def focus(self, title: str) -> Optional[dict]:
        return self.cmd("focus", title)["focus"]

    def close(self, title: str) -> dict:
        return self.cmd("close", title)

    def rect(self, title: str) -> dict:
        return self.cmd("rect", title)

    def dpi(self) -> dict:
        return self.cmd("dpi")

    def pixels(self, title: str, ref="client", save: Optional[str] = None) -> dict:
        args = ["pixels", title, ref] + ([save] if save else [])
        return self.cmd(*args)["digest"]

    def msgbox(self, title: str = "", timeout_ms: int = 10000) -> dict:
        return self.cmd("msgbox", title, timeout_ms)

    def msgbox_press(self, title: str, button: str, timeout_ms: int = 10000) -> dict:
        return self.cmd("msgbox-press", title, button, timeout_ms)

    def file_open(self, path: str, title: str = "", timeout_ms: int = 10000) -> dict:
        return self.cmd("file-open", title, path, timeout_ms)

    def file_cancel(self, title: str = "", timeout_ms: int = 10000) -> dict:
        return self.cmd("file-cancel", title, timeout_ms)

    def file_dialog(self, title: str = "", timeout_ms: int = 10000) -> dict:
        return self.cmd("file-dialog", title, timeout_ms)

    def processes(self) -> list[dict]:
        return self.cmd("processes")["processes"]


WAITING_COMMANDS = {"wait-window", "wait-gone", "msgbox", "msgbox-press", "file-open", "file-cancel",
                    "file-dialog"}


class WineSession:
    """Xvfb + a private prefix + the programs started in it."""

    def __init__(self, keep_prefix: bool = False, dpi: Optional[int] = None,
                 prefix_path: os.PathLike | str | None = None):
        self.keep_prefix = keep_prefix or os.environ.get("PLUMWICK_KEEP_PREFIX") == "1"
        self.initial_dpi = dpi
        self.prefix_path = prefix_path
        self.xvfb = Xvfb()
        self.prefix: Optional[WinePrefix] = None
        self.processes: list[WinProcess] = []
        self.drivers: list[Driver] = []
        self.timings: dict[str, float] = {}

    def __enter__(self) -> "WineSession":
        return self.start()

    def __exit__(self, *exc) -> None:
        self.close()

    def start(self) -> "WineSession":
        t0 = time.monotonic()
        try:
            self.xvfb.start()
            self.timings["xvfb"] = time.monotonic() - t0
            self.prefix = WinePrefix(self.prefix_path, keep=self.keep_prefix)
            t1 = time.monotonic()
            self.prefix.create(self.xvfb.display, dpi=self.initial_dpi)
            self.timings["prefix"] = time.monotonic() - t1
        except BaseException:
            self.close()
            raise
        return self

    @property
    def display(self) -> str:
        return self.xvfb.display

    def env(self, extra: Optional[dict] = None) -> dict:
        return self.prefix.env(extra)

    def start_program(self, exe: os.PathLike | str, *args: str, cwd: os.PathLike | str | None = None,
                      env: Optional[dict] = None, capture: bool = False) -> WinProcess:
        """Starts a Windows program in the background. exe may be a Linux or Windows path."""
        exe = str(exe)
        cwd = str(cwd) if cwd else str(self.prefix.drive_c)
        out_path = None
        stdout = subprocess.DEVNULL
        if capture:
            fd, name = tempfile.mkstemp(prefix="winout-", suffix=".txt", dir=self.prefix.path)
            out_path = Path(name)
            stdout = os.fdopen(fd, "wb")
        try:
            popen = subprocess.Popen([WINE64, exe, *args], env=self.env(env), cwd=cwd,
                                     stdin=subprocess.DEVNULL, stdout=stdout, stderr=subprocess.STDOUT
                                     if capture else subprocess.DEVNULL)
        finally:
            if capture:
                stdout.close()
        proc = WinProcess(popen, exe, out_path, self.prefix)
        self.processes.append(proc)
        return proc

    run = start_program

    def launch(self, driver: "Driver", exe: os.PathLike | str, title: str, *args: str,
               cwd: os.PathLike | str | None = None, timeout_ms: int = 10000,
               retries: int = 1) -> tuple[WinProcess, dict]:
        """Starts a program and waits for its window titled ``title``.

        Rarely (seen about once in several hundred starts on a loaded machine) a
        program started under wine64 shows nothing at all; such a start is
        ended and tried again, with a warning. A program that exits first fails
        at once."""
        for attempt in range(retries + 1):
            proc = self.start_program(exe, *args, cwd=cwd)
            deadline = time.monotonic() + timeout_ms / 1000.0
            while True:
                # Short slices, so that a program that ends early is noticed at once.
                slice_ms = max(0, min(250, int((deadline - time.monotonic()) * 1000)))
                answer = driver.raw("wait-window", title, slice_ms)
                if answer.get("ok"):
                    return proc, answer
                if not proc.alive():
                    raise WineError(f"{exe} exited with {proc.returncode} before showing {title!r}")
                if time.monotonic() >= deadline:
                    break
            details = {"answer": answer, "processes": driver.raw("processes").get("processes"),
                       "windows": driver.raw("windows", "all").get("windows")}
            proc.kill()
            if attempt < retries:
                warnings.warn(f"{exe} showed no window {title!r} within {timeout_ms} ms; started again. "
                              f"{json.dumps(details, ensure_ascii=False)[:3000]}")
        raise WineError(f"{exe} showed no window {title!r}: {json.dumps(details, ensure_ascii=False)[:3000]}")

    def driver(self, exe: os.PathLike | str) -> Driver:
        d = Driver(self, exe)
        self.drivers.append(d)
        return d

    def screenshot(self, path: os.PathLike | str) -> Path:
        return self.xvfb.screenshot(path)

    def set_dpi(self, dpi: int) -> None:
        """Changes the DPI; every Wine program ends, drivers are started again."""
        for p in self.processes:
            p.kill()
        self.processes.clear()
        for d in self.drivers:
            d.stop()
        self.prefix.set_dpi(dpi)
        for d in self.drivers:
            d.start()

    def kill_programs(self) -> None:
        """Ends the programs we started (not the drivers) by their pid."""
        for p in self.processes:
            p.kill()
        self.processes = [p for p in self.processes if p.alive()]

    def close(self) -> None:
        for p in self.processes:
            p.kill()
        self.processes.clear()
        for d in self.drivers:
            d.stop()
        self.drivers.clear()
        if self.prefix:
            self.prefix.kill_server()
        self.xvfb.stop()
        if self.prefix:
            self.prefix.remove()


def our_processes(prefix: Optional[WinePrefix] = None, display: Optional[str] = None) -> list[str]:
    """ps lines of processes that belong to the given prefix or display (for leak checks)."""
    out = subprocess.run(["ps", "-eo", "pid,args"], capture_output=True, text=True).stdout.splitlines()[1:]
    found = []
    for line in out:
        pid = line.split(None, 1)[0]
        if display and f"Xvfb {display} " in line + " ":
            found.append(line)
            continue
        if prefix is None:
            continue
        try:
            env = Path(f"/proc/{pid}/environ").read_bytes().split(b"\0")
        except OSError:
            continue
        if f"WINEPREFIX={prefix.path}".encode() in env:
            found.append(line)
    return found
