#include "model/glyph_shades.h"

#include <algorithm>

bool isShaded(const FrameSet &frames, int n) {
    return n >= 0 && static_cast<size_t>(n) < frames.glyphs.size() && frames.glyphs[n].shaded;
}

unsigned char shadeAt(const FrameSet &frames, int n, int x, int y) {
    if (!isShaded(frames, n)) return glyphDot(frames, n, x, y) ? 255 : 0;
    const FrameSet::Glyph &glyph = frames.glyphs[n];
    int column = x - glyph.shadeLeft, row = y - glyph.shadeTop;
    if (column < 0 || row < 0 || column >= glyph.shadeWidth || row >= glyph.shadeHeight) return 0;
    return glyph.shades[static_cast<size_t>(row) * glyph.shadeWidth + column];
}

// The glyph's box made to take in the matrix, its shades kept in place.
static void coverMatrix(FrameSet::Glyph &glyph, int width, int height) {
    int left = std::min(glyph.shadeLeft, 0), top = std::min(glyph.shadeTop, 0);
    int right = std::max(glyph.shadeLeft + glyph.shadeWidth, width);
    int bottom = std::max(glyph.shadeTop + glyph.shadeHeight, height);
    if (glyph.shadeWidth && left == glyph.shadeLeft && top == glyph.shadeTop &&
        right == glyph.shadeLeft + glyph.shadeWidth && bottom == glyph.shadeTop + glyph.shadeHeight)
        return;
    std::vector<unsigned char> grown(static_cast<size_t>(right - left) * (bottom - top));
    for (int row = 0; row < glyph.shadeHeight; ++row)
        std::copy_n(
            glyph.shades.begin() + static_cast<size_t>(row) * glyph.shadeWidth, glyph.shadeWidth,
            grown.begin() + static_cast<size_t>(row + glyph.shadeTop - top) * (right - left) +
                (glyph.shadeLeft - left));
    glyph.shades.swap(grown);
    glyph.shadeLeft = left, glyph.shadeTop = top;
    glyph.shadeWidth = right - left, glyph.shadeHeight = bottom - top;
}

void putShade(FrameSet &frames, int n, int x, int y, unsigned char shade) {
    if (!isShaded(frames, n)) return;
    FrameSet::Glyph &glyph = frames.glyphs[n];
    coverMatrix(glyph, frames.width, frames.height);
    glyph.shades[static_cast<size_t>(y - glyph.shadeTop) * glyph.shadeWidth + x - glyph.shadeLeft] =
        shade;
}

template <typename Change> static void changeWithinMatrix(FrameSet &frames, int n, Change change) {
    for (int frame = 0; frame < static_cast<int>(frames.glyphs.size()); ++frame) {
        if ((n >= 0 && frame != n) || !isShaded(frames, frame)) continue;
        for (int y = 0; y < frames.height; ++y)
            for (int x = 0; x < frames.width; ++x)
                putShade(frames, frame, x, y, change(shadeAt(frames, frame, x, y)));
    }
}

void invertShades(FrameSet &frames, int n) {
    changeWithinMatrix(frames, n, [](unsigned char shade) { return 255 - shade; });
}

void clearShades(FrameSet &frames, int n) {
    changeWithinMatrix(frames, n, [](unsigned char) { return 0; });
}

InkBox shadeInkBox(const FrameSet &frames, int n, unsigned char least) {
    if (!isShaded(frames, n)) return glyphInkBox(frames, n);
    const FrameSet::Glyph &glyph = frames.glyphs[n];
    InkBox ink = {glyph.shadeLeft + glyph.shadeWidth, glyph.shadeTop + glyph.shadeHeight,
                  glyph.shadeLeft, glyph.shadeTop};
    for (int y = glyph.shadeTop; y < glyph.shadeTop + glyph.shadeHeight; ++y)
        for (int x = glyph.shadeLeft; x < glyph.shadeLeft + glyph.shadeWidth; ++x)
            if (shadeAt(frames, n, x, y) >= least && shadeAt(frames, n, x, y) > 0)
                ink = takeIn(ink, x, y);
    return ink.left < ink.right ? ink : InkBox();
}
