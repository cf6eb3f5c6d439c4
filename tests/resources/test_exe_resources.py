"""The built exe carries the version record, the icon and the help window's
two pictures, read back from its resource section."""
import os
import struct

import pytest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
RT_ICON, RT_RCDATA, RT_GROUP_ICON, RT_VERSION = 3, 10, 14, 16


def exes():
    found = [os.environ.get(v) for v in ("PLUMWICK_I686_EXE", "PLUMWICK_EXE")]
    return [e for e in found if e]


def resources(path):
    """{(type, id): bytes} for every resource of a PE file."""
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0"
    sections = struct.unpack_from("<H", data, pe + 6)[0]
    optional = struct.unpack_from("<H", data, pe + 20)[0]
    magic = struct.unpack_from("<H", data, pe + 24)[0]
    directories = pe + 24 + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = pe + 24 + optional
    base = None
    for i in range(sections):
        va, size, raw = struct.unpack_from("<III", data, table + i * 40 + 12)
        if va <= rsrc_rva < va + size:
            base = raw + (rsrc_rva - va)
            delta = va - raw
    assert base is not None, "no resource section"

    def entries(offset):
        named, ids = struct.unpack_from("<HH", data, base + offset + 12)
        for k in range(named + ids):
            name, target = struct.unpack_from("<II", data, base + offset + 16 + 8 * k)
            yield name, target

    out = {}
    for rtype, t in entries(0):
        for rid, n in entries(t & 0x7FFFFFFF):
            for _lang, leaf in entries(n & 0x7FFFFFFF):
                rva, size = struct.unpack_from("<II", data, base + leaf)
                out[(rtype, rid)] = data[rva - delta:rva - delta + size]
    return out


def version_strings(block):
    """The StringFileInfo values and the translation of a VS_VERSIONINFO."""
    def node(offset):
        length, value_length, kind = struct.unpack_from("<HHH", block, offset)
        key_end = block.index(b"\0\0", offset + 6)
        while (key_end - offset - 6) % 2:
            key_end = block.index(b"\0\0", key_end + 1)
        key = block[offset + 6:key_end].decode("utf-16-le")
        value_at = (key_end + 2 + 3) & ~3
        children_at = value_at + (value_length * 2 if kind == 1 else value_length)
        children_at = (children_at + 3) & ~3
        return key, length, value_at, value_length, kind, children_at

    strings, translation = {}, None
    key, length, value_at, _vl, _k, child = node(0)
    fixed = struct.unpack_from("<13I", block, value_at)
    end = length
    while child < end:
        k, clen, _, _, _, grand = node(child)
        if k == "StringFileInfo":
            _, tlen, _, _, _, s = node(grand)
            table_end = grand + tlen
            while s < table_end:
                sk, slen, sv, svl, _, _ = node(s)
                strings[sk] = block[sv:sv + svl * 2].decode("utf-16-le").rstrip("\0")
                s = (s + slen + 3) & ~3
        elif k == "VarFileInfo":
            _, _, vv, vvl, _, _ = node(grand)
            translation = struct.unpack_from("<HH", block, vv)
        child = (child + clen + 3) & ~3
    return fixed, strings, translation


@pytest.mark.parametrize("exe", exes() or [None])
def test_version_record(exe):
    if exe is None:
        pytest.skip("no built exe given (PLUMWICK_I686_EXE, PLUMWICK_EXE)")
    res = resources(exe)
    fixed, strings, translation = version_strings(res[(RT_VERSION, 1)])
    assert fixed[0] == 0xFEEF04BD
    assert (fixed[2] >> 16, fixed[2] & 0xFFFF, fixed[3] >> 16, fixed[3] & 0xFFFF) == (1, 0, 0, 5)
    assert strings["FileVersion"] == "1.00.0005"
    assert strings["ProductVersion"] == "1.00.0005"
    assert strings["ProductName"] == "Plumwick"
    assert strings["Comments"] == "簡単にロゴﾞを変更できます"
    assert translation == (0x0411, 932)


@pytest.mark.parametrize("exe", exes() or [None])
def test_icon_and_pictures(exe):
    if exe is None:
        pytest.skip("no built exe given (PLUMWICK_I686_EXE, PLUMWICK_EXE)")
    res = resources(exe)
    group = res[(RT_GROUP_ICON, 1)]
    reserved, kind, count = struct.unpack_from("<HHH", group, 0)
    assert (kind, count) == (1, 1)
    width, height, colours, _r, planes, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", group, 6)
    assert (width, height, colours, bits) == (32, 32, 16, 4)
    icon = res[(RT_ICON, icon_id)]
    assert icon == open(os.path.join(ROOT, "src", "resources", "plumwick.ico"), "rb").read()[22:]
    for rid, name in ((101, "Image1.bmp"), (102, "Image2.bmp")):
        assert res[(RT_RCDATA, rid)] == open(os.path.join(ROOT, "src", "resources", name), "rb").read()
