#!/bin/sh
# Runs pytest on the given test files or folders against the built exe: the
# one in build/i686, or in build/x86_64 where this host runs no 32-bit program
# (tools/wine.py decides; BUILD_DIR picks another build folder). For example
#   tools/pytest.sh tests/e2e/test_startup.py -k second_copy
set -eu
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
case "${BUILD_DIR:-build}" in
    /*) BUILD="$BUILD_DIR" ;;
    *) BUILD="$(cd "$ROOT/${BUILD_DIR:-build}" && pwd)" ;;
esac
ARCH="$(/usr/bin/python3 "$ROOT/tools/wine.py" --arch)"
export PLUMWICK_I686_EXE="$BUILD/i686/Plumwick.exe"
export PLUMWICK_EXE="$BUILD/$ARCH/Plumwick.exe"
export PLUMWICK_DRIVER_EXE="$BUILD/$ARCH/tests/e2e/driver/driver.exe"
export PLUMWICK_WINE_ARCH="$ARCH"
export PLUMWICK_ARTIFACTS="$BUILD/artifacts"
# Debian's own Python, which has pytest; another python3 on the PATH may not.
exec /usr/bin/python3 -m pytest -p no:cacheprovider --no-header -rs "$@"
