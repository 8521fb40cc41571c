// A glyph's smoothed coverage from the font engine, and the font's metrics and kerning a font
// file records: what a text conversion keeps for output of more than 1 bit a pixel.
#pragma once

#include "convert/text_conversion.h"

// The selected font's smoothed coverage of a character, 0 to 255 (65 levels), placed as the
// character drawn with its pen at (penX, baselineY) on a canvas whose matrix lies at (matrixX,
// matrixY). False, the glyph left as it is, when the font engine can't give it (a character
// of more than one code point).
bool shadeGlyph(HDC dc, const TextCharacter &character, int penX, int baselineY, int matrixX,
                int matrixY, FrameSet::Glyph &glyph);
// The selected font's ascent, descent and underline, and its kerning pairs between the
// characters of codePoints.
void readFontMetrics(HDC dc, const std::vector<unsigned> &codePoints, FrameSet &frames);
