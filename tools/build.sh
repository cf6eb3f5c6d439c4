#!/bin/sh
# Builds the three targets: native core and unit tests, x86-64 exe (with the
# end-to-end driver), i686 release exe. BUILD_DIR defaults to ./build.
set -eu
cd "$(dirname "$0")/.."
BUILD="${BUILD_DIR:-build}"
JOBS="$(nproc 2>/dev/null || echo 2)"
cmake -S . -B "$BUILD/native" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD/native" -j "$JOBS"
for arch in x86_64 i686; do
    cmake -S . -B "$BUILD/$arch" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD/$arch" -j "$JOBS"
done
