#!/usr/bin/python3
"""Builds the release exe for Windows 95/98 and packs it with the default
picture and a Japanese readme (Shift-JIS, CR LF) into a zip."""
import os
import subprocess
import sys
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
VERSION = "1.00.0005"
# A fixed time stamp, so that the same sources give the same zip.
STAMP = (2026, 12, 6, 0, 0, 0)


def main():
    build = os.path.join(os.environ.get("BUILD_DIR", os.path.join(ROOT, "build")), "i686")
    subprocess.run(["cmake", "-S", ROOT, "-B", build, "-DCMAKE_TOOLCHAIN_FILE=" + os.path.join(ROOT, "cmake",
                    "mingw-i686.cmake"), "-DCMAKE_BUILD_TYPE=Release"], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build, "--target", "plumwick", "-j2"], check=True)
    exe = os.path.join(build, "Plumwick.exe")
    subprocess.run([sys.executable, os.path.join(ROOT, "tools", "audit_exe.py"), exe], check=True)

    with open(os.path.join(ROOT, "packaging", "readme-ja.txt"), encoding="utf-8") as f:
        readme = f.read().replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")
    dist = os.path.join(ROOT, "dist")
    os.makedirs(dist, exist_ok=True)
    archive = os.path.join(dist, "Plumwick-%s.zip" % VERSION)
    entries = [("Plumwick.exe", open(exe, "rb").read()),
               ("DfltLogo.sys", open(os.path.join(ROOT, "src", "resources", "DfltLogo.sys"), "rb").read()),
               ("README.TXT", readme)]
    with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in entries:
            info = zipfile.ZipInfo(name, STAMP)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0
            z.writestr(info, data)
    print("exe %d bytes: %s" % (os.path.getsize(exe), exe))
    print("zip %d bytes: %s" % (os.path.getsize(archive), archive))


if __name__ == "__main__":
    main()
