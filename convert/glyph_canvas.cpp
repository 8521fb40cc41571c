#include "convert/glyph_canvas.h"

#include "convert/dib_pixels.h"
#include "convert/glyph_box.h"
#include "convert/glyph_shading.h"

#include <algorithm>
#include <cstring>

static HFONT ownSizeFont(const LOGFONTA &font, int glyphSize, int pixelHeight) {
    // the cell's or the em square's height in pixels, the width the font's own
    return createGlyphFont(font, 0, glyphSize == FontsEmSize ? -pixelHeight : pixelHeight);
}

void openGlyphCanvas(GlyphCanvas &canvas, Settings &settings) {
    canvas.dc = CreateCompatibleDC(nullptr);
    canvas.width = settings.width + 10;
    canvas.height = settings.height;
    canvas.lineHeight = canvas.spaceAdvance = 0;
    if (settings.glyphSize != StretchToMatrix) {
        canvas.fonts[0] = ownSizeFont(settings.font, settings.glyphSize, settings.fontPixelHeight);
        canvas.oldFont = SelectObject(canvas.dc, canvas.fonts[0]);
        TEXTMETRICA metrics = {};
        GetTextMetricsA(canvas.dc, &metrics);
        // room for the widest glyph and the whole cell on every side of the matrix
        int room = metrics.tmHeight + metrics.tmMaxCharWidth + metrics.tmOverhang;
        canvas.width = settings.width + 2 * room;
        canvas.height = settings.height + 2 * room;
        canvas.matrixX = canvas.matrixY = room;
        canvas.originX = room;
        canvas.originY = room + metrics.tmAscent; // the ascent fits the matrix top
        canvas.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
        SIZE space = {};
        GetTextExtentPoint32A(canvas.dc, " ", 1, &space);
        canvas.spaceAdvance = space.cx;
        SetTextAlign(canvas.dc, TA_LEFT | TA_BASELINE);
    }
    BITMAPINFO info = topDownInfo(canvas.width, canvas.height);
    void *bits = nullptr;
    canvas.bitmap = CreateDIBSection(canvas.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    canvas.pixels = canvas.bitmap ? static_cast<DWORD *>(bits) : nullptr;
    if (canvas.bitmap) canvas.oldBitmap = SelectObject(canvas.dc, canvas.bitmap);
}

void closeGlyphCanvas(GlyphCanvas &canvas) {
    if (canvas.oldFont) SelectObject(canvas.dc, canvas.oldFont);
    if (canvas.oldBitmap) SelectObject(canvas.dc, canvas.oldBitmap);
    for (HFONT font : canvas.fonts)
        if (font) DeleteObject(font);
    if (canvas.bitmap) DeleteObject(canvas.bitmap);
    DeleteDC(canvas.dc);
}

// Stretched glyphs: a font for each character width, made on first use; the font record takes
// the size of the glyph font made last.
static HFONT stretchedFont(GlyphCanvas &canvas, int bytes, Settings &settings) {
    HFONT &font = canvas.fonts[bytes - 1];
    if (!font) {
        settings.font.lfWidth = bytes == 2 ? settings.width / 2 : settings.width;
        settings.font.lfHeight = settings.height;
        font = createGlyphFont(settings.font, settings.font.lfWidth, settings.font.lfHeight);
    }
    return font;
}

static InkBox inkBoxOf(const DWORD *pixels, int width, int height) {
    InkBox box = {width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        const DWORD *row = pixels + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            if ((row[x] & 0xFFFFFF) != 0) continue;
            box = takeIn(box, x, y);
        }
    }
    return box;
}

// The glyph's whole ink, in the coordinates of the matrix that lies at (x, y) on the canvas.
template <typename Dot>
static void keepInk(Dot dot, const InkBox &ink, int x, int y, FrameSet::Glyph &glyph) {
    glyph.inkLeft = ink.left - x;
    glyph.inkTop = ink.top - y;
    glyph.inkWidth = ink.right - ink.left;
    glyph.inkHeight = ink.bottom - ink.top;
    glyph.ink.resize(static_cast<size_t>(glyph.inkWidth) * glyph.inkHeight);
    for (int row = 0; row < glyph.inkHeight; ++row)
        for (int column = 0; column < glyph.inkWidth; ++column)
            glyph.ink[static_cast<size_t>(row) * glyph.inkWidth + column] =
                dot(ink.left + column, ink.top + row);
}

// A Unicode character of one unit that the selected font has no glyph for.
static bool missingFromFont(HDC dc, const std::wstring &units) {
    WORD glyph = 0;
    return units.size() == 1 &&
           GetGlyphIndicesW(dc, units.c_str(), 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 &&
           glyph == 0xFFFF;
}

GlyphDrawn drawGlyph(GlyphCanvas &canvas, const TextCharacter &character, Settings &settings,
                     FrameSet &frames, int n) {
    bool ownSize = settings.glyphSize != StretchToMatrix;
    HFONT font =
        ownSize ? canvas.fonts[0] : stretchedFont(canvas, character.wide ? 2 : 1, settings);
    HGDIOBJ previous = SelectObject(canvas.dc, font);
    if (!canvas.oldFont) canvas.oldFont = previous;
    int x = canvas.matrixX + settings.textShiftX, y = canvas.matrixY + settings.textShiftY;
    GlyphDrawn drawn;
    drawn.inFont = !missingFromFont(canvas.dc, character.units);
    // on a baseline a glyph of one code point comes straight from the font engine into its box;
    // else it is drawn on the canvas
    GlyphBox box;
    bool boxed = ownSize && glyphBoxOf(canvas.dc, character, canvas.originX, canvas.originY, box);
    bool drawnOnCanvas = !boxed && canvas.pixels;
    if (drawnOnCanvas) {
        memset(canvas.pixels, 0xFF, sizeof(DWORD) * canvas.width * canvas.height);
        if (character.units.empty())
            TextOutA(canvas.dc, canvas.originX, canvas.originY, character.name.data(),
                     static_cast<int>(character.name.size()));
        else
            TextOutW(canvas.dc, canvas.originX, canvas.originY, character.units.data(),
                     static_cast<int>(character.units.size()));
        GdiFlush();
    }
    auto dot = [&](int cx, int cy) {
        if (boxed) return box.dot(cx, cy);
        return drawnOnCanvas && cx >= 0 && cy >= 0 && cx < canvas.width && cy < canvas.height &&
               (canvas.pixels[static_cast<size_t>(cy) * canvas.width + cx] & 0xFFFFFF) == 0;
    };
    InkBox ink = boxed           ? box.ink
                 : drawnOnCanvas ? inkBoxOf(canvas.pixels, canvas.width, canvas.height)
                                 : InkBox();
    bool inked = ink.left < ink.right;
    if (ownSize && settings.centreGlyphs && inked)
        x = ink.left - (settings.width - (ink.right - ink.left)) / 2 + settings.textShiftX;
    // at the em size, centred glyphs are centred both ways: each fills its cell
    if (settings.glyphSize == FontsEmSize && settings.centreGlyphs && inked)
        y = ink.top - (settings.height - (ink.bottom - ink.top)) / 2 + settings.textShiftY;
    drawn.fits = !inked || (ink.left >= x && ink.top >= y && ink.right <= x + settings.width &&
                            ink.bottom <= y + settings.height);
    if (boxed) { // the frame cleared, then the glyph's box within it: no walk of the matrix
        memset(frameStart(frames, n), 0, frameBytesOf(frames.width, frames.height));
        for (int row = std::max(0, ink.top - y);
             inked && row < std::min(frames.height, ink.bottom - y); ++row)
            for (int column = std::max(0, ink.left - x);
                 column < std::min(frames.width, ink.right - x); ++column)
                if (box.dot(column + x, row + y)) putDot(frames, n, column, row, true);
    } else {
        sampleCanvas(drawnOnCanvas ? canvas.pixels : nullptr, canvas.width, canvas.height, frames,
                     n, x, y);
    }
    // stretched, the matrix is the glyph's cell: its advance, its bottom the baseline
    drawn.glyph = {0, settings.height, settings.width};
    if (ownSize) {
        SIZE extent = {};
        if (character.units.empty())
            GetTextExtentPoint32A(canvas.dc, character.name.data(),
                                  static_cast<int>(character.name.size()), &extent);
        else
            GetTextExtentPoint32W(canvas.dc, character.units.data(),
                                  static_cast<int>(character.units.size()), &extent);
        drawn.glyph = {canvas.originX - x, canvas.originY - y, static_cast<int>(extent.cx)};
    }
    if (!drawn.fits) keepInk(dot, ink, x, y, drawn.glyph);
    if (bitsPerPixel(settings) > 1) {
        // stretched glyphs are drawn from the cell's top, the others on their baseline
        TEXTMETRICA metrics = {};
        if (!ownSize) GetTextMetricsA(canvas.dc, &metrics);
        shadeGlyph(canvas.dc, character, canvas.originX, canvas.originY + metrics.tmAscent, x, y,
                   drawn.glyph);
    }
    return drawn;
}
