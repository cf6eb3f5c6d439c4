"""Fixtures for the plumwick command: the built command, pictures made with tests/bitmaps.py and ImageMagick, and
Windows 95/98-like disk images made with sfdisk, mkfs.fat and mtools. The command is build/native/plumwick
(or $BUILD_DIR/native/plumwick, or $PLUMWICK, as run-tests gives the one built with the sanitizers)."""
import hashlib
import os
import shutil
import subprocess
import sys
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests"))
from bitmaps import bmp  # noqa: E402

BUILD = Path(os.environ.get("BUILD_DIR") or ROOT / "build").resolve() / "native"
PLUMWICK = Path(os.environ.get("PLUMWICK") or BUILD / "plumwick").resolve()
MTOOLS_ENV = dict(os.environ, MTOOLSRC="/dev/null", MTOOLS_SKIP_CHECK="1")
LOGO_SIZE = 129078
SECTOR = 512
PARTITION_START = 2048  # sectors, where fdisk puts the first partition
# Images other than raw ones are reached through QEMU and FUSE.
FUSE = os.access("/dev/fuse", os.R_OK | os.W_OK)
NO_FUSE = "no FUSE device here (/dev/fuse): plumwick reaches images of this kind through QEMU and FUSE"
SERIAL = "1234ABCD"  # the FAT volume's, so that the backup's record can be told
WINDOWS_95_MSDOS_SYS = (b"[Paths]\r\nWinDir=C:\\WINDOWS\r\nWinBootDir=C:\\WINDOWS\r\nHostWinBootDrv=C\r\n\r\n"
                        b"[Options]\r\nBootMulti=1\r\nBootGUI=1\r\nLogo=1\r\n;" + b"x" * 70 + b"\r\n")


def run(*args, env=None, check_clean=True):
    """Runs plumwick; a crash or a stack trace fails the test whatever the exit code."""
    assert PLUMWICK.exists(), "build the native command first: cmake --build build/native"
    r = subprocess.run([str(PLUMWICK), *map(str, args)], capture_output=True, text=True, env=env, timeout=120)
    if check_clean:
        assert r.returncode in (0, 1, 2), r
        assert not any(w in r.stderr for w in ("terminate called", "Traceback", "Sanitizer", "runtime error")), r.stderr
    return r


def rgb_pixels(picture, *options):
    """Every pixel of a picture file (after ImageMagick's options, such as -crop) as (r, g, b) tuples, top row
    first, decoded by ImageMagick."""
    raw = subprocess.run(["convert", str(picture), *options, "-depth", "8", "rgb:-"], check=True,
                         capture_output=True).stdout
    return [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]


def sha(path):
    return hashlib.sha256(Path(path).read_bytes()).hexdigest()


class Disk:
    """A disk image holding one FAT file system, at `offset` bytes (an MBR partition) or at 0."""

    def __init__(self, path, offset):
        self.path, self.offset = Path(path), offset

    def mtools(self, tool, *args, check=True):
        """mtools on the image through a descriptor, so that any name works ('@@' is mtools' own syntax)."""
        fd = os.open(self.path, os.O_RDWR)
        try:
            return subprocess.run([tool, "-i", "/dev/fd/%d@@%d" % (fd, self.offset), *args], capture_output=True,
                                  env=MTOOLS_ENV, check=check, pass_fds=[fd])
        finally:
            os.close(fd)

    def put(self, name, data, attributes=()):
        source = self.path.parent / "put.tmp"
        source.write_bytes(data)
        self.mtools("mcopy", "-o", str(source), "::" + name)
        source.unlink()
        if attributes:
            self.mtools("mattrib", *attributes, "::" + name)

    def get(self, name):
        """The file's bytes, or None if there is none (mtools finds names without case, as FAT does)."""
        r = self.mtools("mtype", "::" + name, check=False)
        return r.stdout if r.returncode == 0 else None

    def attributes(self, name):
        """The file's attribute letters as mattrib -X lists them ("ASHR", "" for none), or None if there is none."""
        folder = name.rpartition("/")[0]
        listing = self.mtools("mattrib", "-X", "::%s/*" % folder, check=False).stdout.decode().splitlines()
        found = [line.split(" ")[0] for line in listing if line.upper().endswith("/" + name.upper())]
        return found[0] if found else None

    def names(self, folder=""):
        listing = self.mtools("mdir", "-a", "-b", "::" + folder).stdout.decode()
        return sorted(line.rsplit("/", 1)[1] for line in listing.split())

    def fsck(self):
        """fsck.fat -n on the file system alone; returns its exit code and output."""
        volume = self.path.parent / "volume.tmp"
        with open(self.path, "rb") as src, open(volume, "wb") as dst:
            src.seek(self.offset)
            shutil.copyfileobj(src, dst)
        r = subprocess.run(["fsck.fat", "-n", str(volume)], capture_output=True, text=True)
        volume.unlink()
        return r.returncode, r.stdout + r.stderr


def make_disk(path, fat=16, mbr=True, serial=SERIAL):
    """An image with one FAT16 or FAT32 file system (an active partition, or from sector 0), Windows 95's MSDOS.SYS
    hidden, system and read-only in its root, and the Windows folder."""
    path = Path(path)
    with open(path, "wb") as f:
        f.truncate((40 if fat == 32 else 8) << 20)
    offset = 0
    if mbr:
        kind = {16: "6", 32: "c"}[fat]
        subprocess.run(["sfdisk", "-q", str(path)], input="label: dos\nstart=%d, type=%s, bootable\n"
                       % (PARTITION_START, kind), text=True, check=True, capture_output=True)
        offset = PARTITION_START * SECTOR
    # One sector a cluster: enough clusters for FAT32 in a small image.
    subprocess.run(["mkfs.fat", "-F", str(fat), "-s", "1", "-i", serial, "--offset", str(offset // SECTOR),
                    str(path)], check=True, capture_output=True)
    disk = Disk(path, offset)
    disk.mtools("mmd", "::WINDOWS")
    disk.put("MSDOS.SYS", WINDOWS_95_MSDOS_SYS, ("+h", "+s", "+r"))
    return disk


@pytest.fixture
def picture(tmp_path):
    """picture(name, width, height, pixel, **bmp options): a BMP written by tests/bitmaps.py, converted by
    ImageMagick when the name ends otherwise (.png, .jpg, .gif), with ImageMagick's format prefix (PNG8:)."""
    def make(name, width, height, pixel, prefix="", **bmp_options):
        target = tmp_path / name
        source = target.with_name(target.stem + "-source.bmp")
        source.write_bytes(bmp(width, height, pixel, **bmp_options))
        if name.endswith(".bmp"):
            return source.rename(target)
        subprocess.run(["convert", str(source), prefix + str(target)], check=True, capture_output=True)
        return target
    return make


OLD_LOGOW = (ROOT / "src" / "resources" / "demo" / "logow.sys").read_bytes()
OLD_LOGOS = (ROOT / "src" / "resources" / "demo" / "logos.sys").read_bytes()
OLD_LOGO = (ROOT / "src" / "resources" / "DfltLogo.sys").read_bytes()
LIVE = {"start": "LOGO.SYS", "shutdown": "WINDOWS/LOGOW.SYS", "power-off": "WINDOWS/LOGOS.SYS"}


def windows_disk(tmp_path, fat=16, mbr=True, start_logo=None, start_attributes=(), name="win.img", serial=SERIAL):
    """A Windows 95-like disk: the two shutdown logos, and a start-up logo if given."""
    disk = make_disk(tmp_path / name, fat=fat, mbr=mbr, serial=serial)
    disk.put("WINDOWS/LOGOW.SYS", OLD_LOGOW)
    disk.put("WINDOWS/LOGOS.SYS", OLD_LOGOS)
    if start_logo is not None:
        disk.put("logo.sys", start_logo, start_attributes)
    return disk


@pytest.fixture(scope="module")
def pictures(tmp_path_factory):
    """A PNG, a JPEG and a logo, and the logos plumwick make gives for them."""
    tmp_path = tmp_path_factory.mktemp("pictures")
    stripes = tmp_path / "stripes.bmp"
    stripes.write_bytes(bmp(640, 480, lambda x, y: (x % 256, y % 256, 99)))
    files = {"png": tmp_path / "stripes.png", "jpeg": tmp_path / "stripes.jpg", "logo": tmp_path / "ready.sys"}
    for name in ("png", "jpeg"):
        subprocess.run(["convert", str(stripes), str(files[name])], check=True)
    files["logo"].write_bytes(bmp(320, 400, lambda x, y: y % 256, bits=8, important=240,
                                  palette=[(i, 0, 255 - i) for i in range(256)]))
    made = {}
    for name, path in files.items():
        assert run("make", path, tmp_path / "made.sys").returncode == 0
        made[name] = (tmp_path / "made.sys").read_bytes()
    return files, made


def logos(disk):
    return {slot: disk.get(name) for slot, name in LIVE.items()}


def as_raw(disk):
    """The disk as a raw image: itself, or for any other format a raw copy that QEMU makes of it."""
    if disk.path.suffix in (".img", ".vhd"):
        return disk
    raw = disk.path.with_name(disk.path.name + ".raw")
    subprocess.run(["qemu-img", "convert", "-O", "raw", str(disk.path), str(raw)], check=True)
    return Disk(raw, disk.offset)


def no_leftovers(disk):
    return [n for n in disk.names() + disk.names("WINDOWS") if n.upper().endswith((".PWN", ".PWO"))] == []
