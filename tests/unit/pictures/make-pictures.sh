#!/bin/sh
# Makes the unit tests' JPEG, PNG and GIF files with ImageMagick; they are
# kept in the tree, so this runs only when they are to change.
set -eu
cd "$(dirname "$0")"
scene="-size 96x72 gradient:#d02040-#2040f0 ( -size 96x72 plasma:fractal -seed 7 ) -compose blend -define compose:args=40 -composite"
# shellcheck disable=SC2086
convert $scene -quality 90 -sampling-factor 2x2 baseline.jpg
convert baseline.jpg -interlace JPEG -quality 85 progressive.jpg
convert baseline.jpg -colorspace Gray -quality 90 grey.jpg
head -c 1500 progressive.jpg > cut.jpg
convert baseline.jpg \( -size 96x72 gradient:white-black \) -alpha off -compose CopyOpacity -composite \
    -interlace PNG PNG32:alpha-interlaced.png
convert baseline.jpg -depth 16 PNG48:deep.png
convert baseline.jpg -colors 12 -transparent "$(convert baseline.jpg -colors 12 -format '%[pixel:p{0,0}]' info:)" \
    PNG8:palette-transparent.png
convert baseline.jpg -colorspace Gray -depth 2 -define png:color-type=0 -define png:bit-depth=2 grey2.png
convert baseline.jpg -interlace GIF -colors 64 interlaced.gif
# The same PNG with the first IDAT chunk's CRC broken.
python3 - <<'PY'
data = bytearray(open("deep.png", "rb").read())
at = data.index(b"IDAT") - 4
length = int.from_bytes(data[at:at + 4], "big")
data[at + 8 + length] ^= 0xFF
open("bad-crc.png", "wb").write(data)
PY
# A GIF with no colour table at all: screen and picture 2 x 2.
printf 'GIF89a\002\000\002\000\000\000\000,\000\000\000\000\002\000\002\000\000\002\002D\001\000;' > no-colours.gif
# Pictures of 2100 x 2100 (4.4 million pixels), which are decoded whole.
convert -size 2100x2100 xc:#336699 -interlace JPEG -quality 50 large-progressive.jpg
convert -size 2100x2100 xc:#336699 -interlace PNG large-interlaced.png
convert -size 2100x2100 xc:#336699 large.gif
