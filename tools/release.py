#!/usr/bin/python3
"""Builds the release exe for Windows 95/98, audits it and writes into dist/:

  Plumwick-<version>.zip  the exe, the default picture and the two readmes
  Plumwick-<version>.img  a 1.44 MB FAT12 floppy image with the same four files
  plumwick_<version>_<arch>.deb  the plumwick command for Linux with its manual page and bash completion,
                                 made by CPack from the native build

All are byte-identical for the same sources on any machine: the exe has no
link time stamp, every file carries the time of the last commit (or
SOURCE_DATE_EPOCH, which CPack reads too), entries are sorted, permissions are 0644 and the floppy
has a fixed volume serial number. BUILD_DIR picks the build folder (build/).
"""
import glob
import hashlib
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LABEL = "PLUMWICK"
SERIAL = "19950824"  # the floppy's volume serial number, shown as 1995-0824
OEM_NAME = b"MSWIN4.1"  # the boot sector's OEM name, the one Windows 95/98 expects
FALLBACK_EPOCH = 1796515200  # 2026-12-06 00:00 UTC, for a tree that is not a git clone


def version():
    with open(os.path.join(ROOT, "src", "resources", "version.h"), encoding="ascii") as f:
        return re.search(r'#define PLUMWICK_VERSION_TEXT "([^"]+)"', f.read()).group(1)


def source_epoch():
    """SOURCE_DATE_EPOCH, else the last commit's time; even, as FAT and zip keep 2-second steps."""
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if not epoch:
        git = subprocess.run(["git", "-C", ROOT, "log", "-1", "--format=%ct"],
                             capture_output=True, text=True)
        epoch = git.stdout.strip() if git.returncode == 0 else ""
    return (int(epoch) if epoch else FALLBACK_EPOCH) & ~1


def build_exe():
    build = os.path.join(os.environ.get("BUILD_DIR") or os.path.join(ROOT, "build"), "i686")
    subprocess.run(["cmake", "-S", ROOT, "-B", build, "-DCMAKE_TOOLCHAIN_FILE=" + os.path.join(ROOT, "cmake",
                    "mingw-i686.cmake"), "-DCMAKE_BUILD_TYPE=Release"], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build, "--target", "plumwick", "-j2"], check=True)
    exe = os.path.join(build, "Plumwick.exe")
    subprocess.run([sys.executable, os.path.join(ROOT, "tools", "audit_exe.py"), exe], check=True)
    return exe


def build_deb(epoch):
    """The native command packed by CPack; it dates every member with SOURCE_DATE_EPOCH."""
    build = os.path.join(os.environ.get("BUILD_DIR") or os.path.join(ROOT, "build"), "native")
    subprocess.run(["cmake", "-S", ROOT, "-B", build, "-DCMAKE_BUILD_TYPE=Release"], check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build, "--target", "plumwick", "plumwick_pages", "-j2"], check=True)
    packages = os.path.join(build, "packages")
    for old in glob.glob(os.path.join(packages, "*.deb")):
        os.remove(old)
    # The package's folders take their modes from the umask: the usual one, whatever the caller's.
    subprocess.run(["cpack", "-G", "DEB", "--config", os.path.join(build, "CPackConfig.cmake"), "-B", packages],
                   check=True, stdout=subprocess.DEVNULL, env=dict(os.environ, SOURCE_DATE_EPOCH=str(epoch)),
                   preexec_fn=lambda: os.umask(0o022))
    deb, = glob.glob(os.path.join(packages, "*.deb"))
    return deb


def readme(name, ver, encoding):
    """A readme source from packaging/ (UTF-8) as the target reads it: CR LF, Shift-JIS or ASCII."""
    with open(os.path.join(ROOT, "packaging", name), encoding="utf-8") as f:
        text = f.read().replace("@VERSION@", ver)
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode(encoding)


# The licences of the libraries whose decoders Plumwick.exe holds.
LICENCES = [("libjpeg-turbo", "LICENSE.md"), ("libjpeg-turbo", "README.ijg"), ("libpng", "LICENSE"),
            ("zlib", "LICENSE"), ("giflib", "COPYING")]


def licences():
    """LICENSES.TXT: each licence under its library's name, CR LF, Windows' Western code page."""
    parts = []
    for library, name in LICENCES:
        with open(os.path.join(ROOT, "third_party", library, name), encoding="utf-8") as f:
            parts.append("==== %s: %s ====\n\n%s" % (library, name, f.read()))
    text = "\n\n".join(parts)
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp1252")


def write_zip(path, files, epoch):
    with zipfile.ZipFile(path, "w") as z:
        for name, data in files:
            info = zipfile.ZipInfo(name, time.gmtime(epoch)[:6])
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3  # Unix, so that unzip applies the permissions below
            info.external_attr = (0o100644 << 16) | 0x20  # -rw-r--r--, DOS archive bit
            z.writestr(info, data, compresslevel=9)


def write_image(path, files, epoch):
    """A FAT12 floppy made by mtools without root, every date the same and in UTC."""
    env = dict(os.environ, TZ="UTC", SOURCE_DATE_EPOCH=str(epoch), MTOOLSRC="/dev/null",
               MTOOLS_SKIP_CHECK="1")
    if os.path.exists(path):
        os.remove(path)
    subprocess.run(["mformat", "-i", path, "-C", "-f", "1440", "-v", LABEL, "-N", SERIAL, "::"],
                   check=True, env=env)
    with tempfile.TemporaryDirectory() as stage:
        for name, data in files:
            source = os.path.join(stage, name)
            with open(source, "wb") as f:
                f.write(data)
            os.utime(source, (epoch, epoch))
            subprocess.run(["mcopy", "-i", path, "-m", source, "::" + name], check=True, env=env)
    # mformat writes its own version as the OEM name; a fixed one keeps the image the same
    # whatever mtools made it.
    with open(path, "r+b") as f:
        f.seek(3)
        f.write(OEM_NAME)


def main():
    subprocess.run([os.path.join(ROOT, "tools", "install-deps.sh")], check=True)
    ver, epoch = version(), source_epoch()
    exe = build_exe()
    with open(exe, "rb") as f:
        exe_data = f.read()
    with open(os.path.join(ROOT, "src", "resources", "DfltLogo.sys"), "rb") as f:
        logo = f.read()
    files = sorted([("Plumwick.exe", exe_data), ("DfltLogo.sys", logo),
                    ("README.TXT", readme("readme-ja.txt", ver, "cp932")),
                    ("README-EN.TXT", readme("readme-en.txt", ver, "ascii")),
                    ("LICENSES.TXT", licences())])

    dist = os.path.join(ROOT, "dist")
    os.makedirs(dist, exist_ok=True)
    outputs = [os.path.join(dist, "Plumwick-%s.%s" % (ver, ext)) for ext in ("zip", "img")]
    write_zip(outputs[0], files, epoch)
    write_image(outputs[1], files, epoch)
    deb = build_deb(epoch)
    outputs.append(os.path.join(dist, os.path.basename(deb)))
    shutil.copyfile(deb, outputs[-1])
    print("files dated %s UTC" % time.strftime("%Y-%m-%d %H:%M:%S", time.gmtime(epoch)))
    for path in [exe] + outputs:
        with open(path, "rb") as f:
            data = f.read()
        print("%s  %7d bytes  %s" % (hashlib.sha256(data).hexdigest(), len(data), path))


if __name__ == "__main__":
    main()
