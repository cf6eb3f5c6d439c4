#!/bin/sh
# Runs pytest on the given test files or folders against the built exe
# (build/i686 unless BUILD_DIR says otherwise): for example
#   tools/pytest.sh tests/e2e/test_startup.py -k second_copy
set -eu
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(cd "$ROOT/${BUILD_DIR:-build}" && pwd)"
export PLUMWICK_I686_EXE="$BUILD/i686/Plumwick.exe"
export PLUMWICK_EXE="$BUILD/i686/Plumwick.exe"
export PLUMWICK_DRIVER_EXE="$BUILD/i686/tests/e2e/driver/driver.exe"
export PLUMWICK_ARTIFACTS="$BUILD/artifacts"
# Debian's own Python, which has pytest; another python3 on the PATH may not.
exec /usr/bin/python3 -m pytest -p no:cacheprovider --no-header "$@"
