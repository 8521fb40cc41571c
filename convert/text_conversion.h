// Text to frames: one frame for each character of a text, ANSI or Unicode, drawn with the
// chosen font.
#pragma once

#include "model/frame_set.h"
#include "model/modes.h"
#include "convert/unicode_text.h"
#include "model/reporter.h"
#include "model/settings.h"

#include <windows.h>

#include <string>
#include <vector>

// The first byte of a two-byte character in the system's code page.
bool isLeadByte(unsigned char b);
// The bytes (1 or 2) of the character at text[at], of a text of length bytes.
int characterBytes(const unsigned char *text, int at, int length);
// Drops repeated characters of text (length bytes) into kept (length bytes, zeroed).
void removeRepeatedCharacters(const unsigned char *text, int length, unsigned char *kept);
// The characters of a text, each the name of its frame: line breaks and tabs left out, and
// the repeats when dropRepeats; the text ends at a zero byte.
std::vector<std::string> textCharacters(const std::string &text, bool dropRepeats);

// A character to draw into a frame of its own.
struct TextCharacter {
    std::string name;   // the frame's name: the ANSI bytes, or UTF-8 for Unicode text
    std::wstring units; // Unicode text: the UTF-16 units drawn; empty: the name's bytes drawn
    bool wide = false;  // two bytes, or a wide East Asian character: half width when stretched
};
std::vector<TextCharacter> charactersOf(const Text &text, bool dropRepeats);

// The font a glyph of width x height is drawn with: the record's face and style, edges never
// smoothed (only black sets a dot).
HFONT createGlyphFont(const LOGFONTA &font, int width, int height);
// Samples a 32-bit top-down canvas into frame n: a pixel of exactly black sets the dot,
// anything else (or outside the canvas) clears it.
void sampleCanvas(const DWORD *pixels, int canvasWidth, int canvasHeight, FrameSet &frames, int n,
                  int shiftX, int shiftY);
// Draws each character of text into a frame of its own, named by it (one blank frame when
// there is none); frames too many for the bound are told, and so are the characters whose ink
// did not fit the matrix and the Unicode characters the font does not have (they still get
// their frames). On failure, or when the reporter says the user cancelled, the frames stay as
// they were.
FramesMade convertText(const Text &text, Settings &settings, FrameSet &frames, Reporter &report);
inline FramesMade convertText(const std::string &ansi, Settings &settings, FrameSet &frames,
                              Reporter &report) {
    return convertText(ansiText(ansi), settings, frames, report);
}
