#!/usr/bin/python3
"""What `plumwick make` costs on the machines the logos are for, counted rather
than timed: the instructions of the whole command (callgrind; the same count on
any load) for each of the fifteen photographs of lomiri-wallpapers-16.04
(bench/photos.py) cut to 640x480 and to 1024x768 24-bit bitmaps, and its peak
heap (massif) at those sizes and at 4000x3000 (a 12-megapixel photo, 36 MB as
a bitmap); the same for JPEGs, progressive at 640x480 and baseline at
4000x3000, decoded by the readers built into the tool; then how faithful the logos are: PSNR against the exact 320x400
area average, ours and pngquant's, on the twelve photographs the quantiser
was tuned on and on fourteen held out (bench/convert_quality). Last, what the
counts mean in seconds on a 486DX2-66 and a Pentium 133. BUILD_DIR as for tools/build.sh."""
import os
import re
import statistics
import subprocess
import sys
import tempfile
from pathlib import Path

import built
import photos

ROOT = Path(__file__).resolve().parents[1]
# Millions of instructions a second, for plain integer code like this: a
# 486DX2-66 runs about one instruction every two clocks, a Pentium 133 about
# one a clock (its two pipes pair some).
MACHINES = [("486DX2-66", 30, 40), ("Pentium 133", 110, 160)]


def instructions(plumwick: Path, picture: Path, work: Path) -> int:
    out = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={work / 'callgrind.out'}",
                          str(plumwick), "make", str(picture), str(work / "logo.sys")],
                         capture_output=True, text=True, check=True)
    return int(re.search(r"Collected : (\d+)", out.stderr).group(1))


def peak_heap(plumwick: Path, picture: Path, work: Path) -> int:
    report = work / "massif.out"
    subprocess.run(["valgrind", "--tool=massif", f"--massif-out-file={report}", str(plumwick), "make", str(picture),
                    str(work / "logo.sys")], capture_output=True, check=True)
    return max(int(v) for v in re.findall(r"mem_heap_B=(\d+)", report.read_text()))


def jpeg(bitmap: Path, work: Path, progressive: bool) -> Path:
    """The bitmap as a JPEG of quality 90, as a camera or an editor saves it."""
    out = work / f"{bitmap.stem}{'-progressive' if progressive else ''}.jpg"
    subprocess.run(["convert", str(bitmap), *(["-interlace", "JPEG"] if progressive else []), "-quality", "90",
                    str(out)], check=True)
    return out


def psnr_rows(quality: Path, bitmaps: list[Path], work: Path) -> list[tuple[str, float, float]]:
    """(name, ours, pngquant's) for each photograph, from convert_quality's table."""
    out = subprocess.run([str(quality), str(work), *map(str, bitmaps)], capture_output=True, text=True,
                         check=True).stdout
    names = {photos_short(p) for p in bitmaps}
    rows = []
    for line in out.splitlines():
        fields = line.split()
        if fields and fields[0] in names:
            rows.append((fields[0], float(fields[2]), float(fields[8])))
    return rows


def photos_short(path: Path) -> str:
    return path.name.split(".")[0].split("_by_")[0]


def millions(n: float) -> str:
    return f"{n / 1e6:.1f} M"


def main() -> int:
    built.benchmarks()
    build = Path(os.environ.get("BUILD_DIR", ROOT / "build")).resolve() / "native"
    plumwick = build / "plumwick"
    with tempfile.TemporaryDirectory(prefix="plumwick-cost-") as folder:
        work = Path(folder)
        everyone = photos.TUNED + photos.OTHERS
        small, large = photos.cut(everyone, 640, 480, work), photos.cut(everyone, 1024, 768, work)
        huge = photos.cut(photos.TUNED[1:2], 4000, 3000, work)
        held = photos.cut(photos.HELD_OUT, 640, 480, work)
        if small is None or large is None or huge is None or held is None:
            print(f"make_cost.py needs valgrind and the Debian packages {photos.NEEDED} (tools/install-deps.sh)")
            return 1
        print("`plumwick make` of a 24-bit bitmap, instructions (callgrind, whole command)")
        print(f"{'photo':<16} {'640x480':>10} {'1024x768':>10} {'more':>8}")
        counts, more = [], []
        for name, a, b in zip(everyone, small, large):
            ia, ib = instructions(plumwick, a, work), instructions(plumwick, b, work)
            counts.append(ia)
            more.append(ib - ia)
            print(f"{name.split('_by_')[0]:<16} {millions(ia):>10} {millions(ib):>10} {millions(ib - ia):>8}")
        print(f"640x480: {millions(min(counts))} to {millions(max(counts))}, median {millions(statistics.median(counts))}; "
              f"1024x768 costs {millions(min(more))} to {millions(max(more))} more, median {millions(statistics.median(more))}")

        print("peak heap (massif):", ", ".join(
            f"{label} {peak_heap(plumwick, picture, work) / 1024:.0f} KiB"
            for label, picture in [("640x480", small[1]), ("1024x768", large[1]), ("4000x3000", huge[0])]))

        print("`plumwick make` of a JPEG, instructions (callgrind) and peak heap (massif)")
        for label, bitmaps, progressive in [("640x480 progressive", small, True), ("4000x3000 baseline", huge, False)]:
            jpegs = [jpeg(b, work, progressive) for b in bitmaps]
            counted = [instructions(plumwick, j, work) for j in jpegs]
            print(f"{label}: {millions(min(counted))} to {millions(max(counted))}, median "
                  f"{millions(statistics.median(counted))} ({len(jpegs)} photos); peak heap "
                  f"{peak_heap(plumwick, jpegs[0], work) / 1024:.0f} KiB")

        quality = build / "convert_quality"
        for label, bitmaps in [("tuned on", small[:len(photos.TUNED)]), ("held out", held)]:
            rows = psnr_rows(quality, bitmaps, work)
            ours, theirs = statistics.mean(r[1] for r in rows), statistics.mean(r[2] for r in rows)
            print(f"PSNR, the {len(rows)} photos {label}: ours {ours:.2f} dB, pngquant {theirs:.2f} dB, "
                  f"difference {ours - theirs:+.2f} dB (worst {min(r[1] - r[2] for r in rows):+.2f} dB, "
                  f"{min(rows, key=lambda r: r[1] - r[2])[0]})")

        median, most = statistics.median(counts), max(counts)
        for machine, low, high in MACHINES:
            print(f"{machine} at {low}-{high} M instructions a second: a 640x480 photo in "
                  f"{median / high / 1e6:.1f}-{median / low / 1e6:.1f} s (median), "
                  f"{most / high / 1e6:.1f}-{most / low / 1e6:.1f} s at most")
    return 0


if __name__ == "__main__":
    sys.exit(main())
