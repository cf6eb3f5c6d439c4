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


@pytest.fixture(scope="session")
def session(request):
    if not EXE or not os.environ.get("PLUMWICK_DRIVER_EXE"):
        pytest.skip("PLUMWICK_EXE and PLUMWICK_DRIVER_EXE are not set")
    with request.config.pluginmanager.getplugin("capturemanager").global_and_fixture_disabled():
        s = wine.Session(driver=Path(os.environ["PLUMWICK_DRIVER_EXE"])).__enter__()  # says when it makes a prefix
    s.baseline = {p.name for p in s.c("C:\\").iterdir()}
    yield s
    s.close()


@pytest.fixture
def tool(session):
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


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    report = (yield).get_result()
    if report.failed and "tool" in item.funcargs:
        item.funcargs["tool"].snap(re.sub(r"\W+", "_", item.name) + "-failed")
