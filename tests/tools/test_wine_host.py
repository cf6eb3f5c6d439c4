"""Which Wine runs the tests: a 32-bit loader that starts means the i686 release exe, one that the kernel
refuses (or none) the x86-64 build; PLUMWICK_WINE_ARCH forces either. Stand-in loaders, no Wine."""
import os
import sys
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
import wine  # noqa: E402

LOADERS = {  # name: (file content, executable), or None for no file
    "starts": (b"#!/bin/sh\necho wine-8.0\n", True),
    "refused_by_the_kernel": (b"\x7fELF\x01\x01\x01" + bytes(57), True),  # an ELF the kernel cannot load
    "fails": (b"#!/bin/sh\nexit 1\n", True),
    "missing": None,
}


@pytest.mark.parametrize("loader,forced,arch", [
    ("starts", "", "i686"), ("refused_by_the_kernel", "", "x86_64"), ("fails", "", "x86_64"),
    ("missing", "", "x86_64"), ("starts", "x86_64", "x86_64"), ("refused_by_the_kernel", "i686", "i686")])
def test_the_loader_decides_unless_forced(tmp_path, loader, forced, arch):
    path = tmp_path / "wine"
    if LOADERS[loader]:
        path.write_bytes(LOADERS[loader][0])
        path.chmod(0o755)
    found = wine.host(str(path), {wine.ARCH_VARIABLE: forced} if forced else {})
    assert (found.arch, found.wine, found.build(Path("b"))) == (
        arch, wine.WINE32 if arch == "i686" else wine.WINE64, Path("b") / arch)
    assert ("build/x86_64" in found.describe()) == (arch == "x86_64")
    assert (forced or str(path)) in found.why if forced or arch == "x86_64" else found.why.startswith("this host runs")


def test_an_unknown_forced_value_is_refused():
    with pytest.raises(wine.WineError, match="use i686 or x86_64"):
        wine.host("/nonexistent", {wine.ARCH_VARIABLE: "arm64"})


def test_relative_paths_reach_the_driver(tmp_path):
    """The driver runs in C:\\, so a path relative to the caller's folder must be made absolute first."""
    class Session:
        host = wine.Host("x86_64", "test")

        def env(self):
            return dict(os.environ)

        def c(self, _):
            return tmp_path

    os.chdir(tmp_path)
    with pytest.raises(wine.WineError, match=str(tmp_path / "driver.exe")):
        wine.Driver(Session(), Path("driver.exe"))
