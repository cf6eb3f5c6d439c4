"""plumwick install and restore on the images emulators use, and on Windows where real installs put it: each format
QEMU writes takes the logos and gives them back (read again through QEMU, and `qemu-img check` clean), a qcow2
overlay leaves its backing file and a qcow2 its snapshots as they are; an image another process has open for writing
is refused; Windows is found without [Paths] in MSDOS.SYS, on D:, in a logical partition, or not at all for the
start-up logo alone."""
import subprocess

import pytest

from conftest import (FUSE, NO_FUSE, OLD_LOGO, OLD_LOGOS, OLD_LOGOW, PARTITION_START, SECTOR, WINDOWS_95_MSDOS_SYS,
                      Disk, as_raw, logos, run, sha, windows_disk)

needs_fuse = pytest.mark.skipif(not FUSE, reason=NO_FUSE)


def qemu_img(*args):
    return subprocess.run(["qemu-img", *map(str, args)], check=True, capture_output=True, text=True).stdout


@needs_fuse
@pytest.mark.parametrize("driver,options", [
    ("qcow2", []), ("vdi", []), ("vmdk", []), ("vmdk", ["-o", "subformat=twoGbMaxExtentSparse"]), ("vhdx", []),
    ("vpc", ["-o", "subformat=dynamic"]), ("qed", []),
], ids=["qcow2", "vdi", "vmdk", "vmdk-split", "vhdx", "dynamic-vhd", "qed"])
def test_each_format_qemu_writes_takes_the_logos_and_gives_them_back(tmp_path, pictures, driver, options):
    files, made = pictures
    raw = windows_disk(tmp_path, start_logo=OLD_LOGO)
    image = Disk(tmp_path / ("win." + driver), raw.offset)
    qemu_img("convert", "-O", driver, *options, raw.path, image.path)
    r = run("install", image.path, "--start", files["png"], "--shutdown", files["logo"])
    assert r.returncode == 0 and r.stderr == "", r.stderr
    assert logos(as_raw(image)) == {"start": made["png"], "shutdown": made["logo"], "power-off": OLD_LOGOS}
    assert run("restore", image.path).returncode == 0
    assert logos(as_raw(image)) == logos(raw)
    if driver != "vpc":  # QEMU checks no VHD
        qemu_img("check", "-q", image.path)


@needs_fuse
def test_a_qcow2_overlay_changes_alone_and_keeps_its_snapshots(tmp_path, pictures):
    files, made = pictures
    backing = windows_disk(tmp_path, start_logo=OLD_LOGO)
    overlay = Disk(tmp_path / "win.qcow2", backing.offset)
    qemu_img("create", "-f", "qcow2", "-b", backing.path, "-F", "raw", overlay.path)
    qemu_img("snapshot", "-c", "installed", overlay.path)
    before, snapshots = sha(backing.path), qemu_img("snapshot", "-l", overlay.path)
    assert run("install", overlay.path, "--start", files["png"]).returncode == 0
    assert as_raw(overlay).get("LOGO.SYS") == made["png"]
    assert run("restore", overlay.path).returncode == 0
    assert as_raw(overlay).get("LOGO.SYS") == OLD_LOGO
    assert sha(backing.path) == before and qemu_img("snapshot", "-l", overlay.path) == snapshots
    qemu_img("check", "-q", overlay.path)


@pytest.mark.parametrize("driver", ["raw", pytest.param("qcow2", marks=needs_fuse)])
def test_an_image_another_process_writes_to_is_refused(tmp_path, pictures, driver):
    """As 86Box, PCem and DOSBox-X hold their disk images: open for writing, with no lock."""
    files, _ = pictures
    raw = windows_disk(tmp_path)
    image = tmp_path / ("held." + driver)
    qemu_img("convert", "-O", driver, raw.path, image)
    before = sha(image)
    holder = subprocess.Popen(["python3", "-c", "import sys; f = open(sys.argv[1], 'r+b'); print(); sys.stdin.read()",
                               image], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    try:
        holder.stdout.readline()
        r = run("install", image, "--start", files["png"])
        assert r.returncode == 1 and r.stderr == (
            "plumwick: %s: open for writing in python3 (pid %d), which may be an emulator running on it; close it "
            "and run plumwick again, or give --force if it writes nothing there\n" % (image, holder.pid)), r.stderr
        assert sha(image) == before
        assert run("install", image, "--start", files["png"], "--force").returncode == 0
    finally:
        holder.communicate(b"")


def partitioned(path, table, volumes):
    """An image with this sfdisk table; `volumes` maps a start sector to its FAT file system's files."""
    with open(path, "wb") as f:
        f.truncate(48 << 20)
    subprocess.run(["sfdisk", "-q", str(path)], input="label: dos\n" + table, text=True, check=True,
                   capture_output=True)
    disks = {}
    for start, content in volumes.items():
        subprocess.run(["mkfs.fat", "-F", "16", "-s", "1", "--offset", str(start), str(path), "8192"], check=True,
                       capture_output=True)
        disk = disks[start] = Disk(path, start * SECTOR)
        for name, data in content.items():
            if data is None:
                disk.mtools("mmd", "::" + name)
            else:
                disk.put(name, data)
    return disks


LOGICAL = PARTITION_START + 18432  # the first logical partition of the extended one below
SECOND = PARTITION_START + 36864  # a second primary partition, after the extended one
TABLE = ("start=%d, size=16384, type=6, bootable\nstart=%d, size=18432, type=5\nstart=%d, size=16384, type=6\n"
         "start=%d, size=16384, type=6\n" % (PARTITION_START, PARTITION_START + 16384, SECOND, LOGICAL))
WINDOWS = {"WINDOWS": None, "WINDOWS/WIN.COM": b"MZ", "WINDOWS/LOGOW.SYS": OLD_LOGOW}
NO_PATHS = b"[Options]\r\nBootGUI=1\r\nLogo=1\r\n"


def win98(msdos_sys):
    return {"MSDOS.SYS": msdos_sys, "WIN98": None, "WIN98/WIN.COM": b"MZ", "WIN98/LOGOW.SYS": OLD_LOGOW}


@pytest.mark.parametrize("boot,logical,second,options,where", [
    # No [Paths]: the folder that holds WIN.COM.
    (win98(NO_PATHS), {}, {}, [], (PARTITION_START, "WIN98")),
    # WinDir on D:, the logical partition (the second primary one is E:, and has a Windows folder too).
    (win98(b"[Paths]\r\nWinDir=D:\\WINDOWS\r\n"), WINDOWS, WINDOWS, [], (LOGICAL, "WINDOWS")),
    # Windows only in the logical partition, and no [Paths].
    ({"MSDOS.SYS": NO_PATHS}, WINDOWS, {}, [], (LOGICAL, "WINDOWS")),
    # Two folders hold WIN.COM: --windows-dir says which.
    (win98(NO_PATHS), {}, WINDOWS, ["--windows-dir", "e:/windows/"], (SECOND, "WINDOWS")),
])
def test_windows_where_real_installs_put_it(tmp_path, pictures, boot, logical, second, options, where):
    files, made = pictures
    disks = partitioned(tmp_path / "win.img", TABLE, {PARTITION_START: boot, LOGICAL: logical, SECOND: second})
    r = run("install", tmp_path / "win.img", "--start", files["png"], "--shutdown", files["jpeg"], *options)
    assert r.returncode == 0, r.stderr
    start, folder = where
    assert disks[PARTITION_START].get("LOGO.SYS") == made["png"]
    assert disks[start].get(folder + "/LOGOW.SYS") == made["jpeg"]
    for other, disk in disks.items():
        for name in ("WINDOWS/LOGOW.SYS", "WIN98/LOGOW.SYS"):
            assert (other, name.split("/")[0]) == where or disk.get(name) in (OLD_LOGOW, None)
    assert run("restore", tmp_path / "win.img", *options).returncode == 0
    assert disks[PARTITION_START].get("LOGO.SYS") is None and disks[start].get(folder + "/LOGOW.SYS") == OLD_LOGOW


def test_the_start_up_logo_alone_needs_no_windows_folder(tmp_path, pictures):
    files, made = pictures
    disk = windows_disk(tmp_path)
    disk.put("MSDOS.SYS", NO_PATHS, ("+h", "+s", "+r"))
    r = run("install", disk.path, "--shutdown", files["png"])
    assert r.returncode == 1 and "MSDOS.SYS names no Windows folder and no folder holds WIN.COM; give its folder " \
                                 "with --windows-dir" in r.stderr
    assert run("install", disk.path, "--start", files["png"]).returncode == 0 and disk.get("LOGO.SYS") == made["png"]
    r = run("install", disk.path, "--shutdown", files["png"], "--windows-dir", "C:\\WINDOWS")
    assert r.returncode == 1 and "C:\\WINDOWS\\logow.sys was not kept at the first install" in r.stderr
    r = run("restore", disk.path)
    assert r.returncode == 0 and r.stdout == "C:\\logo.sys: removed, as the image had none\nlogow.sys: left as it is " \
                                             "(MSDOS.SYS names no Windows folder and no folder holds WIN.COM)\n" \
                                             "logos.sys: left as it is (MSDOS.SYS names no Windows folder and no " \
                                             "folder holds WIN.COM)\n", r.stdout
