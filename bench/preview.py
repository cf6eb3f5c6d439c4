#!/usr/bin/python3
"""Preview figures: faithfulness of the 96x60 preview (PSNR against an exact
area average, from the native build) and the time of one preview run of
three 320x400 slots on the real platform under Wine (the build this host runs: tools/wine.py)."""
import shutil
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tools"))

import built  # noqa: E402
import wine  # noqa: E402


def main() -> int:
    return wine.told_in_one_line("preview benchmark", measure)


def measure() -> int:
    built.benchmarks()
    subprocess.run([str(ROOT / "build" / "native" / "preview_quality")], check=True)
    host = wine.host()
    build = host.build(ROOT / "build")
    with wine.Session(wine=host) as session:
        folder = session.c("C:\\Bench")
        folder.mkdir()
        shutil.copyfile(build / "preview_run.exe", folder / "preview_run.exe")
        pictures = [ROOT / "src" / "resources" / "DfltLogo.sys", ROOT / "src" / "resources" / "demo" / "logow.sys",
                    ROOT / "src" / "resources" / "demo" / "logos.sys"]
        for slot, picture in enumerate(pictures):
            shutil.copyfile(picture, folder / f"slot{slot}.bmp")
        session.run(folder / "preview_run.exe").wait(60)
        print((folder / "preview_times.txt").read_text().strip() + f" (real platform, {host.arch} exe under Wine)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
