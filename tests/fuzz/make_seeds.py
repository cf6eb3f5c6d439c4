#!/usr/bin/python3
"""Writes the picture fuzzer's seeds, tests/fuzz/seeds/*.bmp: one tiny file of each kind the bitmap check accepts,
one of more than 256 colours, and RLE8 pictures of the sizes MakeLogo treats apart (320 x 400 indexed, 16:10); and
the plumwick command's fuzzer's, tests/fuzz/host_seeds/*: the reader's number, then what it reads (a disk image
with a partition table or a VHD footer, MSDOS.SYS, mattrib's listing, a backup record, EXIF, small pictures made by
ImageMagick). Run it again to remake them."""
import pathlib
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1]))
from bitmaps import bmp  # noqa: E402

SEEDS = pathlib.Path(__file__).resolve().parent / "seeds"
HOST_SEEDS = pathlib.Path(__file__).resolve().parent / "host_seeds"
DISK_IMAGE, MSDOS_SYS, ATTRIBUTE_LISTING, BACKUP_RECORD, EXIF, PICTURE = range(6)  # host_fuzzer.cpp's readers
RGB565 = (0xF800, 0x07E0, 0x001F)
TEN_BITS = (0x3FF00000, 0x000FFC00, 0x000003FF)  # 10 bits a channel: only the top 8 are kept


def grey(n):
    return [(i * 255 // (n - 1),) * 3 for i in range(n)]


def colour(x, y):
    return (x * 40 % 256, y * 50 % 256, (x + y) * 30 % 256)


def longer_header(file, size, masks=0):
    """The same bitmap with its 40-byte header (and `masks` masks after it) grown to a v4 or v5 header of `size`."""
    at = 14 + 40 + 4 * masks
    grow = size - (40 + 4 * masks)
    out = bytearray(file[:at] + bytes(grow) + file[at:])
    struct.pack_into("<I", out, 2, len(out))
    struct.pack_into("<I", out, 10, struct.unpack_from("<I", out, 10)[0] + grow)
    struct.pack_into("<I", out, 14, size)
    return bytes(out)


def rows_565(width, height):
    """Bottom-up 5-6-5 rows, as bmp() writes 16-bit pixels only as 5-5-5."""
    rows = []
    for y in reversed(range(height)):
        r = b"".join(struct.pack("<H", r >> 3 << 11 | g >> 2 << 5 | b >> 3) for r, g, b in
                     (colour(x, y) for x in range(width)))
        rows.append(r.ljust((width * 16 + 31) // 32 * 4, b"\0"))
    return b"".join(rows)


def rows_ten_bits(width, height):
    return b"".join(struct.pack("<I", r << 22 | g << 12 | b << 2) for y in reversed(range(height))
                    for r, g, b in (colour(x, y) for x in range(width)))


# Bottom row first: a run, a padded literal, a run; a delta over a row; a run; a literal; a run; rows left out.
# RLE4: two rows of runs and literals, then a delta into the last one.
RLE8 = [3, 1, 0, 3, 2, 3, 4, 0, 2, 5, 0, 0, 0, 2, 2, 1, 6, 7, 0, 0, 0, 4, 1, 2, 3, 4, 0, 0, 8, 9, 0, 0, 0, 1]
RLE4 = [4, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 5, 0x56, 0x78, 0x90, 0, 2, 0xA0, 0, 0, 0, 2, 1, 1, 6, 0xBC, 0, 1]


def rle8_bands(width, height):
    """Each row in runs of at most 255 pixels of one index, which changes every row."""
    codes = []
    for y in range(height):
        left = width
        while left:
            codes += [min(left, 255), y % 256]
            left -= codes[-2]
        codes += [0, 0]
    return codes + [0, 1]


def seeds():
    yield "bits1", bmp(9, 5, lambda x, y: (x + y) & 1, bits=1, palette=grey(2))
    yield "bits4", bmp(7, 5, lambda x, y: (x * 3 + y) % 16, bits=4, palette=grey(16))
    yield "bits8_short_palette", bmp(9, 7, lambda x, y: (x + 9 * y) % 20, bits=8, palette=grey(20))
    yield "rle8", bmp(8, 6, bits=8, palette=grey(10), compression=1, data=bytes(RLE8))
    yield "rle4", bmp(7, 4, bits=4, palette=grey(16), compression=2, data=bytes(RLE4))
    yield "bits16_555", bmp(6, 4, colour, bits=16)
    yield "bits16_565_fields", bmp(6, 4, bits=16, compression=3, masks=RGB565, data=rows_565(6, 4))
    yield "bits24", bmp(7, 5, colour)
    yield "bits24_top_down", bmp(5, 3, colour, top_down=True)
    # 4:3 and 432 colours: the logo gets a palette of its own and error diffusion.
    yield "bits24_many_colours", bmp(24, 18, lambda x, y: (x * 10, y * 14, x * y % 256))
    yield "bits32", bmp(5, 3, colour, bits=32)
    yield "bits32_fields", bmp(5, 3, bits=32, compression=3, masks=TEN_BITS, data=rows_ten_bits(5, 3))
    yield "os2_bits8", bmp(6, 4, lambda x, y: x + y, bits=8, palette=grey(256), os2=True)
    yield "v4_bits16_565", longer_header(bmp(6, 4, bits=16, compression=3, masks=RGB565, data=rows_565(6, 4)), 108, 3)
    yield "v5_bits24_top_down", longer_header(bmp(4, 3, colour, top_down=True), 124)
    yield "logo_rle8", bmp(320, 400, bits=8, palette=grey(256), compression=1, data=bytes(rle8_bands(320, 400)),
                           important=240)
    yield "wide_rle8", bmp(640, 400, bits=8, palette=grey(256), compression=1, data=bytes(rle8_bands(640, 400)))


def fat_boot_sector(serial, fat32=False):
    sector = bytearray(512)
    sector[0:3] = b"\xeb\x3c\x90"
    struct.pack_into("<HBHBHHBH", sector, 11, 512, 1, 1, 2, 16, 4, 0xF8, 0 if fat32 else 1)
    sector[66 if fat32 else 38] = 0x29
    struct.pack_into("<I", sector, 67 if fat32 else 39, serial)
    sector[510:512] = b"\x55\xaa"
    return bytes(sector)


def mbr(entries):
    """A master boot record of (status, type, first sector, sectors) entries."""
    sector = bytearray(512)
    for i, (status, kind, first, count) in enumerate(entries):
        struct.pack_into("<B3xB3xII", sector, 446 + 16 * i, status, kind, first, count)
    sector[510:512] = b"\x55\xaa"
    return bytes(sector)


def exif(orientation, big_endian):
    e = ">" if big_endian else "<"
    return b"Exif\0\0" + (b"MM\0*" if big_endian else b"II*\0") + struct.pack(e + "IHHHIHHI", 8, 1, 0x0112, 3, 1,
                                                                             orientation, 0, 0)


def picture(name, *options, prefix=""):
    with tempfile.TemporaryDirectory() as folder:
        path = pathlib.Path(folder) / name
        subprocess.run(["convert", *options, prefix + str(path)], check=True)
        return path.read_bytes()


def host_seeds():
    yield "partitioned.img", DISK_IMAGE, mbr([(0x80, 0x06, 1, 2)]) + fat_boot_sector(0x1234ABCD) + bytes(512)
    ebr = mbr([(0, 0x06, 1, 2)])  # a link of the extended partition's chain: its one logical partition
    yield "logical.img", DISK_IMAGE, (mbr([(0x80, 0x06, 1, 2), (0, 0x05, 3, 4)]) + fat_boot_sector(1) + bytes(512) + ebr +
                                      fat_boot_sector(2) + bytes(1024))
    yield "whole.img", DISK_IMAGE, fat_boot_sector(0x5678EF01, fat32=True) + bytes(1024)
    footer = bytearray(512)
    footer[0:8] = b"conectix"
    struct.pack_into(">I", footer, 60, 2)
    yield "fixed.vhd", DISK_IMAGE, fat_boot_sector(1) + bytes(512) + bytes(footer)
    yield "msdos.sys", MSDOS_SYS, b"[Paths]\r\nWinDir=C:\\WINDOWS\r\nWinBootDir=C:\\WINDOWS\r\n[Options]\r\nLogo=1\r\n"
    yield "mattrib.txt", ATTRIBUTE_LISTING, b"D ::/WINDOWS/.\nASHR ::/WINDOWS/LOGOW.SYS\n ::/WINDOWS/Long Name.sys\n"
    yield "record.txt", BACKUP_RECORD, (b"; the logos\r\nlogo.sys absent\r\nlogow.sys saved hidden system read-only "
                                        b"archive\r\nlogos.sys saved\r\ndisk partition 1, FAT volume 1234-ABCD\r\n")
    yield "exif-le", EXIF, exif(6, False)
    yield "exif-be", EXIF, exif(8, True)
    small = ["-size", "6x4", "gradient:red-blue"]
    yield "rgba.png", PICTURE, picture("p.png", *small, "-alpha", "set", "-channel", "A", "-evaluate", "set", "50%",
                                       prefix="PNG32:")
    yield "paletted.png", PICTURE, picture("p.png", *small, "-colors", "4", prefix="PNG8:")
    yield "baseline.jpg", PICTURE, picture("p.jpg", *small)
    yield "progressive.jpg", PICTURE, picture("p.jpg", *small, "-interlace", "JPEG")
    yield "transparent.gif", PICTURE, picture("p.gif", *small, "-transparent", "red", "-interlace", "GIF")


def write(folder, files):
    folder.mkdir(exist_ok=True)
    for old in folder.iterdir():
        old.unlink()
    for name, data in files:
        (folder / name).write_bytes(data)
    print(f"{folder.name}: {len(files)} seeds, {sum(len(data) for _, data in files)} bytes")


if __name__ == "__main__":
    write(SEEDS, [(f"{name}.bmp", data) for name, data in seeds()])
    write(HOST_SEEDS, [(name, bytes([reader]) + data) for name, reader, data in host_seeds()])
