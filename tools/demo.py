#!/usr/bin/python3
"""Starts the tool under Wine on a demo Windows folder with sample logos.

With a display (DISPLAY set and its X socket present) the tool opens there
and this waits until it is closed. Without one it runs on a private Xvfb,
writes a screenshot and stops everything again.
"""
import argparse
import os
import shutil
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "e2e" / "lib"))

import winenv  # noqa: E402


def display_available() -> bool:
    display = os.environ.get("DISPLAY", "")
    if not display.startswith(":"):
        return bool(display)
    number = display[1:].split(".")[0]
    return Path(f"/tmp/.X11-unix/X{number}").exists()


def lay_out(prefix: winenv.WinePrefix, exe: Path) -> Path:
    """C:\\Plumwick with the tool and its default picture, the demo logos in
    C:\\windows, and a few pictures to choose from in C:\\Plumwick\\samples."""
    tool = prefix.drive_c / "Plumwick"
    (tool / "samples").mkdir(parents=True, exist_ok=True)
    shutil.copyfile(exe, tool / "Plumwick.exe")
    resources = ROOT / "src" / "resources"
    shutil.copyfile(resources / "DfltLogo.sys", tool / "DfltLogo.sys")
    for name in ("logow.sys", "logos.sys"):
        shutil.copyfile(resources / "demo" / name, prefix.windows_dir / name)
        shutil.copyfile(resources / "demo" / name, tool / "samples" / name.replace(".sys", ".bmp"))
    shutil.copyfile(resources / "DfltLogo.sys", tool / "samples" / "plumwick.bmp")
    return tool


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", default=str(ROOT / "build" / "x86_64" / "Plumwick.exe"))
    parser.add_argument("--driver", default=str(ROOT / "build" / "x86_64" / "tests" / "e2e" / "driver" / "driver.exe"))
    parser.add_argument("--screenshot", default=str(ROOT / "build" / "demo.png"))
    args = parser.parse_args()
    exe = Path(args.exe)
    if display_available():
        prefix = winenv.WinePrefix(ROOT / "build" / "demo-prefix", keep=True)
        if not (prefix.path / "system.reg").exists():
            print("making the demo Wine prefix (about 10 s)...")
            prefix.create(os.environ["DISPLAY"])
        tool = lay_out(prefix, exe)
        print(f"Plumwick runs on {os.environ['DISPLAY']}; its folder is {tool}. Close it to finish.")
        proc = winenv.subprocess.Popen([winenv.WINE64, str(tool / "Plumwick.exe")],
                                       env=prefix.env({"DISPLAY": os.environ["DISPLAY"]}), cwd=str(tool))
        proc.wait()
        prefix.kill_server()
        return 0

    with winenv.WineSession() as session:
        tool = lay_out(session.prefix, exe)
        session.start_program(tool / "Plumwick.exe", cwd=tool)
        driver = session.driver(args.driver)
        driver.wait_window("Plumwick")
        time.sleep(1.0)
        shot = session.screenshot(args.screenshot)
        print(f"no display: Plumwick ran on Xvfb {session.display}; screenshot written to {shot}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
