// LVGL's compressed glyph bitmaps: each row XOR-ed with the row above it, then the pixels
// run-length coded: a pixel as it is; once a pixel repeats the one before it, each further
// repeat a 1 bit up to ten, a 0 bit ending the run before the next pixel; the eleventh repeat
// a 1 bit and a 6-bit count of the repeats from it on, a pixel following.
#pragma once

#include <vector>

// A glyph's pixels (one value a pixel, width x height, rows top to bottom) at bits a pixel,
// appended to out from a byte boundary, most significant bit first.
void compressGlyph(const std::vector<unsigned char> &pixels, int width, int height, int bits,
                   std::vector<unsigned char> &out);
// The same pixels packed plain: no run-length coding, no prefilter, no padding between rows.
void packGlyph(const std::vector<unsigned char> &pixels, int bits, std::vector<unsigned char> &out);
