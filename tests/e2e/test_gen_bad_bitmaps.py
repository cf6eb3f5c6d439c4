"""Runs gen_bad_bitmaps.py and checks its files against the manifest."""

import json
import os
import struct
import subprocess
import sys

import pytest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "gen_bad_bitmaps.py")

# broken only inside the compressed pixel stream, so the headers look fine
DATA_LEVEL_DEFECTS = {"rle8_overrun.bmp"}


@pytest.fixture(scope="module")
def generated(tmp_path_factory):
    out = tmp_path_factory.mktemp("bad_bitmaps")
    subprocess.run([sys.executable, SCRIPT, str(out)], check=True, capture_output=True)
    with open(out / "manifest.json", encoding="ascii") as f:
        return out, json.load(f)


def headers_ok(data):
    """A small reader's header check: magic, known header, sane sizes, enough bytes."""
    if len(data) < 26 or data[:2] != b"BM":
        return False
    off = struct.unpack_from("<I", data, 10)[0]
    hsize = struct.unpack_from("<I", data, 14)[0]
    if hsize == 12:
        w, h, planes, bpp = struct.unpack_from("<HHHH", data, 18)
        comp, pal_entry, used = 0, 3, 0
    elif hsize >= 40 and len(data) >= 14 + hsize:
        w, h, planes, bpp, comp = struct.unpack_from("<iiHHI", data, 18)
        used = struct.unpack_from("<I", data, 46)[0]
        pal_entry = 4
    else:
        return False
    if w <= 0 or h == 0 or w > 0x10000 or abs(h) > 0x10000 or planes != 1:
        return False
    if bpp not in (1, 4, 8, 16, 24, 32) or comp not in (0, 1, 2, 3):
        return False
    colours = used or (1 << bpp if bpp <= 8 else 0)
    masks = 12 if comp == 3 and hsize == 40 else 0
    if off < 14 + hsize + masks + colours * pal_entry or off >= len(data):
        return False
    if comp in (0, 3):
        return off + (w * bpp + 31) // 32 * 4 * abs(h) <= len(data)
    return True


def test_manifest(generated):
    out, manifest = generated
    assert len(manifest) >= 22
    names = [e["file"] for e in manifest]
    assert len(set(names)) == len(names)
    for e in manifest:
        assert set(e) == {"file", "what", "valid"}
        assert e["file"].endswith(".bmp") and e["file"].isascii() and " " not in e["file"]
        assert (out / e["file"]).is_file()
    assert any(e["valid"] for e in manifest) and not all(e["valid"] for e in manifest)


def test_valid_files_pass_header_check(generated):
    out, manifest = generated
    for e in manifest:
        if e["valid"]:
            assert headers_ok((out / e["file"]).read_bytes()), e["file"]


def test_invalid_files_fail_header_check(generated):
    out, manifest = generated
    for e in manifest:
        if not e["valid"] and e["file"] not in DATA_LEVEL_DEFECTS:
            assert not headers_ok((out / e["file"]).read_bytes()), e["file"]


def test_main_broken_cases(generated):
    out, _ = generated
    assert (out / "empty.bmp").read_bytes() == b""
    assert (out / "magic_mb.bmp").read_bytes()[:2] == b"MB"
    assert (out / "header_10_bytes.bmp").stat().st_size == 10
    assert (out / "truncated_info_header.bmp").stat().st_size < 54


def test_output_is_deterministic(generated, tmp_path):
    out, manifest = generated
    subprocess.run([sys.executable, SCRIPT, str(tmp_path)], check=True, capture_output=True)
    for name in [e["file"] for e in manifest] + ["manifest.json"]:
        assert (tmp_path / name).read_bytes() == (out / name).read_bytes(), name
