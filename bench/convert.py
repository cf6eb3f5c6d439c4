#!/usr/bin/python3
"""Conversion figures: how faithful a converted logo is (PSNR, PSNR after a
blur and the largest pixel error of ours, ImageMagick's and pngquant's
256-colour reductions of the same exact 24-bit resample, from the native
build; on pictures made by the benchmark and on photographs from a Debian
package, each cut to 640x480), and the time of converting a 1024x768 24-bit
picture in the Windows build under Wine (the i686 release build, or the
x86-64 one where this host runs no 32-bit program: tools/wine.py). BUILD_DIR
as for tools/build.sh. Needs the Debian packages in photos.NEEDED (tools/install-deps.sh
installs them)."""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tools"))

import built  # noqa: E402
import photos  # noqa: E402
import wine  # noqa: E402

RUNS = 15


def main() -> int:
    return wine.told_in_one_line("convert benchmark", measure)


def measure() -> int:
    built.benchmarks()
    build = Path(os.environ.get("BUILD_DIR", ROOT / "build")).resolve()
    host = wine.host()
    with tempfile.TemporaryDirectory(prefix="plumwick-convert-") as work:
        cut = photos.cut(photos.TUNED, 640, 480, Path(work))
        if cut is None:
            print(f"convert.py needs the Debian packages {photos.NEEDED} (tools/install-deps.sh installs them)")
            return 1
        subprocess.run([str(build / "native" / "convert_quality"), work, *map(str, cut)], check=True)
        with wine.Session(wine=host) as session:
            folder = session.c("C:\\Bench")
            folder.mkdir()
            shutil.copyfile(host.build(build) / "convert_run.exe", folder / "convert_run.exe")
            shutil.copyfile(Path(work) / "photo.bmp", folder / "photo.bmp")
            status = session.run(folder / "convert_run.exe", "photo.bmp", str(RUNS)).wait(300)
            if status != 0:
                print(f"convert_run.exe failed (exit status {status})")
                return 1
            ms = [int(t) for t in (folder / "convert_times.txt").read_text().split()]
            same = (folder / "convert_out.sys").read_bytes() == (Path(work) / "photo_logo.sys").read_bytes()
    print(f"1024x768 24-bit photo to a logo ({host.arch} exe under Wine, GetTickCount): median {statistics.median(ms)} ms, "
          f"mean {statistics.mean(ms):.1f} ms, fastest {min(ms)} ms, slowest {max(ms)} ms ({RUNS} runs); "
          f"logo {'identical to' if same else 'DIFFERENT from'} the native build's")
    return 0


if __name__ == "__main__":
    sys.exit(main())
