#!/usr/bin/python3
"""Conversion figures: how faithful a converted logo is (PSNR, PSNR after a
blur and the largest pixel error of ours, ImageMagick's and pngquant's
256-colour reductions of the same exact 24-bit resample, from the native
build; on pictures made by the benchmark and on photographs from a Debian
package, each cut to 640x480), and the time of converting a 1024x768 24-bit
picture in the Windows build under Wine (the i686 release build, or the
x86-64 one where this host runs no 32-bit program: tools/wine.py). BUILD_DIR
as for tools/build.sh. Needs the Debian packages in NEEDED (tools/install-deps.sh
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
import wine  # noqa: E402

RUNS = 15
NEEDED = "imagemagick pngquant lomiri-wallpapers-16.04"
# Photographs of lomiri-wallpapers-16.04: skies shading to the sun, mountains,
# grass and leaves, a stream in a wood, dogs, close-ups of things, a room.
PHOTOS = Path("/usr/share/backgrounds")
PHOTO_NAMES = [
    "Bridge_by_Sander_Klootwijk", "sunset_by_Aitzol_Berasategi", "picosdeeuropa_by_Aitzol_Berasategi",
    "aitzgorri_by_Aitzol_Berasategi", "seeding_by_Clements_Engelhardt", "Dragonfly_by_Bolly",
    "life_by_Aitzol_Berasategi", "friends_by_Aitzol_Berasategi", "Wine_by_Jakkub_Mede",
    "Picture_0B_by_freespace", "Picture_1A_by_freespace", "free_by_Peter_Nerlich",
]


def cut_photos(work: Path) -> list[str] | None:
    """Each photograph cut to 640x480 as a 24-bit bitmap; None when a tool or a photograph is missing."""
    if not shutil.which("convert") or not shutil.which("pngquant"):
        return None
    paths = []
    for name in PHOTO_NAMES:
        source, cut = PHOTOS / f"{name}.jpg", work / f"{name}.bmp"
        if not source.exists():
            return None
        subprocess.run(["convert", str(source), "-resize", "640x480^", "-gravity", "center", "-extent", "640x480",
                        "-type", "TrueColor", f"BMP3:{cut}"], check=True)
        paths.append(str(cut))
    return paths


def main() -> int:
    return wine.told_in_one_line("convert benchmark", measure)


def measure() -> int:
    built.benchmarks()
    build = Path(os.environ.get("BUILD_DIR", ROOT / "build")).resolve()
    host = wine.host()
    with tempfile.TemporaryDirectory(prefix="plumwick-convert-") as work:
        photos = cut_photos(Path(work))
        if photos is None:
            print(f"convert.py needs the Debian packages {NEEDED} (tools/install-deps.sh installs them)")
            return 1
        subprocess.run([str(build / "native" / "convert_quality"), work, *photos], check=True)
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
