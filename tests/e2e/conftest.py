"""End-to-end fixtures: one Wine session per run, a fresh desk per test.

Environment:
  PLUMWICK_DRIVER_EXE   driver.exe (required; without it every e2e test is skipped)
  PLUMWICK_EXE          the tool's exe (tests using ``desk.run_tool`` are skipped without it)
  PLUMWICK_TESTEE_EXE   testee.exe (default: beside driver.exe)
  PLUMWICK_ARTIFACTS    screenshots folder (default: $PLUMWICK_BUILD_DIR/tests/e2e/artifacts,
                        else /tmp/plumwick-e2e-artifacts)
  PLUMWICK_KEEP_PREFIX  1 keeps the Wine prefix after the run, for a look inside
"""

from __future__ import annotations

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path
from typing import Optional, Union

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parent / "lib"))

import winenv  # noqa: E402

FileSource = Union[str, os.PathLike, bytes]


driver_exe = winenv.driver_exe
tool_exe = winenv.tool_exe
testee_exe = winenv.testee_exe
artifacts_dir = winenv.artifacts_dir


def _safe_name(text: str) -> str:
    return re.sub(r"[^A-Za-z0-9_.-]+", "_", text).strip("_")[:150]


_STATE: dict = {}

# Registry keys emptied after every test. The file dialogs remember the last
# folder per program here, which would leak from one test into the next.
RESET_REGISTRY_KEYS = [
    r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32",
]


class Baseline:
    """What C:\\ and C:\\windows hold right after the prefix is made, to return to it."""

    def __init__(self, prefix: winenv.WinePrefix):
        self.prefix = prefix
        self.store = Path(tempfile.mkdtemp(prefix="plumwick-baseline-"))
        self.entries: dict[Path, set[str]] = {}
        self.saved: dict[Path, tuple[int, int, Path]] = {}
        for folder in (prefix.drive_c, prefix.windows_dir):
            self.entries[folder] = {p.name for p in folder.iterdir()}
            for p in folder.iterdir():
                if p.is_file() and not p.is_symlink() and p.stat().st_size < 1_000_000:
                    copy = self.store / f"{len(self.saved)}-{p.name}"
                    shutil.copy2(p, copy)
                    st = p.stat()
                    self.saved[p] = (st.st_size, st.st_mtime_ns, copy)

    def restore(self) -> None:
        for folder, names in self.entries.items():
            for p in folder.iterdir():
                if p.name in names:
                    continue
                if p.is_dir() and not p.is_symlink():
                    shutil.rmtree(p, ignore_errors=True)
                else:
                    p.unlink(missing_ok=True)
        for path, (size, mtime, copy) in self.saved.items():
            try:
                st = path.stat()
                if (st.st_size, st.st_mtime_ns) == (size, mtime):
                    continue
            except FileNotFoundError:
                pass
            if path.is_dir() and not path.is_symlink():
                shutil.rmtree(path)
            shutil.copy2(copy, path)

    def remove(self) -> None:
        shutil.rmtree(self.store, ignore_errors=True)


@pytest.fixture(scope="session")
def wine_session():
    drv = driver_exe()
    if not drv:
        pytest.skip("PLUMWICK_DRIVER_EXE is not set")
    if not drv.is_file():
        pytest.fail(f"PLUMWICK_DRIVER_EXE does not exist: {drv}")
    for tool in (winenv.WINE64, winenv.WINESERVER, winenv.XVFB):
        if not Path(tool).exists():
            pytest.skip(f"{tool} is not installed")
    session = winenv.WineSession().start()
    _STATE["session"] = session
    baseline = Baseline(session.prefix)
    _STATE["baseline"] = baseline
    try:
        yield session
    finally:
        _STATE.pop("session", None)
        _STATE.pop("driver", None)
        display, prefix = session.display, session.prefix
        session.close()
        baseline.remove()
        left = winenv.our_processes(prefix, display)
        assert not left, "processes left after the e2e session:\n" + "\n".join(left)


@pytest.fixture(scope="session")
def driver(wine_session) -> winenv.Driver:
    d = wine_session.driver(driver_exe())
    _STATE["driver"] = d
    return d


class Desk:
    """A test's view of the Wine machine: start programs, lay out files, look at the screen."""

    def __init__(self, session: winenv.WineSession, drv: winenv.Driver, node_name: str):
        self.session = session
        self.driver = drv
        self.prefix = session.prefix
        self.node_name = node_name
        self.dpi_changed = False

    # --- paths and files

    @property
    def drive_c(self) -> Path:
        return self.prefix.drive_c

    def linux(self, winpath: str) -> Path:
        return self.prefix.to_linux(winpath)

    def windows(self, path: os.PathLike | str) -> str:
        return self.prefix.to_windows(path)

    def put(self, winpath: str, source: FileSource) -> Path:
        """Writes a file at a Windows path: bytes, or a copy of a Linux file."""
        target = self.linux(winpath)
        target.parent.mkdir(parents=True, exist_ok=True)
        if isinstance(source, (bytes, bytearray)):
            target.write_bytes(bytes(source))
        else:
            shutil.copyfile(source, target)
        return target

    def read(self, winpath: str) -> bytes:
        return self.linux(winpath).read_bytes()

    def exists(self, winpath: str) -> bool:
        return self.linux(winpath).exists()

    def tool_folder(self, files: Optional[dict[str, FileSource]] = None, name: str = "Plumwick",
                    with_tool: bool = True) -> str:
        """Makes C:\\<name> holding the tool (as its own file name) and the given files."""
        folder = f"C:\\{name}"
        self.linux(folder).mkdir(parents=True, exist_ok=True)
        if with_tool:
            exe = tool_exe()
            if not exe:
                pytest.skip("PLUMWICK_EXE is not set")
            self.put(f"{folder}\\{exe.name}", exe)
        for fname, src in (files or {}).items():
            self.put(f"{folder}\\{fname}", src)
        return folder

    def logo_files(self, root: Optional[dict[str, FileSource]] = None,
                   windows: Optional[dict[str, FileSource]] = None) -> None:
        """Places files in C:\\ (e.g. LOGO.SYS) and C:\\windows (e.g. LOGOW.SYS, LOGOS.SYS)."""
        for fname, src in (root or {}).items():
            self.put(f"C:\\{fname}", src)
        for fname, src in (windows or {}).items():
            self.put(f"C:\\windows\\{fname}", src)

    # --- programs

    def _local(self, path: os.PathLike | str) -> Path:
        text = str(path)
        return self.linux(text) if re.match(r"^[A-Za-z]:\\", text) else Path(text)

    def run(self, exe: os.PathLike | str, *args: str, cwd: Optional[str] = None,
            capture: bool = False) -> winenv.WinProcess:
        """Starts a Windows program; exe and cwd may be Windows or Linux paths."""
        return self.session.start_program(self._local(exe), *args, cwd=self._local(cwd) if cwd else None,
                                          capture=capture)

    def launch(self, exe: os.PathLike | str, title: str, *args: str, cwd: Optional[str] = None,
               timeout_ms: int = 10000) -> tuple[winenv.WinProcess, dict]:
        """Starts a program and waits for its window (see WineSession.launch); returns both."""
        return self.session.launch(self.driver, self._local(exe), title, *args,
                                   cwd=self._local(cwd) if cwd else None, timeout_ms=timeout_ms)

    def run_tool(self, *args: str, folder: Optional[str] = None,
                 title: Optional[str] = None) -> winenv.WinProcess:
        """Starts the tool from its folder (made with its files by tool_folder if not given);
        with a title, also waits for that window."""
        exe = tool_exe()
        if not exe:
            pytest.skip("PLUMWICK_EXE is not set")
        folder = folder or self.tool_folder()
        path = f"{folder}\\{exe.name}"
        if title:
            return self.launch(path, title, *args, cwd=folder)[0]
        return self.run(path, *args, cwd=folder)

    def set_dpi(self, dpi: int) -> None:
        """Restarts Wine with that DPI; programs end. Put back to 96 after the test."""
        self.session.set_dpi(dpi)
        self.dpi_changed = dpi != 96

    # --- looking

    def snap(self, name: str) -> Path:
        path = artifacts_dir() / f"{_safe_name(self.node_name)}--{_safe_name(name)}.png"
        try:
            self.driver.raw("settle", timeout=10)  # windows painted before the picture is taken
        except winenv.WineError:
            pass
        return self.session.screenshot(path)

    @staticmethod
    def wait_for(predicate, timeout: float = 10.0, what: str = "condition"):
        return winenv.poll(predicate, timeout=timeout, what=what)

    # --- cleaning up

    def end_programs(self) -> None:
        """Ends what the test left running: our programs, then anything else new in the prefix."""
        self.session.kill_programs()
        drv = self.driver
        try:
            procs = drv.cmd("processes", timeout=10)
        except winenv.WineError:
            drv.restart()
            procs = drv.cmd("processes", timeout=10)
        for p in procs["processes"]:
            if p["pid"] == procs["self"] or p["exe"].lower() in winenv.WINE_SYSTEM_EXES:
                continue
            drv.raw("kill", p["pid"], timeout=10)
        winenv.poll(lambda: not drv.windows(), timeout=5, what="all windows to close")

    def reset_registry(self) -> None:
        for key in RESET_REGISTRY_KEYS:
            self.driver.cmd("reg-delete", key, timeout=10)


@pytest.fixture
def desk(request, wine_session, driver) -> Desk:
    d = Desk(wine_session, driver, request.node.nodeid)
    _STATE["desk"] = d
    _STATE["baseline"].restore()
    try:
        yield d
    finally:
        _STATE.pop("desk", None)
        d.end_programs()
        d.reset_registry()
        if d.dpi_changed:
            wine_session.set_dpi(96)
        _STATE["baseline"].restore()


@pytest.fixture
def needs_tool():
    if not tool_exe():
        pytest.skip("PLUMWICK_EXE is not set")
    return tool_exe()


def pytest_configure(config):
    config.addinivalue_line(
        "markers", "new_wine_session: makes a Wine session of its own (about 15 s); "
        "-m 'not new_wine_session' leaves it out")


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    session = _STATE.get("session")
    if not session or not report.failed:
        return
    base = str(artifacts_dir() / f"{_safe_name(item.nodeid)}--failed-{report.when}")
    try:
        shot = session.screenshot(base + ".png")
        report.sections.append(("e2e screenshot", str(shot)))
    except (OSError, subprocess.SubprocessError) as exc:
        report.sections.append(("e2e screenshot", f"failed: {exc}"))
    drv = _STATE.get("driver")
    if drv:
        try:
            windows = drv.cmd("windows", timeout=5)["windows"]
            Path(base + ".windows.json").write_text(
                json.dumps(windows, ensure_ascii=False, indent=1), encoding="utf-8")
        except (winenv.WineError, OSError):
            pass
