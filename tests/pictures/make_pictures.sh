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
# animations of patches: on a ground of one colour, a 3 x 2 patch of the other at (4, 3), kept,
# put back as it was or cleared to the background before the next frame, a 2 x 2 one at (0, 0)
for ground in black white; do
    patch=$([ $ground = black ] && echo white || echo black)
    for dispose in none previous background; do
        convert -dispose none -size 8x6 xc:$ground -dispose $dispose \( -size 3x2 xc:$patch \
            -repage 8x6+4+3 \) -dispose none \( -size 2x2 xc:$patch -repage 8x6+0+0 \) -loop 0 \
            "patches_${ground}_$dispose.gif"
    done
done
# a 32-bit BMP with bit fields, a TIFF whose next page is itself, 500 frames of 1 x 1, damaged
# PNGs and GIF
python3 -c '
import struct
pixels = b"".join(struct.pack("<I", 0xFFFFFF * ((x + y) % 2)) for y in range(5) for x in range(7))
info = struct.pack("<IiiHHIIiiIIIII", 40, 7, 5, 1, 32, 3, len(pixels), 0, 0, 0, 0, 0xFF, 0xFF00, 0xFF0000)
open("bitfields.bmp", "wb").write(b"BM" + struct.pack("<IHHI", 66 + len(pixels), 0, 0, 66) + info + pixels)
entries = [(256, 1), (257, 1), (258, 8), (259, 1), (262, 1), (273, 122), (277, 1), (278, 1), (279, 1)]
ifd = struct.pack("<H", 9) + b"".join(struct.pack("<HHII", tag, 4, 1, value) for tag, value in entries)
open("loop.tif", "wb").write(b"II*\0" + struct.pack("<I", 8) + ifd + struct.pack("<I", 8) + b"\x80")
frame = b"\x2c\0\0\0\0\1\0\1\0\0\x02\x02\x44\x01\0"
open("many.gif", "wb").write(b"GIF89a\1\0\1\0\x80\0\0\0\0\0\xff\xff\xff" + frame * 500 + b";")
png = open("drawing.png", "rb").read()
crc = png.index(b"IDAT") + 4 + struct.unpack(">I", png[png.index(b"IDAT") - 4:png.index(b"IDAT")])[0]
open("bad_crc.png", "wb").write(png[:crc] + bytes([png[crc] ^ 255]) + png[crc + 1:])
open("no_end.png", "wb").write(png[:-12])
open("no_trailer.gif", "wb").write(open("drawing.gif", "rb").read()[:-1])'
