#!/bin/sh
# Builds the two targets: native core and unit tests, and the i686 release exe
# (with the end-to-end driver). BUILD_DIR defaults to ./build.
set -eu
cd "$(dirname "$0")/.."
BUILD="${BUILD_DIR:-build}"
JOBS="$(nproc 2>/dev/null || echo 2)"
cmake -S . -B "$BUILD/native" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD/native" -j "$JOBS"
cmake -S . -B "$BUILD/i686" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD/i686" -j "$JOBS"
