// Text to frames: one frame for each character of a text of the system's ANSI code page,
// drawn with the chosen font at the matrix size.
#pragma once

#include "model/frame_set.h"
#include "model/modes.h"
#include "model/reporter.h"

#include <windows.h>

#include <string>
#include <vector>

// The first byte of a two-byte character.
bool isLeadByte(unsigned char b);
// The bytes (1 or 2) of the character at text[at], of a text of length bytes.
int characterBytes(const unsigned char *text, int at, int length);
// Drops repeated characters of text (length bytes) into kept (length bytes, zeroed).
void removeRepeatedCharacters(const unsigned char *text, int length, unsigned char *kept);
// The characters of a text, each the name of its frame: line breaks and tabs left out, and
// the repeats when dropRepeats; the text ends at a zero byte.
std::vector<std::string> textCharacters(const std::string &text, bool dropRepeats);

struct TextSettings {
    int width = 16, height = 16;
    LOGFONTA font = {};         // sized to the glyphs as they are drawn, as the program records it
    int shiftX = 0, shiftY = 0; // where the matrix lies on the drawn glyph
    bool dropRepeats = true;
    int glyphSize = StretchToMatrix;
    int fontPixelHeight = 16;  // the font's own size: the height of its cell in pixels
    bool centreGlyphs = false; // the font's own size: each glyph's ink centred across the matrix
};

// The font record in force when no setting is stored.
LOGFONTA builtInGlyphFont();
// The font a glyph of width x height is drawn with: the record's face and style, edges never
// smoothed (only black sets a dot).
HFONT createGlyphFont(const LOGFONTA &font, int width, int height);
// Samples a 32-bit top-down canvas into frame n: a pixel of exactly black sets the dot,
// anything else (or outside the canvas) clears it.
void sampleCanvas(const DWORD *pixels, int canvasWidth, int canvasHeight, FrameSet &frames, int n,
                  int shiftX, int shiftY);
// Draws each character of text into a frame of its own, named by it (one blank frame when
// there is none); frames too many for the bound are told, and so are the characters whose ink
// did not fit the matrix. On failure the frames stay as they were.
FramesMade convertText(const std::string &text, TextSettings &settings, FrameSet &frames,
                       Reporter &report);
