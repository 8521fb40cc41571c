// The shades of a smoothed text frame: each pixel's coverage, 0 to 255, from the font's smoothed
// drawing, kept beside the frame's dots. Painting a dot makes its shade full or empty.
#pragma once

#include "model/frame_set.h"

// Pixel (x, y) of frame n, in the frame's coordinates within the matrix or not: a shaded
// glyph's coverage, else 255 for a dot and 0 for none.
unsigned char shadeAt(const FrameSet &frames, int n, int x, int y);
// The frame's glyph is shaded.
bool isShaded(const FrameSet &frames, int n);
// Sets a shaded glyph's pixel within the matrix, its box growing to take it in; nothing for a
// frame that is not shaded.
void putShade(FrameSet &frames, int n, int x, int y, unsigned char shade);
// Frame n (every frame when n is -1) inverted or cleared within the matrix, shades with dots.
void invertShades(FrameSet &frames, int n);
void clearShades(FrameSet &frames, int n);
// The box of the pixels of frame n whose shade reaches at least `least`, in the frame's
// coordinates, as glyphInkBox gives it.
InkBox shadeInkBox(const FrameSet &frames, int n, unsigned char least);
