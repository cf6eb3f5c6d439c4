"""tools/release.py run in two copies of the tree gives the same bytes, the floppy holds the four files and the
Debian package the plumwick command, its manual page and bash completion, lintian clean."""
import os
import shutil
import subprocess
import sys
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
FILES = ["DfltLogo.sys", "LICENSES.TXT", "Plumwick.exe", "README-EN.TXT", "README.TXT"]


def release(folder):
    """Copies the tree without its builds into folder, runs the release there, returns {file name: bytes}."""
    skip = lambda d, names: [n for n in names if n in ("__pycache__", ".pytest_cache")
                             or d == ROOT and (n.startswith("build") or n == "dist")]
    shutil.copytree(ROOT, folder, ignore=skip, symlinks=True)
    env = {k: v for k, v in os.environ.items() if k != "BUILD_DIR"}
    subprocess.run([sys.executable, os.path.join(folder, "tools", "release.py")], check=True, env=env)
    paths = [os.path.join(folder, "build", "i686", "Plumwick.exe")]
    paths += [os.path.join(folder, "dist", n) for n in sorted(os.listdir(os.path.join(folder, "dist")))]
    return {os.path.basename(p): open(p, "rb").read() for p in paths}


def test_release_is_reproducible_and_complete(tmp_path):
    first, second = release(str(tmp_path / "a")), release(str(tmp_path / "second-copy"))
    assert sorted(first) == sorted(second) and len(first) == 4
    for name in first:
        assert first[name] == second[name], name + " differs between the two builds"
    image = str(tmp_path / "a" / "dist" / next(n for n in first if n.endswith(".img")))
    assert len(first[os.path.basename(image)]) == 1474560
    listing = subprocess.run(["mdir", "-b", "-i", image, "::"], capture_output=True, text=True, check=True)
    assert listing.stdout.split() == ["::/" + n for n in FILES]
    mtype = lambda n: subprocess.run(["mtype", "-i", image, "::" + n], capture_output=True, check=True).stdout
    assert mtype("Plumwick.exe") == first["Plumwick.exe"]
    for name, encoding in (("README.TXT", "cp932"), ("README-EN.TXT", "ascii")):
        text = mtype(name).decode(encoding)  # fails on a byte outside the encoding
        assert text.count("\n") == text.count("\r\n") > 20 and "@VERSION@" not in text
    with zipfile.ZipFile(str(image)[:-3] + "zip") as z:
        assert [i.filename for i in z.infolist()] == FILES
        assert {i.external_attr >> 16 for i in z.infolist()} == {0o100644}
        assert all(z.read(n) == mtype(n) for n in FILES)
    deb = str(tmp_path / "a" / "dist" / next(n for n in first if n.endswith(".deb")))
    members = subprocess.run(["dpkg-deb", "-c", deb], capture_output=True, text=True, check=True).stdout
    for member in ("usr/bin/plumwick", "usr/share/man/man1/plumwick.1.gz", "usr/share/doc/plumwick/copyright",
                   "usr/share/doc/plumwick/changelog.gz", "usr/share/bash-completion/completions/plumwick"):
        assert "./%s\n" % member in members, member
    lint = subprocess.run(["lintian"] + (["--allow-root"] if os.geteuid() == 0 else []) + [deb], capture_output=True,
                          text=True)
    assert lint.returncode == 0 and lint.stdout + lint.stderr == "", lint.stdout + lint.stderr
    recommends = subprocess.run(["dpkg-deb", "-f", deb, "Recommends"], capture_output=True, text=True).stdout
    assert recommends.split(", ") == ["qemu-system-common", "fuse3\n"]
    depends = subprocess.run(["dpkg-deb", "-f", deb, "Depends"], capture_output=True, text=True, check=True).stdout
    # libjpeg is built in; Debian's libpng and giflib write the pictures `show` makes.
    needed = {d.split()[0] for d in depends.split(", ")}
    assert {"mtools", "libpng16-16", "libgif7"} <= needed and "libjpeg62-turbo" not in needed
