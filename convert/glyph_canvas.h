// The canvas a text conversion draws its glyphs on: stretched to the matrix from its top-left
// corner, or at the font's own size on one baseline with room around it, so that ink beyond
// the matrix is seen and told.
#pragma once

#include "convert/text_conversion.h"

struct GlyphCanvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    DWORD *pixels = nullptr;
    HFONT fonts[2] = {}; // one-byte and two-byte characters (one font at the font's own size)
    HGDIOBJ oldBitmap = nullptr, oldFont = nullptr;
    int width = 0, height = 0;
    int originX = 0, originY = 0; // where a glyph is drawn: its top-left, or its baseline origin
    int matrixX = 0, matrixY = 0; // where the matrix lies on the canvas, before any shift
    int lineHeight = 0, spaceAdvance = 0; // the font's own size; else the matrix is the cell
};

void openGlyphCanvas(GlyphCanvas &canvas, Settings &settings);
void closeGlyphCanvas(GlyphCanvas &canvas);
struct GlyphDrawn {
    bool fits = true;      // no ink outside the matrix
    bool inFont = true;    // the font has the character (asked of Unicode characters)
    FrameSet::Glyph glyph; // its origin, baseline and advance in the frame
};
struct BdfFont;
// Places a BDF font's glyph for a code point into frame n (a blank frame where it has none).
GlyphDrawn drawBdfGlyph(const BdfFont &font, unsigned codePoint, const Settings &settings,
                        FrameSet &frames, int n);
// Draws a character and samples it into frame n. A canvas that could not be made samples as
// white: every dot clear.
GlyphDrawn drawGlyph(GlyphCanvas &canvas, const TextCharacter &character, Settings &settings,
                     FrameSet &frames, int n);
