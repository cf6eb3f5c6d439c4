#!/usr/bin/python3
"""Start-up time under Wine: from process start to the main window visible
and painted, for the tool and for a bare window built with the same flags,
several runs each in one session. Prints the medians and their ratio."""
import argparse
import shutil
import statistics
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "e2e" / "lib"))

import winenv  # noqa: E402


def measure(session, driver, exe: Path, title: str, runs: int) -> list[float]:
    times = []
    for _ in range(runs):
        started = time.monotonic()
        proc = session.start_program(exe, cwd=exe.parent)
        driver.wait_window(title, 20000)  # answers once the window is shown and painted
        times.append((time.monotonic() - started) * 1000)
        driver.close(title)
        proc.wait(10)
    return times


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", default=str(ROOT / "build" / "x86_64"))
    parser.add_argument("--runs", type=int, default=9)
    args = parser.parse_args()
    build = Path(args.build)
    with winenv.WineSession() as session:
        c = session.prefix.drive_c
        tool = c / "Plumwick"
        tool.mkdir()
        shutil.copyfile(build / "Plumwick.exe", tool / "Plumwick.exe")
        shutil.copyfile(ROOT / "src" / "resources" / "DfltLogo.sys", tool / "DfltLogo.sys")
        for name in ("logow.sys", "logos.sys"):
            shutil.copyfile(ROOT / "src" / "resources" / "demo" / name, session.prefix.windows_dir / name)
        bare = c / "Bare"
        bare.mkdir()
        shutil.copyfile(build / "bare_window.exe", bare / "bare_window.exe")
        driver = session.driver(build / "tests" / "e2e" / "driver" / "driver.exe")
        # One start of each first: the tool makes its backup on its first start.
        measure(session, driver, tool / "Plumwick.exe", "Plumwick", 1)
        measure(session, driver, bare / "bare_window.exe", "Bare", 1)
        results = {"Plumwick": [], "bare window": []}
        for _ in range(args.runs):
            results["Plumwick"] += measure(session, driver, tool / "Plumwick.exe", "Plumwick", 1)
            results["bare window"] += measure(session, driver, bare / "bare_window.exe", "Bare", 1)
    medians = {name: statistics.median(times) for name, times in results.items()}
    for name, times in results.items():
        print(f"{name:12s} median {medians[name]:7.1f} ms  (runs: {', '.join(f'{t:.0f}' for t in times)})")
    print(f"ratio Plumwick / bare window: {medians['Plumwick'] / medians['bare window']:.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
