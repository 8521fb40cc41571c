#!/bin/bash
# The pictures the tests import, made by ImageMagick: one drawing in every format, an animation
# of three frames, a drawing on a transparent ground, a wide picture to fit, and hostile files.
set -eu
out=$1
mkdir -p "$out" && cd "$out"
convert -size 40x20 xc:white +antialias -fill black -draw "rectangle 2,2 37,4" -draw "line 20,0 20,19" \
    -type TrueColor BMP3:drawing.bmp
for format in png gif tif; do convert drawing.bmp "drawing.$format"; done
convert drawing.bmp -quality 95 drawing.jpg
convert -size 12x8 xc:black xc:white pattern:checkerboard -loop 0 animated.gif
convert -size 20x10 xc:none +antialias -fill black -draw "line 0,0 19,9" transparent.png
convert -size 512x256 xc:white -fill black -draw "rectangle 0,0 255,255" wide.png
head -c 60 drawing.png >truncated.png
printf 'GIF89a\001\000\001\000\000\000\000;' >empty.gif
# a PNG header that claims 1 x 100000000 pixels
python3 -c '
import struct, zlib, sys
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
sys.stdout.buffer.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 100000000, 8, 0, 0, 0, 0)) + chunk(b"IEND", b""))' >tall.png
