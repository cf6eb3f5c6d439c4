"""End-to-end fixtures: one Wine session (tools/wine.py) for the run, a clean machine for each test.
PLUMWICK_EXE: the i686 exe; PLUMWICK_DRIVER_EXE: driver.exe; PLUMWICK_ARTIFACTS: screenshots."""
import os
import re
import shutil
import sys
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
sys.path[:0] = [str(ROOT / "tools"), str(ROOT / "tests")]

import wine  # noqa: E402
from ui import EXE, Tool  # noqa: E402


def wine_session(name: str, lang: str):
    """A session-wide Wine prefix in that locale: ja_JP (code page 932) or en_US (1252, the tool in English)."""
    @pytest.fixture(scope="session", name=name)
    def fixture(request):
        if not EXE or not os.environ.get("PLUMWICK_DRIVER_EXE"):
            pytest.skip("PLUMWICK_EXE and PLUMWICK_DRIVER_EXE are not set: run the tests with tools/pytest.sh")
        try:
            with request.config.pluginmanager.getplugin("capturemanager").global_and_fixture_disabled():
                s = wine.Session(driver=Path(os.environ["PLUMWICK_DRIVER_EXE"]), lang=lang).__enter__()  # may make a prefix
        except wine.WineError as e:  # a prerequisite: one line, and no test can run
            pytest.exit(f"end-to-end tests: {e}", returncode=3)
        s.baseline = {p.name for p in s.c("C:\\").iterdir()}
        yield s
        s.close()
    return fixture


session, english = wine_session("session", "ja_JP.UTF-8"), wine_session("english", "en_US.UTF-8")


def fresh(session):
    yield Tool(session)
    # Back to the bare machine: only what the tool and the tests touch.
    session.end_programs()
    for p in session.c("C:\\").iterdir():
        if p.name not in session.baseline:
            shutil.rmtree(p) if p.is_dir() else p.unlink()
    for p in session.c("C:\\windows").glob("logo[ws].*"):  # the logos and the tool's .pwn/.pwo files
        p.unlink()
    session.driver("forget")
    if session.dpi != 96:
        session.set_dpi(96)


@pytest.fixture
def tool(session):
    yield from fresh(session)


@pytest.fixture
def tool_en(english):
    yield from fresh(english)


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    report = (yield).get_result()
    for name in ("tool", "tool_en"):
        if report.failed and name in item.funcargs:
            item.funcargs[name].snap(re.sub(r"\W+", "_", item.name) + "-failed")
