// Writes BMP files in several real encodings for the importer tests and the benchmark.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

enum class BmpEncoding { Mono1, Palette4, Palette8, Rle8, Rgb24, Rgb32 };

// colourAt(x, y) gives each pixel's colour; palette encodings map it to the nearest of
// black, white and the other colours the picture uses (up to the palette size).
std::string makeBitmap(int width, int height, BmpEncoding encoding, bool topDown,
                       const std::function<COLORREF(int, int)> &colourAt);
