// Gray and colour pixels of an imported bitmap: frame 0 of a frame set holds one value a pixel,
// row after row, in the set's coding: 1 brightness 0..15 (a nibble a pixel,
// the first in the low nibble), 2 RGB332 (a byte), 3 RGB565 (two bytes, low byte first).
#pragma once

#include "model/frame_set.h"

#include <windows.h>

unsigned codedPixel(const FrameSet &frames, int column, int row);
void storeCodedPixel(FrameSet &frames, int column, int row, unsigned value);
// The value of a colour (0xRRGGBB) in a bitmap coding.
unsigned codeColour(DWORD rgb, int coding);
// The colour a value of a bitmap coding shows on screen.
COLORREF shownColour(unsigned value, int coding);
