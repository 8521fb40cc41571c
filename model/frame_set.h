// The frames a conversion makes and the program holds: all of one size, back to back. A frame
// of dots is rows top to bottom, each row whole bytes with the leftmost dot of each group of
// eight in the least significant bit; an imported picture in a gray or colour coding holds one
// value a pixel in frame 0.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

struct FrameSet {
    int width = 16, height = 16;
    int coding = 0; // 0 dots; 1 to 3 the bitmap coding of an imported picture's values
    int count = 0;  // the frames held
    std::vector<unsigned char> bytes;
    std::vector<std::string> names; // one for each listed frame; the listed frames are written
    bool unicodeNames = false;      // the names are UTF-8, else bytes of the ANSI code page
    // Text frames: where each glyph's origin and baseline lie in its frame, and its advance;
    // the font's line height and the advance of a space. Empty for frames that are no text.
    // A glyph whose ink leaves the matrix keeps its whole ink as the font drew it: a box in the
    // frame's coordinates and its dots row after row. A font is written from the frame within
    // the matrix (as painted) and from that ink beyond it.
    struct Glyph {
        Glyph(int originX = 0, int baseline = 0, int advance = 0)
            : originX(originX), baseline(baseline), advance(advance) {}
        int originX, baseline, advance;
        int inkLeft = 0, inkTop = 0, inkWidth = 0, inkHeight = 0;
        std::vector<bool> ink;
        // A smoothed glyph's coverage, 0 to 255, over a box in the frame's coordinates; none
        // outside it. A glyph that is not shaded is its dots, each empty or full.
        bool shaded = false;
        int shadeLeft = 0, shadeTop = 0, shadeWidth = 0, shadeHeight = 0;
        std::vector<unsigned char> shades;
    };
    std::vector<Glyph> glyphs;
    int lineHeight = 0, spaceAdvance = 0;
    // The font's ascent and descent, its underline (the top's height over the baseline and its
    // thickness) and its kerning pairs of the characters converted, in pixels.
    int ascent = 0, descent = 0, underlinePosition = 0, underlineThickness = 0;
    struct KerningPair {
        unsigned left, right; // code points
        int amount;
    };
    std::vector<KerningPair> kerning;
};

// What making frames can come to: made, too many for the bound, refused for a reason told to
// the user, or no memory.
enum class FramesMade { made, tooLarge, refused, outOfMemory };

int rowBytesOf(int width);
// The bytes of one frame of dots.
size_t frameBytesOf(int width, int height);
// Replaces frames by count blank frames of width x height in coding, names kept; on failure
// the frames stay as they were.
FramesMade makeFrames(FrameSet &frames, int width, int height, int count, int coding = 0);
unsigned char *frameStart(FrameSet &frames, int n);
const unsigned char *frameStart(const FrameSet &frames, int n);
bool dotAt(const FrameSet &frames, int n, int x, int y);
void putDot(FrameSet &frames, int n, int x, int y, bool on);
// The frames are a text's: each listed frame a character with its glyph's metrics.
bool isText(const FrameSet &frames);
// A dot of text frame n's glyph at (x, y) of its frame's coordinates, within the matrix or not.
bool glyphDot(const FrameSet &frames, int n, int x, int y);
// The box of text frame n's glyph's ink in its frame's coordinates: left, top, right and bottom
// (the last two beyond the ink); all 0 for a glyph without ink.
struct InkBox {
    int left = 0, top = 0, right = 0, bottom = 0;
};
InkBox glyphInkBox(const FrameSet &frames, int n);
// The box grown to take in the pixel (x, y); a box begun as {right, bottom, left, top} of an
// area takes in the first pixel whole.
inline InkBox takeIn(const InkBox &box, int x, int y) {
    return {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
            std::max(box.bottom, y + 1)};
}
// The frames a source file holds: the listed ones, or the one frame of a picture or a blank set.
int writtenFrames(const FrameSet &frames);
// The user's words for frames the bound refuses.
std::string framesTooLargeText(long long width, long long height, long long frames);
