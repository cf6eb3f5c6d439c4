#!/usr/bin/python3
"""Starts Plumwick.exe under Wine on a demo Windows folder with sample logos: the i686 release exe, or
the x86-64 build of the same sources where this host runs no 32-bit program (tools/wine.py decides).

With a display (DISPLAY set and its X socket there) the tool opens on it, in a Wine prefix kept in
build/demo-prefix, and this waits until it is closed. Without one it runs on a private Xvfb in a
throw-away prefix, writes a screenshot and stops everything again."""
import argparse
import os
import shutil
import sys
from pathlib import Path

import wine

ROOT = Path(__file__).resolve().parents[1]
RESOURCES = ROOT / "src" / "resources"


def lay_out(s: wine.Session, exe: Path) -> Path:
    """C:\\Plumwick with the tool and its default logo, the demo logos in C:\\windows, pictures to choose
    in C:\\Plumwick\\samples."""
    tool = s.c("C:\\Plumwick")
    (tool / "samples").mkdir(parents=True, exist_ok=True)
    shutil.copyfile(exe, tool / "Plumwick.exe")
    shutil.copyfile(RESOURCES / "DfltLogo.sys", tool / "DfltLogo.sys")
    shutil.copyfile(RESOURCES / "DfltLogo.sys", tool / "samples" / "plumwick.bmp")
    for name in ("logow.sys", "logos.sys"):
        shutil.copyfile(RESOURCES / "demo" / name, s.c("C:\\windows") / name)
        shutil.copyfile(RESOURCES / "demo" / name, tool / "samples" / name.replace(".sys", ".bmp"))
    return tool


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--exe", type=Path, help="default: Plumwick.exe of the build this host runs")
    parser.add_argument("--driver", type=Path, help="default: the end-to-end driver of that build")
    parser.add_argument("--screenshot", type=Path, default=ROOT / "build" / "demo.png")
    args = parser.parse_args()
    return wine.told_in_one_line("run-demo", demo, args)


def demo(args) -> int:
    host = wine.host()
    build = host.build(ROOT / "build")
    exe, driver = (args.exe or build / "Plumwick.exe").resolve(), args.driver or build / wine.DRIVER
    if not exe.is_file():
        raise wine.WineError(f"no exe at {exe}: build it with ./run-demo or tools/build.sh")
    display = os.environ.get("DISPLAY", "")
    shown = display.startswith(":") and Path(f"/tmp/.X11-unix/X{display[1:].split('.')[0]}").exists()
    prefix = ROOT / "build" / f"demo-prefix-{host.arch}" if shown else None
    if shown:
        print(f"Wine prefix: {prefix} (remove it with: rm -rf {prefix})")
    else:
        print("no display: starting Xvfb and a throw-away Wine prefix")
    with wine.Session(prefix, driver, display=display if shown else None, wine=host) as s:
        tool = lay_out(s, exe)
        print(f"starting {tool / 'Plumwick.exe'} under wine and waiting for its window...")
        proc = s.launch(tool / "Plumwick.exe", "Plumwick")
        if shown:
            print(f"Plumwick is open on {display}; close it to finish.")
            proc.wait()
        else:
            print(f"the window is up; screenshot written to {s.screenshot(args.screenshot)}; stopping Wine and Xvfb")
    return 0


if __name__ == "__main__":
    sys.exit(main())
