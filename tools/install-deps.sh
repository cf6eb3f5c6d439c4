#!/bin/sh
# Installs what building and testing need on Debian 12, if it is missing.
set -eu

PACKAGES="cmake make g++ googletest libgtest-dev g++-mingw-w64-i686 \
binutils-mingw-w64-i686 wine wine64 wine32:i386 fonts-wine xvfb imagemagick \
fonts-ipafont-gothic locales mtools python3 python3-pytest procps pngquant \
lomiri-wallpapers-16.04"

# Wine's 32-bit loader, which runs the i686 release exe, comes from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "adding the i386 architecture for 32-bit Wine"
    dpkg --add-architecture i386
    rm -f /var/lib/apt/lists/lock
fi

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "installing:$missing (about 1.3 GB on a fresh machine; this takes several minutes)"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
    echo "packages installed"
fi

# Wine takes its ANSI code page from the locale: Japanese gives Shift-JIS, US English code page 1252.
for loc in ja_JP en_US; do
    if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8$"; then
        sed -i "s/^# *\($loc.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" >> /etc/locale.gen
        gen=1
    fi
done
[ -z "${gen:-}" ] || locale-gen >/dev/null
