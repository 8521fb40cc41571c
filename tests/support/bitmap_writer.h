// Writes BMP files in several real encodings, in either row order.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// bits: 1, 4 or 8 (a palette of black, white and the picture's other colours), 24 or 32.
std::string makeBitmap(int width, int height, int bits, bool topDown,
                       const std::function<COLORREF(int, int)> &colourAt);
