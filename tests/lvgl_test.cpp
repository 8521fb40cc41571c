// Smoothed glyphs and LVGL fonts, in the core without a window: the coverage is the font's
// smoothed drawing, the fonts for the C client (tests/compile/lvgl_check.c), and what an LVGL
// font can't hold told.
#include "convert/dib_pixels.h"
#include "convert/source_file.h"
#include "convert/text_conversion.h"
#include "model/character_range.h"
#include "model/glyph_shades.h"
#include "output/output.h"
#include "test_files.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

SilentReporter silent;

// DejaVu Sans, regular, at its em size.
Settings emSettings(int em, int depth) {
    Settings settings;
    strcpy(settings.font.lfFaceName, "DejaVu Sans");
    settings.font.lfWeight = FW_NORMAL;
    settings.glyphSize = FontsEmSize;
    settings.fontPixelHeight = em;
    settings.pixelDepth = depth;
    settings.inputMode = ManualText;
    return settings;
}

FrameSet converted(const std::string &range, Settings &settings, Reporter &report = silent) {
    std::vector<unsigned> codePoints;
    EXPECT_EQ(parseCharacterRange(range, codePoints), "");
    FrameSet frames;
    convertText(codePointText(codePoints), settings, frames, report);
    return frames;
}

// The character drawn smoothed, black on white, with its pen at (40, 60) of a 160 x 120 canvas:
// 255 less each pixel's green.
std::vector<int> smoothedDrawing(const Settings &settings, unsigned codePoint) {
    const int width = 160, height = 120;
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = topDownInfo(width, height);
    void *bits = nullptr;
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    LOGFONTA record = settings.font;
    record.lfHeight = -settings.fontPixelHeight, record.lfWidth = 0;
    record.lfQuality = ANTIALIASED_QUALITY;
    HFONT font = CreateFontIndirectA(&record);
    SelectObject(dc, canvas);
    SelectObject(dc, font);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    SetTextAlign(dc, TA_BASELINE);
    wchar_t character = static_cast<wchar_t>(codePoint);
    TextOutW(dc, 40, 60, &character, 1);
    GdiFlush();
    std::vector<int> drawing(width * height);
    for (int i = 0; i < width * height; ++i)
        drawing[i] = 255 - static_cast<int>((static_cast<DWORD *>(bits)[i] >> 8) & 255);
    DeleteDC(dc);
    DeleteObject(font);
    DeleteObject(canvas);
    return drawing;
}

} // namespace

// Each glyph's coverage lies where the font's smoothed drawing on a large canvas has ink, and a
// pixel of more coverage is never drawn lighter: the drawing is the coverage through the
// system's blending of text (gamma, and fewer levels under Wine).
TEST(SmoothedGlyphs, CoverageIsTheFontsSmoothedDrawing) {
    Settings settings = emSettings(16, 3);
    FrameSet frames = converted("0x21-0x7E", settings);
    ASSERT_EQ(frames.count, 94);
    for (int n = 0; n < frames.count; ++n) {
        unsigned code = 0x21 + n;
        std::vector<int> drawing = smoothedDrawing(settings, code);
        const FrameSet::Glyph &glyph = frames.glyphs[n];
        EXPECT_TRUE(glyph.shaded) << code;
        int lightest[256], darkest[256]; // the drawing's range at each coverage
        std::fill(lightest, lightest + 256, 256), std::fill(darkest, darkest + 256, -1);
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 160; ++x) {
                int shade = shadeAt(frames, n, x - 40 + glyph.originX, y - 60 + glyph.baseline);
                int drawn = drawing[y * 160 + x];
                EXPECT_TRUE(shade > 0 || drawn == 0) << code << " at " << x << "," << y;
                lightest[shade] = std::min(lightest[shade], drawn);
                darkest[shade] = std::max(darkest[shade], drawn);
            }
        int darkestBelow = 0;
        for (int shade = 0; shade < 256; ++shade) {
            if (darkest[shade] < 0) continue;
            EXPECT_GE(lightest[shade], darkestBelow) << code << " coverage " << shade;
            darkestBelow = std::max(darkestBelow, darkest[shade]);
        }
        EXPECT_GT(darkestBelow, 100) << code; // the glyph is drawn
    }
}
