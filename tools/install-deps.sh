#!/bin/sh
# Installs what building and testing need on Debian 12, if it is missing.
set -eu

PACKAGES="cmake make g++ googletest libgtest-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64 \
binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 wine wine64 xvfb xdotool imagemagick \
fonts-ipafont-gothic locales python3 python3-pytest procps"

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# Wine takes its ANSI code page from the locale: Japanese gives Shift-JIS.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
