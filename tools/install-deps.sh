#!/bin/sh
# Installs what building and testing need on Debian 12, if it is missing.
set -eu

# clang with its libFuzzer and sanitizer runtimes builds the picture fuzzer;
# pngquant and the photographs of lomiri-wallpapers and mate-backgrounds are
# the conversion benchmarks' yardstick and pictures, valgrind their counter.
# QEMU's tools and FUSE let the plumwick command reach qcow2, VDI, VMDK, VHDX
# and dynamic VHD images; lintian checks its Debian package.
# The x86-64 cross compiler builds the exe that 64-bit Wine runs where the
# kernel refuses 32-bit programs (tools/wine.py decides which one runs).
PACKAGES="cmake make g++ googletest libgtest-dev g++-mingw-w64-i686 \
binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64 \
wine32:i386 fonts-wine xvfb imagemagick fonts-ipafont-gothic locales mtools python3 \
python3-pytest procps libpng-dev libjpeg-dev libgif-dev dpkg-dev file dosfstools fdisk \
clang libclang-rt-14-dev pngquant lomiri-wallpapers-16.04 lomiri-wallpapers-20.04 mate-backgrounds \
valgrind qemu-utils qemu-system-common fuse3 lintian man-db"

if [ "$(id -u)" != 0 ]; then
    need_root() { echo "install-deps: $1 needs root: run tools/install-deps.sh as root" >&2; exit 1; }
else
    need_root() { :; }
fi

# Wine's 32-bit loader, which runs the i686 release exe, comes from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_root "adding the i386 architecture"
    echo "adding the i386 architecture for 32-bit Wine"
    dpkg --add-architecture i386
    rm -f /var/lib/apt/lists/lock
fi

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    need_root "installing$missing"
    echo "installing:$missing (about 1.3 GB on a fresh machine; this takes several minutes)"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq || { echo "install-deps: apt-get update failed: is the network or the package mirror down?" >&2; exit 1; }
    apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends $missing >/dev/null ||
        { echo "install-deps: installing$missing failed (apt-get's messages are above)" >&2; exit 1; }
    echo "packages installed"
fi

# Wine takes its ANSI code page from the locale: Japanese gives Shift-JIS, US English code page 1252.
for loc in ja_JP en_US; do
    if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8$"; then
        need_root "making the $loc.UTF-8 locale"
        sed -i "s/^# *\($loc.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" >> /etc/locale.gen
        gen=1
    fi
done
[ -z "${gen:-}" ] || locale-gen >/dev/null
