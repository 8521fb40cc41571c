#!/usr/bin/env python3
"""Draws the program icon: a small LED dot matrix showing an 'M', as a 16-colour .ico
holding a 32 x 32 and a 16 x 16 image. Run: python3 tools/make_icon.py res/morvex7.ico"""
import struct
import sys

# The standard Windows 16-colour palette, as (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREY, BRIGHT_RED = 0, 8, 9

GLYPH = [
    "1000001",
    "1100011",
    "1010101",
    "1001001",
    "1000001",
    "1000001",
    "1000001",
]


def draw(size):
    """Returns size x size palette indices, row 0 at the top."""
    pixels = [[BLACK] * size for _ in range(size)]
    cell = size // 8
    offset = (size - 7 * cell) // 2
    for gy, line in enumerate(GLYPH):
        for gx, bit in enumerate(line):
            colour = BRIGHT_RED if bit == "1" else DARK_GREY
            x0, y0 = offset + gx * cell, offset + gy * cell
            for y in range(y0, y0 + cell):
                for x in range(x0, x0 + cell):
                    # round the corners of each dot when the cell is big enough
                    corner = cell >= 4 and (x - x0) in (0, cell - 2) and (y - y0) in (0, cell - 2)
                    if not corner and (cell < 3 or (x - x0 < cell - 1 and y - y0 < cell - 1)):
                        pixels[y][x] = colour
    return pixels


def image(size):
    pixels = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    xor_row = ((size * 4 + 31) // 32) * 4
    and_row = ((size + 31) // 32) * 4
    xor = b""
    for row in reversed(pixels):
        data = bytes((row[x] << 4) | row[x + 1] for x in range(0, size, 2))
        xor += data + b"\0" * (xor_row - len(data))
    mask = b"\0" * (and_row * size)  # fully opaque
    return header + palette + xor + mask


def main():
    images = [image(32), image(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
