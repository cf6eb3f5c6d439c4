#!/usr/bin/python3
"""Starts the i686 Plumwick.exe under 32-bit Wine on a demo Windows folder with sample logos.

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
    parser.add_argument("--exe", type=Path, default=ROOT / "build" / "i686" / "Plumwick.exe")
    parser.add_argument("--driver", type=Path, default=ROOT / "build/i686/tests/e2e/driver/driver.exe")
    parser.add_argument("--screenshot", type=Path, default=ROOT / "build" / "demo.png")
    args = parser.parse_args()
    display = os.environ.get("DISPLAY", "")
    shown = display.startswith(":") and Path(f"/tmp/.X11-unix/X{display[1:].split('.')[0]}").exists()
    prefix = ROOT / "build" / "demo-prefix" if shown else None
    if shown:
        print(f"Wine prefix: {prefix} (remove it with: rm -rf {prefix})")
    else:
        print("no display: starting Xvfb and a throw-away Wine prefix")
    with wine.Session(prefix, args.driver, display=display if shown else None) as s:
        tool = lay_out(s, args.exe)
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
