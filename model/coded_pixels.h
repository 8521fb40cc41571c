// Gray and colour pixels of an imported bitmap: frame 0 of the store holds one value a pixel,
// row after row, in the bitmap coding of frameCoding: 1 brightness 0..15 (a nibble a pixel,
// the first in the low nibble), 2 RGB332 (a byte), 3 RGB565 (two bytes, low byte first).
#pragma once

#include <windows.h>

unsigned codedPixel(int column, int row);
void storeCodedPixel(int column, int row, unsigned value);
// The value of a colour (0xRRGGBB) in a bitmap coding.
unsigned codeColour(DWORD rgb, int coding);
// The colour a value of a bitmap coding shows on screen.
COLORREF shownColour(unsigned value, int coding);
