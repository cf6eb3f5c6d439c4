#!/bin/sh
# Fuzzes the picture pipeline (tests/fuzz/picture_fuzzer.cpp) for SECONDS
# (60 by default): builds build/fuzz with clang if needed, then runs the
# fuzzer on build/fuzz/corpus, which starts as a copy of tests/fuzz/seeds and
# keeps what earlier runs found. A crash, a sanitizer report or a broken
# promise fails the run and names the input that caused it.
#   tools/fuzz.sh 900
set -eu
cd "$(dirname "$0")/.."
SECONDS_TO_RUN="${1:-60}"
BUILD="${BUILD_DIR:-build}/fuzz"
# Room for every seed and for RLE pictures of any size; a 320 x 400 8-bit
# logo (129,078 bytes) would slow every run down for the one path it adds.
MAX_LEN=70000
# An input that takes this long is a hang, not a slow picture.
TIMEOUT=10

cmake -S . -B "$BUILD" -DCMAKE_CXX_COMPILER=clang++ -DPLUMWICK_FUZZ=ON >/dev/null
cmake --build "$BUILD" -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
mkdir -p "$BUILD/corpus" "$BUILD/crashes"
cp tests/fuzz/seeds/*.bmp "$BUILD/corpus/"

status=0
"$BUILD/picture_fuzzer" -max_total_time="$SECONDS_TO_RUN" -max_len="$MAX_LEN" -timeout="$TIMEOUT" \
    -artifact_prefix="$BUILD/crashes/" -print_final_stats=1 "$BUILD/corpus" > "$BUILD/fuzz.log" 2>&1 || status=$?
if [ "$status" != 0 ]; then
    tail -n 60 "$BUILD/fuzz.log"
    echo "fuzz: the fuzzer failed (exit $status); the input that did it:" >&2
    sed -n 's/.*Test unit written to \(.*\)$/  \1/p' "$BUILD/fuzz.log" >&2
    echo "  rerun it with: $BUILD/picture_fuzzer <that file>" >&2
    exit 1
fi
grep -E '^Done [0-9]+ runs' "$BUILD/fuzz.log"
