#!/usr/bin/python3
"""Start-up time under Wine: from process start to the main window shown and painted, for the tool
(the build this host runs: tools/wine.py), for a bare window built with the same flags, and for that
window holding as many standard controls as the tool's main window; several runs each in one
session. Prints the medians and the ratios to the bare window."""
import argparse
import shutil
import statistics
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tools"))

import built  # noqa: E402
import wine  # noqa: E402


def start_once(s: wine.Session, exe: Path, title: str) -> float:
    started = time.monotonic()
    proc = s.launch(exe, title)  # returns once the window is shown and painted
    took = (time.monotonic() - started) * 1000
    s.driver("close", title)
    proc.wait(10)
    return took


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", type=Path, help="the build folder (default: build/i686 or build/x86_64, "
                        "whichever this host runs)")
    parser.add_argument("--runs", type=int, default=21)
    args = parser.parse_args()
    return wine.told_in_one_line("startup benchmark", measure, args)


def measure(args) -> int:
    built.benchmarks()
    host = wine.host()
    args.build = (args.build or host.build(ROOT / "build")).resolve()
    if args.build.name in ("i686", "x86_64") and args.build.name != host.arch:  # a build named for its Wine
        host = wine.Host(args.build.name, f"--build {args.build}")
    print(f"timing the programs in {args.build} under {host.wine}")
    with wine.Session(driver=args.build / wine.DRIVER, wine=host) as s:
        tool, bare = s.c("C:\\Plumwick"), s.c("C:\\Bare")
        tool.mkdir()
        bare.mkdir()
        shutil.copyfile(args.build / "Plumwick.exe", tool / "Plumwick.exe")
        shutil.copyfile(ROOT / "src" / "resources" / "DfltLogo.sys", tool / "DfltLogo.sys")
        for name in ("logow.sys", "logos.sys"):
            shutil.copyfile(ROOT / "src" / "resources" / "demo" / name, s.c("C:\\windows") / name)
        for name in ("bare_window.exe", "bare_controls.exe"):
            shutil.copyfile(args.build / name, bare / name)
        programs = {"Plumwick": (tool / "Plumwick.exe", "Plumwick"), "bare window": (bare / "bare_window.exe", "Bare"),
                    "bare+controls": (bare / "bare_controls.exe", "Bare")}
        for exe, title in programs.values():  # the first start makes the backup and warms Wine up
            start_once(s, exe, title)
        times = {name: [] for name in programs}
        for _ in range(args.runs):
            for name, (exe, title) in programs.items():
                times[name].append(start_once(s, exe, title))
    medians = {name: statistics.median(t) for name, t in times.items()}
    for name, t in times.items():
        print(f"{name:13s} median {medians[name]:7.1f} ms  (runs: {', '.join(f'{x:.0f}' for x in t)})")
    for name in ("Plumwick", "bare+controls"):
        print(f"ratio {name} / bare window: {medians[name] / medians['bare window']:.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
