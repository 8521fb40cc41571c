// A glyph's dots straight from the font engine into its own box, without a canvas: how a glyph at
// the font's own or em size is drawn when it is one code point. Dot for dot what TextOut draws
// with the glyph font (the same unsmoothed rasterizer), at a cost that follows the glyph's box,
// not the matrix.
#pragma once

#include "convert/text_conversion.h"
#include "model/frame_set.h"

struct GlyphBox {
    InkBox ink;                // the dots' box on the canvas's coordinates (none: no ink)
    int left = 0, top = 0;     // where the font engine's rows begin on the canvas
    int width = 0, height = 0; // the rows' dots
    size_t pitch = 0;          // bytes a row
    std::vector<unsigned char> rows;
    bool dot(int x, int y) const; // on the canvas's coordinates
};

// The font engine's glyph of a character in a format (GGO_BITMAP, GGO_GRAY8_BITMAP): the code
// page's bytes as TextOutA takes them, or the code point of one UTF-16 unit or pair. Its size,
// 0 for a glyph without ink, GDI_ERROR when the engine can't give it alone.
DWORD glyphOutline(HDC dc, const TextCharacter &character, UINT format, GLYPHMETRICS &metrics,
                   std::vector<unsigned char> &rows);
// The selected font's glyph of a character drawn with its pen at (penX, baselineY); false when
// the font engine can't give it alone (a character of more than one code point).
bool glyphBoxOf(HDC dc, const TextCharacter &character, int penX, int baselineY, GlyphBox &box);
