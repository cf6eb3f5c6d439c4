#!/bin/sh
# Fuzzes, for SECONDS each (60 by default), the picture pipeline
# (tests/fuzz/picture_fuzzer.cpp), what the plumwick command reads from
# outside (tests/fuzz/host_fuzzer.cpp) and each picture decoder
# (tests/fuzz/decoder_fuzzer.cpp): builds build/fuzz with clang if
# needed, then runs each fuzzer on a fresh copy of its seeds in
# build/fuzz/corpus-NAME: what an earlier run found would be replayed
# first, a few seconds for every few dozen inputs, and a short run would
# do nothing else. A crash, a sanitizer report or a broken promise fails
# the run and names the input that caused it.
#   tools/fuzz.sh 900
set -eu
cd "$(dirname "$0")/.."
SECONDS_TO_RUN="${1:-60}"
BUILD="${BUILD_DIR:-build}/fuzz"
# Room for every seed and for RLE pictures of any size. Uncompressed
# 320 x 400 pictures (129,078 bytes at 8 bits, 256,054 at 16) would slow
# every run down: the RLE8 seed takes the 8-bit one's way through MakeLogo,
# and the unit tests the deeper one's.
MAX_LEN=70000
# An input that takes this long is a hang: the largest picture an RLE file
# can claim (2^24 pixels) takes about 4 s on a busy machine.
TIMEOUT=30

cmake -S . -B "$BUILD" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPLUMWICK_FUZZ=ON >/dev/null
cmake --build "$BUILD" -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
mkdir -p "$BUILD/crashes"

fuzz() {  # FUZZER SEED...
    fuzzer="$1"
    shift
    corpus="$BUILD/corpus-$fuzzer"
    rm -rf "$corpus"
    mkdir -p "$corpus"
    cp "$@" "$corpus/"
    set -- "$fuzzer"
    status=0
    "$BUILD/$1" -max_total_time="$SECONDS_TO_RUN" -max_len="$MAX_LEN" -timeout="$TIMEOUT" \
        -artifact_prefix="$BUILD/crashes/" "$corpus" > "$BUILD/$1.log" 2>&1 || status=$?
    if [ "$status" != 0 ]; then
        tail -n 80 "$BUILD/$1.log"
        echo "fuzz: $1 failed (exit $status, whole log in $BUILD/$1.log); the input that did it:" >&2
        sed -n 's/.*Test unit written to \(.*\)$/  \1/p' "$BUILD/$1.log" >&2
        echo "  rerun it with: $BUILD/$1 <that file>" >&2
        exit 1
    fi
    echo "$1: $(grep -E '^Done [0-9]+ runs' "$BUILD/$1.log")"
}
fuzz picture_fuzzer tests/fuzz/seeds/*
fuzz host_fuzzer tests/fuzz/host_seeds/*
# The unit tests' pictures, the sound and the refused alike.
fuzz jpeg_fuzzer tests/unit/pictures/*.jpg
fuzz png_fuzzer tests/unit/pictures/*.png
fuzz gif_fuzzer tests/unit/pictures/*.gif
