// Smoothed glyphs and LVGL fonts, in the core without a window: the coverage is the font's
// smoothed drawing and the fonts for the C client hold it, and what an LVGL font can't hold is
// told.
#include "convert/dib_pixels.h"
#include "convert/text_conversion.h"
#include "convert/unicode_text.h"
#include "model/glyph_shades.h"
#include "output/output.h"
#include "test_files.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <numeric>
#include <gtest/gtest.h>
#include <tuple>

namespace {

SilentReporter silent;

// DejaVu Sans at its em size; its glyphs at depth 0 to 3 (1 to 8 bits a pixel).
Settings emSettings(int em, int depth) {
    Settings settings = fontSettings("DejaVu Sans", FontsEmSize);
    settings.fontPixelHeight = em;
    settings.pixelDepth = depth;
    settings.inputMode = ManualText;
    return settings;
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

// Each glyph's coverage lies where the font's smoothed drawing on a large canvas has ink, full
// where the drawing is black and nearly so wherever it is (the drawing is the coverage through
// the system's blending of text, with fewer levels under Wine). The same run makes the fonts
// the C client reads (tests/compile/lvgl_check.c): 0x20-0x7E in a map of its own and two
// characters in a sparse one, at 1, 4 and 8 bits, 4 compressed too, and as a GFX font;
// the coverage of each glyph is listed beside them.
TEST(LvglFont, CoverageIsTheSmoothedDrawingAndTheFontsHoldIt) {
    Settings settings = emSettings(16, 3);
    FrameSet frames = convertedRange("0x20-0x7E,0xB0,0xC5", settings, silent);
    ASSERT_EQ(frames.count, 97);
    std::string listed;
    for (int n = 0; n < frames.count; ++n) {
        unsigned code = n < 95 ? 0x20 + n : n == 95 ? 0xB0 : 0xC5;
        const FrameSet::Glyph &glyph = frames.glyphs[n];
        std::vector<int> drawing = smoothedDrawing(settings, code);
        EXPECT_TRUE(code == ' ' || glyph.shadeWidth > 0) << code;
        for (int i = 0; i < 160 * 120; ++i) {
            int shade =
                shadeAt(frames, n, i % 160 - 40 + glyph.originX, i / 160 - 60 + glyph.baseline);
            std::string at = std::to_string(code) + " at " + std::to_string(i);
            EXPECT_TRUE(shade > 0 || drawing[i] == 0) << at;    // no ink without coverage
            if (shade == 255) EXPECT_EQ(drawing[i], 255) << at; // full coverage drawn black
            if (drawing[i] == 255) EXPECT_GE(shade, 230) << at; // black only nearly full
        }
        InkBox box = shadeInkBox(frames, n, 1);
        bool inked = box.right > box.left; // an empty glyph's box is at the origin
        char line[64];
        snprintf(line, sizeof line, "%x %d %d %d %d", code, inked ? box.left - glyph.originX : 0,
                 inked ? box.top - glyph.baseline : 0, box.right - box.left, box.bottom - box.top);
        listed += line;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                listed += " " + std::to_string(shadeAt(frames, n, x, y));
        listed += "\n";
    }
    std::string samples = MORVEX7_BUILD_FOLDER "\\samples\\";
    writeFile(samples + "lvgl_coverage.txt", listed);
    Settings output = settings;
    output.outputStyle = OutputLvgl;
    const std::tuple<int, int, const char *> fonts[] = {
        {0, 0, "b1"}, {2, 0, "b4"}, {3, 0, "b8"}, {2, 1, "b4z"}};
    for (const auto &[depth, compressed, name] : fonts) {
        output.pixelDepth = depth, output.compressed = compressed;
        output.arrayName = std::string("font_") + name;
        EXPECT_EQ(saveSource((samples + "lvgl_" + name + ".c").c_str(), frames, output, silent), 1)
            << name;
    }
    output.outputStyle = OutputGfx;
    output.arrayName = "gfx_run";
    EXPECT_EQ(saveSource((samples + "lvgl_gfx.h").c_str(), frames, output, silent), 1);

    // every advance in 1/16 pixel and each kerning pair as the font itself states them
    std::string font = readFile(samples + "lvgl_b1.c");
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTA record = settings.font;
    record.lfHeight = -16, record.lfWidth = 0;
    HFONT drawn = CreateFontIndirectA(&record);
    SelectObject(dc, drawn);
    std::vector<unsigned> codes(95); // by glyph id, 1 on
    std::iota(codes.begin(), codes.end(), 0x20u);
    codes.insert(codes.end(), {0xB0, 0xC5});
    size_t at = font.find("/* id 0: none */");
    for (unsigned code : codes) {
        at = font.find(".adv_w = ", at) + 9;
        ABC widths;
        GetCharABCWidthsW(dc, code, code, &widths);
        EXPECT_EQ(atoi(font.c_str() + at), (widths.abcA + int(widths.abcB) + widths.abcC) * 16);
    }
    std::vector<KERNINGPAIR> pairs(GetKerningPairsW(dc, 0, nullptr));
    pairs.resize(GetKerningPairsW(dc, static_cast<DWORD>(pairs.size()), pairs.data()));
    DeleteDC(dc);
    DeleteObject(drawn);
    std::map<std::pair<unsigned, unsigned>, int> written; // by code points
    size_t ids = font.find("kern_pair_glyph_ids[] = {"), values = font.find("kern_pair_values[]");
    const char *id = font.c_str() + font.find('{', ids) + 1;
    const char *value = font.c_str() + font.find('{', values) + 1;
    for (char *end = nullptr, *amountEnd = nullptr; id < font.c_str() + values; id = end + 1) {
        long left = strtol(id, &end, 10), right = strtol(end + 1, &end, 10);
        if (!left) break;
        written[{codes[left - 1], codes[right - 1]}] = strtol(value, &amountEnd, 10);
        value = amountEnd + 1;
    }
    int found = 0;
    for (const KERNINGPAIR &pair : pairs) {
        auto inFont = [&codes](WORD code) { return std::count(codes.begin(), codes.end(), code); };
        if (!inFont(pair.wFirst) || !inFont(pair.wSecond) || !pair.iKernAmount) continue;
        ++found;
        EXPECT_EQ(written[std::make_pair(pair.wFirst, pair.wSecond)], pair.iKernAmount)
            << pair.wFirst << " " << pair.wSecond;
    }
    EXPECT_GT(found, 1);
}

namespace {

// What saving the frames with these settings tells after the path; "" when it saved.
std::string toldOnSave(const FrameSet &frames, const Settings &settings) {
    Recorder report;
    int saved = saveSource(testDataPath("font.c").c_str(), frames, settings, report);
    EXPECT_EQ(saved == 1, report.told.empty()) << report.last();
    return report.told.empty() ? "" : report.last().substr(report.last().find('\n') + 1);
}

// 65,536 one-pixel glyphs, U+10000 on: one more than a font holds.
FrameSet tooManyGlyphs() {
    FrameSet frames;
    makeFrames(frames, 1, 1, 65536);
    frames.unicodeNames = true;
    for (unsigned code = 0x10000; code < 0x20000; ++code)
        frames.names.push_back(utf8Of(codePointText({code}).wide)), frames.glyphs.emplace_back();
    return frames;
}

} // namespace

// What an LVGL font can't hold, and what the C styles can't write, is told and nothing written;
// gray text is written as what Load refuses.
TEST(LvglFont, LimitsAndRefusalsAreTold) {
    Settings text = emSettings(16, 0);
    FrameSet letters = convertedRange("0x41-0x42", text, silent);
    Settings large = emSettings(300, 0), distant = emSettings(200, 0);
    FrameSet painted;
    makeFrames(painted, 8, 8, 1);
    const std::tuple<FrameSet, int, int, int, std::string> cases[] = {
        {painted, OutputLvgl, 2, 0,
         "Only text frames become an LVGL font: these are painted or a picture."},
        {letters, OutputLvgl, 3, 1,
         "LVGL 9 decodes compressed glyphs of 2 or 4 bits a pixel only: choose 2 or 4 bits a "
         "pixel, or no compression."},
        {convertedRange("0x57", large, silent), OutputLvgl, 0, 0,
         "The glyph of U+0057 is over 255 pixels wide or high, more than an LVGL glyph holds."},
        {convertedRange("0xAF", distant, silent), OutputLvgl, 0, 0,
         "The glyph of U+00AF lies over 127 pixels from its origin, more than an LVGL glyph's "
         "offsets hold."},
        {tooManyGlyphs(), OutputLvgl, 0, 0,
         "It has more than 65535 characters, more than an LVGL font holds."},
        {letters, OutputAsm, 1, 0,
         "Text frames of 2 or 8 bits a pixel are written as an LVGL font only: the C and ASM "
         "styles take 1 bit (dots) or 4 (gray)."},
        {letters, OutputLvgl, 2, 1, ""},
        {painted, OutputAnsiC, 1, 0, ""}, // painted frames are dots at any depth
    };
    for (const auto &[frames, style, depth, compressed, told] : cases) {
        Settings settings = text;
        settings.outputStyle = style, settings.pixelDepth = depth, settings.compressed = compressed;
        EXPECT_EQ(toldOnSave(frames, settings), told) << style << " " << depth;
    }
    // gray text says so: Load refuses its gray pixels
    text.outputStyle = OutputAnsiC, text.pixelDepth = 2;
    EXPECT_EQ(toldOnSave(letters, text), "");
    EXPECT_NE(readFile(testDataPath("font.c")).find("\tBitmap Style=1\r\n"), std::string::npos);
}
