"""The pictures and the icon: the generator reproduces the checked-in files byte for byte, they have the sizes
and format the tool and Windows need, and the built exe carries them unchanged."""
import os
import struct
import subprocess
import sys

import pytest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
RESOURCES = os.path.join(ROOT, "src", "resources")
GENERATOR = os.path.join(ROOT, "tools", "gen_pictures.py")
# The generator's converter, from the native build (tools/build.sh).
PICTURE_MAKER = os.path.join(ROOT, os.environ.get("BUILD_DIR") or "build", "native", "picture_maker")
# name, width, height, file size: 8-bit, 256 colours, uncompressed, bottom-up
BITMAPS = [("wide_sample.bmp", 96, 60, 6838), ("squeezed_sample.bmp", 48, 60, 3958), ("DfltLogo.sys", 320, 400, 129078),
           ("demo/logow.sys", 320, 400, 129078), ("demo/logos.sys", 320, 400, 129078)]


def read(name, folder=RESOURCES):
    with open(os.path.join(folder, *name.split("/")), "rb") as f:
        return f.read()


def generate(folder, maker):
    return subprocess.run([sys.executable, GENERATOR, "--out", str(folder), "--maker", maker],
                          capture_output=True, text=True)


@pytest.mark.skipif(not os.access(PICTURE_MAKER, os.X_OK), reason=PICTURE_MAKER + " is not built: run tools/build.sh")
def test_generator_reproduces_the_checked_in_files(tmp_path):
    made = generate(tmp_path, PICTURE_MAKER)
    assert made.returncode == 0, made.stderr
    for name in [b[0] for b in BITMAPS] + ["plumwick.ico"]:
        assert read(name, str(tmp_path)) == read(name), name + " is stale: run tools/gen_pictures.py"


def test_generator_says_how_to_get_a_missing_converter(tmp_path):
    missing = str(tmp_path / "picture_maker")
    made = generate(tmp_path / "out", missing)
    assert (made.returncode, made.stderr) == (1, missing + " is missing: build it with tools/build.sh\n")
    assert not os.path.exists(tmp_path / "out")


@pytest.mark.parametrize("name,width,height,size", BITMAPS)
def test_bitmap_format(name, width, height, size):
    data = read(name)
    assert (len(data), data[:2]) == (size, b"BM")
    assert struct.unpack_from("<IHHI", data, 2) == (size, 0, 0, 1078)
    assert struct.unpack_from("<IiiHHI", data, 14) == (40, width, height, 1, 8, 0)
    assert struct.unpack_from("<I", data, 46)[0] in (0, 256)
    assert 1078 + (width + 3) // 4 * 4 * height == size


def test_icon_is_32x32_in_16_colours():
    data = read("plumwick.ico")
    assert struct.unpack_from("<HHHBBBBHHII", data) == (0, 1, 1, 32, 32, 16, 0, 1, 4, 744, 22) and len(data) == 766
    assert struct.unpack_from("<IiiHH", data, 22) == (40, 32, 64, 1, 4)


def resources(path):
    """{(type, id): bytes} for every resource of a PE file."""
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, optional = struct.unpack_from("<H", data, pe + 6)[0], struct.unpack_from("<H", data, pe + 20)[0]
    rva = struct.unpack_from("<I", data, pe + 24 + 96 + 16)[0]  # the resource directory of a 32-bit exe
    for i in range(sections):
        va, size, raw = struct.unpack_from("<III", data, pe + 24 + optional + i * 40 + 12)
        if va <= rva < va + size:
            base, delta = raw + rva - va, va - raw

    def entries(offset):
        named, ids = struct.unpack_from("<HH", data, base + offset + 12)
        return [struct.unpack_from("<II", data, base + offset + 16 + 8 * k) for k in range(named + ids)]

    out = {}
    for kind, t in entries(0):
        for rid, n in entries(t & 0x7FFFFFFF):
            for _lang, leaf in entries(n & 0x7FFFFFFF):
                at, size = struct.unpack_from("<II", data, base + leaf)
                out[kind, rid] = data[at - delta:at - delta + size]
    return out


@pytest.mark.skipif(not os.environ.get("PLUMWICK_I686_EXE"), reason="PLUMWICK_I686_EXE not set")
def test_exe_resources():
    res = resources(os.environ["PLUMWICK_I686_EXE"])
    icon = read("plumwick.ico")
    assert res[14, 1] == icon[:6] + icon[6:18] + struct.pack("<H", 1)  # the group names icon 1
    assert res[3, 1] == icon[22:]
    assert res[10, 101] == read("wide_sample.bmp") and res[10, 102] == read("squeezed_sample.bmp")
    version = res[16, 1]
    for text in ("1.00.0005", "Plumwick", "簡単にロゴﾞを変更できます"):
        assert text.encode("utf-16-le") in version, text
    assert struct.pack("<HH", 0x0411, 932) in version and struct.pack("<II", 0x10000, 5) in version
