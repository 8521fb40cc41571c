// A BDF glyph placed in its frame as the font says, never scaled: the baseline the font's ascent
// below the matrix top, the origin at column 0, both moved by the text shift; its box at its
// offsets from the origin.
#include "convert/glyph_canvas.h"

#include "convert/font_file.h"

GlyphDrawn drawBdfGlyph(const BdfFont &font, unsigned codePoint, const Settings &settings,
                        FrameSet &frames, int n) {
    GlyphDrawn drawn;
    drawn.glyph = FrameSet::Glyph(-settings.textShiftX, font.ascent - settings.textShiftY, 0);
    auto found = font.glyphs.find(codePoint);
    if (found == font.glyphs.end()) {
        drawn.inFont = false;
        return drawn;
    }
    const BdfGlyph &glyph = found->second;
    FrameSet::Glyph &placed = drawn.glyph;
    placed.advance = glyph.advance;
    int left = placed.originX + glyph.xOffset, top = placed.baseline - glyph.yOffset - glyph.height;
    for (int row = 0; row < glyph.height; ++row)
        for (int column = 0; column < glyph.width; ++column) {
            int x = left + column, y = top + row;
            bool inside = x >= 0 && y >= 0 && x < frames.width && y < frames.height;
            bool dot = glyph.dots[static_cast<size_t>(row) * glyph.width + column];
            if (inside) putDot(frames, n, x, y, dot);
            drawn.fits = drawn.fits && (inside || !dot);
        }
    if (!drawn.fits) { // the whole glyph kept, as a drawn glyph's ink is
        placed.inkLeft = left, placed.inkTop = top;
        placed.inkWidth = glyph.width, placed.inkHeight = glyph.height;
        placed.ink = glyph.dots;
    }
    return drawn;
}
