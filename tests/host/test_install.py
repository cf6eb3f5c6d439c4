"""plumwick install and restore on disk images made here: the logos land byte for byte where Windows 95/98 looks
for them, in the image named whatever its name, the old ones are kept with their attributes and the disk they came
from and put back, leftovers of a cut-off replace are put right, a run killed between any two mtools runs or stopped
by a signal leaves whole logos and a clean file system, and every refusal leaves the image untouched."""
import fcntl
import os
import shutil
import signal
import struct
import subprocess
import time
from pathlib import Path

import pytest

from conftest import (FUSE, LIVE, NO_FUSE, OLD_LOGO, OLD_LOGOW, PARTITION_START, PLUMWICK, SECTOR, WINDOWS_95_MSDOS_SYS, Disk,
                      as_raw, logos, no_leftovers, run, sha, windows_disk)

MTOOLS_CHANGES = ["mcopy", "mren", "mdel", "mattrib"]
RECORD = ("; the logos as they were before Plumwick first changed them\r\nlogo.sys %s\r\n"
          "logow.sys saved archive\r\nlogos.sys saved archive\r\ndisk %s, FAT volume 1234-ABCD\r\n")
WORDS = {"R": "read-only", "H": "hidden", "S": "system", "A": "archive"}


def add_vhd_footer(disk, kind):
    """A VHD footer ("conectix", disk type 2 fixed or 3 dynamic at byte 60) after the raw disk."""
    footer = bytearray(512)
    footer[0:8] = b"conectix"
    struct.pack_into(">I", footer, 60, kind)
    with open(disk.path, "ab") as f:
        f.write(footer)


@pytest.mark.parametrize("name,fat,mbr,vhd,start_attributes", [
    ("win.img", 16, True, False, None),  # no LOGO.SYS before
    # a hidden, system, read-only logo.sys, named in small letters, in an image named as mtools names a volume
    ("disk@@1048576.img", 32, True, False, ("+h", "+s", "+r")),
    ("win 98 'ü'.img", 16, False, False, ()),  # no partition table: FAT from sector 0
    ("C:win.img", 32, False, False, None),
    ("win.vhd", 16, True, True, ("+r",)),  # a fixed VHD
])
def test_install_then_restore(tmp_path, pictures, name, fat, mbr, vhd, start_attributes):
    files, made = pictures
    had_start = start_attributes is not None
    disk = windows_disk(tmp_path, fat, mbr, OLD_LOGO if had_start else None, start_attributes or (), name)
    decoy = tmp_path / "disk"  # what mtools would take disk@@1048576.img for
    decoy.write_bytes(b"not the image")
    if vhd:
        add_vhd_footer(disk, 2)
    before = logos(disk)
    start_letters = disk.attributes("LOGO.SYS")
    r = run("install", disk.path, "--start", files["png"], "--shutdown", files["jpeg"], "--power-off", files["logo"])
    assert r.returncode == 0 and r.stderr == "", r.stderr  # and no progress line: it was quick
    assert "its colours 240 to 255 are meant to turn" in r.stdout and "as the power-off logo it stands still" in r.stdout
    assert logos(disk) == {"start": made["png"], "shutdown": made["jpeg"], "power-off": made["logo"]}
    assert disk.attributes("LOGO.SYS") == (start_letters or "") and disk.attributes("WINDOWS/LOGOW.SYS") == "A"
    assert "LOGOW.SYS" in disk.names("WINDOWS")  # the name as it was
    assert no_leftovers(disk) and disk.fsck()[0] == 0 and decoy.read_bytes() == b"not the image"
    saved = Path(str(disk.path) + ".old-logos")
    assert sorted(p.name for p in saved.iterdir()) == sorted(["logow.sys", "logos.sys", "record.txt"] +
                                                            (["logo.sys"] if had_start else []))
    start = "saved " + " ".join(WORDS[letter] for letter in "RHSA" if letter in start_letters) if had_start else "absent"
    assert (saved / "record.txt").read_bytes().decode() == RECORD % (start, "partition 1" if mbr else "the whole image")
    kept = {p.name: p.read_bytes() for p in saved.iterdir()}

    # A second install keeps the first one's saved logos.
    assert run("install", disk.path, "--start", files["jpeg"]).returncode == 0
    assert disk.get("LOGO.SYS") == made["jpeg"] and {p.name: p.read_bytes() for p in saved.iterdir()} == kept

    r = run("restore", disk.path)
    assert r.returncode == 0, r.stderr
    assert r.stdout.count("put back") == 2 + had_start and ("removed" in r.stdout) != had_start
    assert logos(disk) == before and disk.attributes("LOGO.SYS") == start_letters
    assert no_leftovers(disk) and disk.fsck()[0] == 0
    if vhd:
        assert open(disk.path, "rb").read()[-512:-504] == b"conectix"
    # Nothing to remove is not said.
    assert had_start or "LOGO.SYS" not in run("restore", disk.path).stdout.upper()


def test_a_logo_a_cut_off_replace_left_aside_is_put_back_before_it_is_kept(tmp_path, pictures):
    """The tool on Windows cut off after renaming the live logo away: it comes back, and the first install keeps it
    (the rules of what a cut-off replace leaves are the logo procedures', tested with them)."""
    files, _ = pictures
    disk = windows_disk(tmp_path)
    disk.put("LOGO.PWO", OLD_LOGO, ("+h",))
    assert run("install", disk.path, "--power-off", files["logo"]).returncode == 0
    assert disk.get("LOGO.SYS") == OLD_LOGO and disk.attributes("LOGO.SYS") == "AH" and no_leftovers(disk)
    assert (Path(str(disk.path) + ".old-logos") / "logo.sys").read_bytes() == OLD_LOGO


def wrap_mtools(folder, stop_after=None, slow=None):
    """A PATH folder whose mtools commands run the real ones. With stop_after=N, the N-th run that changes the
    image (mcopy, mren, mdel, mattrib but a listing) kills plumwick, its parent, once it has ended; with slow=(TOOL, WORD),
    TOOL given WORD first sleeps 1.5 seconds."""
    folder.mkdir(exist_ok=True)
    counter = folder / "count"
    counter.write_text("0")
    for tool in MTOOLS_CHANGES + ["mtype"]:
        lines = ["#!/bin/sh", "real=/usr/bin/" + tool]
        if slow and slow[0] == tool:
            lines.append('case "$*" in *%s*) sleep 1.5 ;; esac' % slow[1])
        if stop_after and tool in MTOOLS_CHANGES:
            if tool == "mattrib":  # a listing changes nothing
                lines.append('case " $* " in *" -X "*) exec "$real" "$@" ;; esac')
            lines += ["n=$(($(cat %s) + 1)); echo $n > %s" % (counter, counter),
                      '"$real" "$@"; status=$?',
                      "[ $n -eq %d ] && kill -KILL $PPID" % stop_after,
                      "exit $status"]
        else:
            lines.append('exec "$real" "$@"')
        (folder / tool).write_text("\n".join(lines) + "\n")
        (folder / tool).chmod(0o755)
    return dict(os.environ, PATH="%s:%s" % (folder, os.environ["PATH"]))


@pytest.mark.parametrize("command,kind", [("install", "img"), ("restore", "img"), ("install", "qcow2")])
def test_a_run_killed_after_any_change_leaves_whole_logos_and_a_clean_disk(tmp_path, pictures, command, kind):
    """Each logo is old or new after a kill, or old under LOGO.PWO beside it; the next run puts it right. No
    temporary file is left on the host. In a qcow2, QEMU ends with plumwick and leaves it whole."""
    if kind == "qcow2" and not FUSE:
        pytest.skip(NO_FUSE)
    files, made = pictures
    base = windows_disk(tmp_path, start_logo=OLD_LOGO)
    install = ["install", base.path, "--start", files["png"], "--shutdown", files["jpeg"], "--power-off", files["logo"]]
    before, after = logos(base), {"start": made["png"], "shutdown": made["jpeg"], "power-off": made["logo"]}
    if command == "restore":
        assert run(*install).returncode == 0
        before, after = after, before
    words = install if command == "install" else ["restore", base.path]
    saved = Path(str(base.path) + ".old-logos")
    temporary = tmp_path / "tmp"
    temporary.mkdir()
    killed = 0
    for stop_after in range(1, 40):
        disk = Disk(tmp_path / ("cut%d.%s" % (stop_after, kind)), base.offset)
        subprocess.run(["qemu-img", "convert", "-O", "raw" if kind == "img" else kind, str(base.path), str(disk.path)],
                       check=True)
        if command == "restore":
            shutil.copytree(saved, str(disk.path) + ".old-logos")
        words[1] = disk.path
        env = dict(wrap_mtools(tmp_path / "wrap", stop_after=stop_after), TMPDIR=str(temporary))
        r = run(*words, env=env, check_clean=False)
        if r.returncode == 0:
            break
        assert r.returncode == -9, r
        killed += 1
        wait_for_qemu_to_end(disk.path)
        shown = as_raw(disk)
        status, report = shown.fsck()
        assert status == 0, report
        for slot, data in logos(shown).items():
            old = shown.get(LIVE[slot][:-3] + "PWO")
            assert data in (before[slot], after[slot]) or (data is None and old == before[slot]), (stop_after, slot)
        assert kind == "img" or subprocess.run(["qemu-img", "check", "-q", str(disk.path)]).returncode == 0
        assert run(*words, env=dict(os.environ, TMPDIR=str(temporary))).returncode == 0
        shown = as_raw(disk)
        assert logos(shown) == after and no_leftovers(shown) and shown.fsck()[0] == 0
        assert (Path(str(disk.path) + ".old-logos") / "logo.sys").read_bytes() == OLD_LOGO
    # Each of the three logos: copied as .PWN and its attributes set, the live one renamed .PWO, the .PWN renamed
    # in its place, the .PWO's attributes cleared and the .PWO deleted.
    assert killed == 18 and list(temporary.iterdir()) == []


def wait_for_qemu_to_end(image):
    """QEMU, told by the kernel that plumwick has ended, ends too: it is given a moment to."""
    for _ in range(200):
        if subprocess.run(["pgrep", "-f", "qemu-storage-daemon.*" + image.name], capture_output=True).returncode:
            return
        time.sleep(0.05)
    raise AssertionError("qemu-storage-daemon still runs on " + str(image))


def test_a_slow_step_says_what_it_does(tmp_path, pictures):
    files, _ = pictures
    disk = windows_disk(tmp_path)
    wrapped = wrap_mtools(tmp_path / "wrap", slow=("mtype", "MSDOS.SYS"))
    r = run("install", disk.path, "--start", files["logo"], env=wrapped)
    assert r.returncode == 0 and r.stderr == "plumwick: reading %s...\n" % disk.path


@pytest.mark.parametrize("stop,to_group,kind", [(signal.SIGINT, True, "img"), (signal.SIGTERM, False, "img"),
                                                (signal.SIGINT, True, "qcow2")])
def test_a_signal_stops_plumwick_before_the_next_logo(tmp_path, pictures, stop, to_group, kind):
    """Ctrl-C at the terminal (SIGINT to the whole process group) or a SIGTERM: the logo being replaced is finished,
    the next one is not begun, and plumwick says which it left and ends by that signal, leaving nothing in the
    temporary folder."""
    if kind == "qcow2" and not FUSE:
        pytest.skip(NO_FUSE)
    files, made = pictures
    disk = windows_disk(tmp_path)
    if kind == "qcow2":
        subprocess.run(["qemu-img", "convert", "-O", "qcow2", str(disk.path), str(tmp_path / "win.qcow2")], check=True)
        disk = Disk(tmp_path / "win.qcow2", disk.offset)
    wrap, temporary = tmp_path / "wrap", tmp_path / "tmp"
    wrap.mkdir()
    temporary.mkdir()
    (wrap / "mren").write_text('#!/bin/sh\ntouch %s/started\nsleep 1\nexec /usr/bin/mren "$@"\n' % wrap)
    (wrap / "mren").chmod(0o755)
    env = dict(os.environ, PATH="%s:%s" % (wrap, os.environ["PATH"]), TMPDIR=str(temporary))
    command = subprocess.Popen([str(PLUMWICK), "install", str(disk.path), "--start", str(files["png"]), "--shutdown",
                                str(files["png"])], env=env, start_new_session=True, stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE, text=True)
    for _ in range(500):
        if (wrap / "started").exists():
            break
        time.sleep(0.01)
    (os.killpg if to_group else os.kill)(command.pid, stop)
    out, err = command.communicate(timeout=20)
    assert command.returncode == -stop
    assert err.endswith("plumwick: stopped by %s before the next change; left as they were: C:\\WINDOWS\\logow.sys\n"
                        % stop.name), err
    assert out.splitlines()[-1].startswith("C:\\logo.sys: the start-up logo")
    assert list(temporary.iterdir()) == []
    shown = as_raw(disk)
    assert shown.get("LOGO.SYS") == made["png"] and shown.get("WINDOWS/LOGOW.SYS") == OLD_LOGOW
    assert no_leftovers(shown) and shown.fsck()[0] == 0


def test_ctrl_c_at_any_moment_stops_or_lets_finish(tmp_path, pictures):
    """Ctrl-C reaches plumwick's whole group at moments spread over a run, some while mtools is being started: each
    run either finishes or says it stopped, never that a step failed."""
    files, _ = pictures
    words = ["install", None, "--start", str(files["png"]), "--shutdown", str(files["png"]), "--power-off",
             str(files["png"])]
    began = time.monotonic()
    assert run(*[windows_disk(tmp_path, name="timed.img").path if w is None else w for w in words]).returncode == 0
    whole = time.monotonic() - began
    for step in range(20):
        disk = windows_disk(tmp_path, name="win%d.img" % step)
        command = subprocess.Popen([str(PLUMWICK)] + [str(disk.path) if w is None else w for w in words],
                                   start_new_session=True, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        time.sleep(whole * step / 20)
        os.killpg(command.pid, signal.SIGINT)
        _, err = command.communicate(timeout=20)
        # Before plumwick has begun, Ctrl-C ends it at once, without a word.
        stopped = err == "" or err.startswith("plumwick: stopped by SIGINT")
        assert command.returncode == 0 or (command.returncode == -signal.SIGINT and stopped), err
        assert no_leftovers(disk) and disk.fsck()[0] == 0


def hold_lock(path, kind):
    """Locks as emulators do, from this process: QEMU's read lock on byte 101 (an OFD lock), or flock."""
    fd = os.open(path, os.O_RDWR)
    if kind == "qemu":
        fcntl.fcntl(fd, fcntl.F_OFD_SETLK, struct.pack("hhqqi", fcntl.F_RDLCK, 0, 101, 1, 0))
    else:
        fcntl.flock(fd, fcntl.LOCK_SH if kind == "flock-shared" else fcntl.LOCK_EX)
    return fd


def qcow2(disk):
    """A raw disk that starts as a qcow2 file would, and is none."""
    disk.path.write_bytes(b"QFI\xfb\0\0\0\3" + bytes(504) + disk.path.read_bytes()[512:])


def edit(offset, data):
    def change(disk):
        with open(disk.path, "r+b") as f:
            f.seek(offset)
            f.write(data)
    return change


def partition_entry(field, data):
    return edit(446 + field, data)


def msdos_sys(content):
    """MSDOS.SYS with other content, or none."""
    def change(disk):
        disk.mtools("mattrib", "-r", "-s", "-h", "::MSDOS.SYS")
        disk.mtools("mdel", "::MSDOS.SYS")
        if content is not None:
            disk.put("MSDOS.SYS", content)
    return change


@pytest.mark.parametrize("change,lock,words", [
    (None, "qemu", "in use by a running emulator"),
    (None, "flock", "in use by a running emulator"),
    (None, "flock-shared", "in use by a running emulator"),
    (qcow2, None, "QEMU cannot open this QEMU qcow2 image"),
    (edit(0, b"conectix" + bytes(52) + b"\0\0\0\4"), None, "a differencing VHD, which QEMU cannot open"),
    (edit(0x40, b"\x7f\x10\xda\xbe"), None, "QEMU cannot open this VirtualBox VDI image"),
    (edit(0, b"KDMV\1\0\0\0\0\0\1\0"), None, "a stream-optimised VMDK"),
    (partition_entry(12, struct.pack("<I", 1 << 20)), None, "partition table is broken (partition 1 ends"),
    (partition_entry(0, b"\x12"), None, "partition table is broken (partition 1 has the status byte 0x12"),
    (partition_entry(4, b"\x83"), None, "no FAT partition"),
    (edit(PARTITION_START * SECTOR, bytes(512)), None, "partition 1 is marked FAT (type 0x06) but holds no FAT"),
    (edit(510, b"\0\0"), None, "no partition table and no FAT file system"),
    (msdos_sys(None), None, "no MSDOS.SYS"),
    (msdos_sys(b"\xe9\x00\x00MS-DOS kernel\x00\x01"), None, "MS-DOS's system file"),
    (msdos_sys(b"[Paths]\r\nWinDir=C:\\WIN98\r\n"), None, "names the Windows folder C:\\WIN98"),
    (msdos_sys(b"[Paths]\r\nWinDir=D:\\WINDOWS\r\n"), None, "Windows is on drive D:, which the disk does not have"),
])
def test_refused_before_any_change(tmp_path, pictures, change, lock, words):
    files, _ = pictures
    disk = windows_disk(tmp_path)
    if change:
        change(disk)
    before = sha(disk.path)
    held = hold_lock(disk.path, lock) if lock else None
    try:
        for command in (["install", disk.path, "--start", files["png"]], ["restore", disk.path]):
            r = run(*command)
            assert r.returncode == 1 and r.stdout == "", r
            assert r.stderr.startswith("plumwick: %s: " % disk.path) and r.stderr.count("\n") == 1, r.stderr
            assert words.format(image=disk.path, stem=disk.path.with_suffix("")) in r.stderr, r.stderr
    finally:
        if held is not None:
            os.close(held)
    assert sha(disk.path) == before and not Path(str(disk.path) + ".old-logos").exists()


@pytest.mark.parametrize("content,words", [
    (b"hello", "not a picture plumwick reads"),
    (None, "no such file"),
    ("folder", "a folder, not a file"),
])
def test_a_picture_it_cannot_read_is_refused_before_the_image_is_opened(tmp_path, pictures, content, words):
    files, _ = pictures
    disk = windows_disk(tmp_path)
    bad = tmp_path / "bad.png"
    if content == "folder":
        bad.mkdir()
    elif content is not None:
        bad.write_bytes(content)
    before = sha(disk.path)
    r = run("install", disk.path, "--start", files["png"], "--shutdown", bad)
    assert r.returncode == 1 and r.stderr.startswith("plumwick: %s: " % bad) and words in r.stderr
    assert sha(disk.path) == before and not Path(str(disk.path) + ".old-logos").exists()


def test_a_new_image_at_the_same_path_is_not_given_the_old_ones_logos(tmp_path, pictures):
    files, _ = pictures
    first = windows_disk(tmp_path, start_logo=OLD_LOGO)
    assert run("install", first.path, "--start", files["png"]).returncode == 0
    first.path.unlink()
    second = windows_disk(tmp_path, serial="5678EF01")
    before = sha(second.path)
    for command in (["install", second.path, "--start", files["png"]], ["restore", second.path]):
        r = run(*command)
        assert r.returncode == 1 and r.stderr == (
            "plumwick: %s: the logos kept in %s.old-logos came from another disk (partition 1, FAT volume 1234-ABCD), "
            "not from this image (partition 1, FAT volume 5678-EF01); if the image is a new one, move that folder "
            "away and run plumwick again\n" % (second.path, second.path)), r.stderr
    assert sha(second.path) == before
    shutil.move(str(second.path) + ".old-logos", tmp_path / "elsewhere")
    assert run("install", second.path, "--start", files["png"]).returncode == 0
    assert run("restore", second.path).stdout.splitlines()[0] == "C:\\logo.sys: removed, as the image had none"


def test_restore_without_an_install_changes_nothing(tmp_path):
    disk = windows_disk(tmp_path)
    before = sha(disk.path)
    r = run("restore", disk.path)
    assert r.returncode == 1 and "no saved logos" in r.stderr and sha(disk.path) == before


@pytest.mark.parametrize("kind,words", [
    ("img", "mattrib is not installed; plumwick reaches inside disk images with it: apt-get install mtools"),
    pytest.param("qcow2", "qemu-storage-daemon is not installed; plumwick reaches inside images of this kind through "
                          "QEMU: apt-get install qemu-system-common", marks=pytest.mark.skipif(not FUSE, reason=NO_FUSE)),
])
def test_without_the_tools_it_says_what_to_install(tmp_path, pictures, kind, words):
    files, _ = pictures
    disk = windows_disk(tmp_path)
    image = tmp_path / ("disk." + kind)
    subprocess.run(["qemu-img", "convert", "-O", "raw" if kind == "img" else kind, disk.path, image], check=True)
    r = run("install", image, "--start", files["png"], env=dict(os.environ, PATH=str(tmp_path)))
    assert r.returncode == 1 and r.stderr == "plumwick: " + words + "\n", r.stderr


@pytest.mark.parametrize("first_type,active", [
    ("6", 2),  # two FAT partitions: the active one, the second, is C:
    ("83", None),  # a Linux partition first and none active: the first FAT one is C:
])
def test_the_boot_drive_is_the_active_fat_partition_else_the_first(tmp_path, pictures, first_type, active):
    files, made = pictures
    image = tmp_path / "two.img"
    with open(image, "wb") as f:
        f.truncate(24 << 20)
    starts, sizes = [PARTITION_START, PARTITION_START + 16384], [16384, 24576]
    table = "label: dos\n" + "".join("start=%d, size=%d, type=%s%s\n" % (
        start, size, kind, ", bootable" if active == n else "")
        for n, (start, size, kind) in enumerate(zip(starts, sizes, (first_type, "6")), 1))
    subprocess.run(["sfdisk", "-q", str(image)], input=table, text=True, check=True, capture_output=True)
    for start, size in zip(starts, sizes):
        subprocess.run(["mkfs.fat", "-F", "16", "-s", "1", "--offset", str(start), str(image), str(size // 2)],
                       check=True, capture_output=True)
    other, boot = Disk(image, starts[0] * SECTOR), Disk(image, starts[1] * SECTOR)
    boot.mtools("mmd", "::WINDOWS")
    boot.put("MSDOS.SYS", WINDOWS_95_MSDOS_SYS)
    assert run("install", image, "--start", files["png"]).returncode == 0
    assert boot.get("LOGO.SYS") == made["png"] and other.names() == []
