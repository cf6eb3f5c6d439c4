"""The programs the benchmarks run, built before they run: tools/build.sh with PLUMWICK_BENCHMARKS=ON."""
import os
import subprocess
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]


def benchmarks() -> None:
    subprocess.run([str(ROOT / "tools" / "build.sh")], env=dict(os.environ, PLUMWICK_BENCHMARKS="ON"), check=True,
                   stdout=subprocess.DEVNULL)
