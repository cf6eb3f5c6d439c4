#!/bin/sh
# Builds the native core and unit tests, the i686 release exe with the
# end-to-end driver and, where this host runs no 32-bit program (or
# PLUMWICK_WINE_ARCH=x86_64 says so), the same sources for x86-64, which the
# tests then drive under 64-bit Wine. BUILD_DIR defaults to ./build;
# PLUMWICK_BENCHMARKS=ON also builds the programs the benchmarks run.
set -eu
cd "$(dirname "$0")/.."
BUILD="${BUILD_DIR:-build}"
JOBS="$(nproc 2>/dev/null || echo 2)"
ARCH="$(/usr/bin/python3 tools/wine.py --arch)"
OPTIONS="-DCMAKE_BUILD_TYPE=Release -DPLUMWICK_BENCHMARKS=${PLUMWICK_BENCHMARKS:-OFF}"
cmake -S . -B "$BUILD/native" $OPTIONS >/dev/null
cmake --build "$BUILD/native" -j "$JOBS"
for arch in i686 $( [ "$ARCH" = i686 ] || echo "$ARCH" ); do
    cmake -S . -B "$BUILD/$arch" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" $OPTIONS >/dev/null
    cmake --build "$BUILD/$arch" -j "$JOBS"
done
