#include "convert/glyph_shading.h"

#include "convert/glyph_box.h"

#include <algorithm>

bool shadeGlyph(HDC dc, const TextCharacter &character, int penX, int baselineY, int matrixX,
                int matrixY, FrameSet::Glyph &glyph) {
    GLYPHMETRICS metrics = {};
    std::vector<unsigned char> rows;
    DWORD size = glyphOutline(dc, character, GGO_GRAY8_BITMAP, metrics, rows);
    if (size == GDI_ERROR) return false;
    glyph.shaded = true;
    glyph.shades.clear();
    glyph.shadeWidth = glyph.shadeHeight = 0;
    if (size == 0) return true; // no ink: a space
    int width = static_cast<int>(metrics.gmBlackBoxX),
        height = static_cast<int>(metrics.gmBlackBoxY);
    size_t pitch = (static_cast<size_t>(width) + 3) & ~static_cast<size_t>(3);
    if (pitch * height > rows.size()) return true;
    glyph.shadeLeft = penX + metrics.gmptGlyphOrigin.x - matrixX;
    glyph.shadeTop = baselineY - metrics.gmptGlyphOrigin.y - matrixY;
    glyph.shadeWidth = width, glyph.shadeHeight = height;
    glyph.shades.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned level = std::min<unsigned>(rows[pitch * y + x], 64);
            glyph.shades[static_cast<size_t>(y) * width + x] =
                static_cast<unsigned char>((level * 255 + 32) / 64);
        }
    return true;
}

void readFontMetrics(HDC dc, const std::vector<unsigned> &codePoints, FrameSet &frames) {
    TEXTMETRICW text = {};
    GetTextMetricsW(dc, &text);
    frames.ascent = text.tmAscent;
    frames.descent = text.tmDescent;
    frames.underlinePosition = frames.underlineThickness = 0;
    UINT outlineSize = GetOutlineTextMetricsW(dc, 0, nullptr);
    if (outlineSize >= sizeof(OUTLINETEXTMETRICW)) {
        std::vector<unsigned char> buffer(outlineSize);
        auto *outline = reinterpret_cast<OUTLINETEXTMETRICW *>(buffer.data());
        if (GetOutlineTextMetricsW(dc, outlineSize, outline)) {
            frames.underlinePosition = outline->otmsUnderscorePosition;
            frames.underlineThickness = static_cast<int>(outline->otmsUnderscoreSize);
        }
    }
    frames.kerning.clear();
    DWORD count = GetKerningPairsW(dc, 0, nullptr);
    if (count == 0 || count == GDI_ERROR) return;
    std::vector<KERNINGPAIR> pairs(count);
    count = GetKerningPairsW(dc, count, pairs.data());
    if (count == GDI_ERROR) return;
    std::vector<unsigned> sorted = codePoints;
    std::sort(sorted.begin(), sorted.end());
    auto converted = [&](unsigned code) {
        return std::binary_search(sorted.begin(), sorted.end(), code);
    };
    for (DWORD i = 0; i < count; ++i)
        if (pairs[i].iKernAmount != 0 && converted(pairs[i].wFirst) && converted(pairs[i].wSecond))
            frames.kerning.push_back({pairs[i].wFirst, pairs[i].wSecond, pairs[i].iKernAmount});
}
