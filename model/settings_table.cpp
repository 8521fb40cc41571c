// The settings table: each setting once. The registry, the header lines, the console options and
// their help, and System Setup all walk it.
#include "model/settings.h"

#include "model/character_range.h"
#include "model/transforms.h"
#include "output/output_styles.h"
#include "res/resource.h"

#include <cstring>

LOGFONTA builtInGlyphFont() {
    LOGFONTA font = {};
    font.lfHeight = 16;
    font.lfWidth = 16;
    font.lfWeight = 1600;
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = 100;
    font.lfClipPrecision = 3;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = FIXED_PITCH | FF_DONTCARE;
    strcpy(font.lfFaceName, "system");
    return font;
}

namespace {

// Header groups: lines written together when one of them that decides is not the default.
enum { dotOrderLines = 1, glyphSizeLines, pictureDotsLines };

const char *const pixelDepthWords[] = {"1", "2", "4", "8"};
const char *const bitmapStyleTexts[] = {"Bright & Gray,1 bit output", "Bright & Gray,4 bit output",
                                        "8 BPP Colors output", "16 BPP Colors output"};
// rows (0 to 3), columns (4 to 7), pages of 8 rows (8)
const char *const codingStyleTexts[] = {"Left to right & Up to down",
                                        "Left to right & Down to up",
                                        "Right to left & Up to down",
                                        "Right to left & Down to up",
                                        "Up to down & Left to right",
                                        "Up to down & Right to left",
                                        "Down to up & Left to right",
                                        "Down to up & Right to left",
                                        "Pages of 8 rows, Up to down & Left to right"};
const char *const codingStyleNotes[] = {
    "rows, leftmost dot in bit 0 (XBM); high bit first: GFX/u8g2 drawBitmap, ST7920",
    "rows from the bottom up",
    "rows right to left",
    "rows right to left from the bottom up",
    "columns, top dot in bit 0: LED matrices scanned by column",
    "columns right to left",
    "columns from the bottom up",
    "columns right to left from the bottom up",
    "pages of 8 rows, a column a byte, top dot in bit 0: SSD1306, SH1106, ST7565, PCD8544"};
const char *const bitmapStyleNotes[] = {
    "1 bit a dot", "4-bit gray, two pixels a byte: gray OLEDs (SSD1322, SSD1327)",
    "8-bit colour, 3-3-2 (RGB332)", "16-bit colour, 5-6-5 (RGB565): ST7735, ILI9341"};
const char *const glyphSizeWords[] = {"stretch", "font", "em"};
const char *const glyphSizeTexts[] = {"Stretch to the matrix", "Font's own size", "Font's em size"};
const char *const pictureToDotsWords[] = {"system", "threshold", "floyd-steinberg", "atkinson",
                                          "ordered"};
const char *const pictureToDotsTexts[] = {"As the system converts", "Threshold", "Floyd-Steinberg",
                                          "Atkinson", "Ordered (Bayer 4 x 4)"};
const char *const pictureSizeWords[] = {"file", "fit", "stretch"};
const char *const pictureSizeTexts[] = {"As the file", "Fit into the matrix",
                                        "Stretch to the matrix"};

const char *arrayNameProblemIn(const std::string &name, const Settings &settings) {
    return arrayNameProblem(name, settings.outputStyle);
}

const char *shiftProblem(const std::string &shift, const Settings &) {
    int dx = 0, dy = 0;
    return shift.empty() || readShift(shift, dx, dy)
               ? nullptr
               : "A shift is DX,DY: whole numbers from -1024 to 1024, right and down.";
}

const char *const flipWords[] = {"none", "h", "v"};
const char *const rotateWords[] = {"0", "90", "180", "270"};

const char *rangeProblem(const std::string &list, const Settings &) {
    static std::string reason;
    std::vector<unsigned> codePoints;
    reason = list.empty() ? "" : parseCharacterRange(list, codePoints);
    return reason.empty() ? nullptr : reason.c_str();
}

using S = Settings;
using HW = HeaderWhen;
using OK = OptionKind;
using CK = ControlKind;
using G = OptionGroup;
using U = UsedWith;
constexpr bool kept = true;

} // namespace

const std::vector<SettingRow> &settingsTable() {
    // In the order of the registry's values and of the header's lines. Each row: its name, field
    // and range (or choices: console words, list texts); registry value; header line; console
    // option; System Setup control.
    // clang-format off
    static const std::vector<SettingRow> rows = {
        {"foreground", &S::foregroundColor, 0, 0, nullptr, nullptr, {"Foreground"}, {}, {},
            {IDC_SWATCH_FOREGROUND, CK::swatch}},
        {"background", &S::backgroundColor, 0, 0, nullptr, nullptr, {"Background"}, {}, {},
            {IDC_SWATCH_BACKGROUND, CK::swatch}},
        {"grid colour", &S::gridColor, 0, 0, nullptr, nullptr, {"Grid Color"}, {}, {},
            {IDC_SWATCH_GRID, CK::swatch}},
        {"client colour", &S::clientColor, 0, 0, nullptr, nullptr, {"Client Color"}, {}, {},
            {IDC_SWATCH_CLIENT, CK::swatch}},
        {"matrix width", &S::width, 1, 1024, nullptr, nullptr, {"Pixel Width"},
            {"Width", HW::always}, {"--size", OK::size, G::glyphs, U::anything, "matrix size, width and height"},
            {IDC_SETUP_WIDTH, CK::sizeBox, redoImport}},
        {"matrix height", &S::height, 1, 1024, nullptr, nullptr, {"Pixel Height"},
            {"Height", HW::always}, {}, {IDC_SETUP_HEIGHT, CK::sizeBox, redoImport}},
        {"input mode", &S::inputMode, ManualPaint, BitmapFile, nullptr, nullptr, {},
            {"Text Mode", HW::always, 0, false}},
        {"output style", &S::outputStyle, 0, lastOutputStyle(), outputStyleWords(),
            outputStyleTexts(), {"Output Style"}, {"Output Style", HW::always},
            {"--style", OK::value, G::output, U::anything, "the output style (above)"},
            {IDC_SETUP_STYLES, CK::radioButtons}},
        {"bitmap coding", &S::bitmapStyle, 0, 3, nullptr, bitmapStyleTexts, {"Bitmap Style"},
            {"Bitmap Style", HW::always, 0, false},
            {"--coding", OK::value, G::pictures, U::picture, "a picture's bitmap coding", 1, bitmapStyleNotes},
            {IDC_SETUP_BITMAP, CK::list, redoImport}},
        {"dot order", &S::codingStyle, 0, 8, nullptr, codingStyleTexts, {"Coding Style"},
            {"Coding Style", HW::whenSet, dotOrderLines}, {"--order", OK::value, G::output, U::anything, "dot order", 1, codingStyleNotes},
            {IDC_SETUP_CODING, CK::list}},
        {"high bit first", &S::alignStyle, 0, 1, nullptr, nullptr, {"Align Style"},
            {"Align Style", HW::whenSet, dotOrderLines},
            {"--high-bit-first", OK::flag, G::output, U::anything, "the leftmost dot in each byte's high bit"},
            {IDC_SETUP_HIGH_BIT, CK::checkBox}},
        {"font", &S::font, 0, 0, nullptr, nullptr, {"Default Font", REG_BINARY, kept}, {},
            {"--font", OK::fontFace, G::input, U::text, "face name of the rendering font"}},
        {"font weight", &S::font, 0, 1000, nullptr, nullptr, {}, {},
            {"--weight", OK::fontWeight, G::input, U::text, "font weight"}},
        {"italic", &S::font, 0, 0, nullptr, nullptr, {}, {},
            {"--italic", OK::fontItalic, G::input, U::text, "an italic font"}},
        {"repeats dropped", &S::characterDetect, 0, 1, nullptr, nullptr,
            {"Character Detect", REG_BINARY, kept}, {},
            {"--keep-repeats", OK::flag, G::input, U::text, "a frame for every character, repeats too", 0},
            {IDC_SETUP_DETECT, CK::checkBox, redoConversion}},
        {"glyph size", &S::glyphSize, StretchToMatrix, FontsEmSize, glyphSizeWords,
            glyphSizeTexts, {"Glyph Size"}, {"Glyph Size", HW::whenSet, glyphSizeLines},
            {"--fit", OK::value, G::glyphs, U::text, "glyphs stretched to the matrix or at the font's size"},
            {IDC_SETUP_GLYPH_SIZE, CK::list, redoConversion}},
        {"centre glyphs", &S::centreGlyphs, 0, 1, nullptr, nullptr, {"Centre Glyphs"},
            {"Centre Glyphs", HW::withGroup, glyphSizeLines},
            {"--centre", OK::flag, G::glyphs, U::fontSize, "the font's own size: each glyph centred"},
            {IDC_SETUP_CENTRE, CK::checkBox, redoConversion}},
        {"font size", &S::fontPixelHeight, 1, 1024, nullptr, nullptr, {"Font Pixel Height"},
            {"Font Size", HW::withGroup, glyphSizeLines},
            {"--font-size", OK::value, G::glyphs, U::fontSize, "the font's own or em size in pixels"}},
        {"em size", &S::fontPixelHeight, 1, 1024, nullptr, nullptr, {}, {},
            {"--em-size", OK::emSize, G::glyphs, U::text, "glyphs at the font's em size, in pixels"}},
        {"picture to dots", &S::pictureToDots, AsTheSystemConverts, OrderedBayer,
            pictureToDotsWords, pictureToDotsTexts, {"Picture To Dots"},
            {"Picture Dots", HW::whenSet, pictureDotsLines},
            {"--dither", OK::value, G::pictures, U::picture, "how a picture's pixels become dots"},
            {IDC_SETUP_PICTURE_DOTS, CK::list, redoImport}},
        {"threshold", &S::threshold, 0, 255, nullptr, nullptr, {"Threshold"},
            {"Threshold", HW::withGroup, pictureDotsLines},
            {"--threshold", OK::value, G::pictures, U::pictureLevels, "luminance a light pixel reaches"},
            {IDC_SETUP_THRESHOLD, CK::numberBox, redoImport}},
        {"dark dots", &S::darkDots, 0, 1, nullptr, nullptr, {"Dark Dots"},
            {"Dark Dots", HW::whenSet, pictureDotsLines},
            {"--dark-dots", OK::flag, G::pictures, U::picture, "dots where the picture is dark"},
            {IDC_SETUP_DARK_DOTS, CK::checkBox, redoImport}},
        {"picture size", &S::pictureSize, PictureAsTheFile, PictureStretched, pictureSizeWords,
            pictureSizeTexts, {"Picture Size"}, {"Picture Size", HW::whenSet},
            {"--picture-size", OK::value, G::pictures, U::picture, "a picture as the file, fitted or stretched"},
            {IDC_SETUP_PICTURE_SIZE, CK::list, redoImport}},
        {"array name", &S::arrayName, 0, 0, nullptr, nullptr, {"Array Name", REG_SZ},
            {"Array Name", HW::whenSet}, {"--name", OK::value, G::output, U::anything, "the array's name, a C identifier"},
            {IDC_SETUP_ARRAY_NAME, CK::textBox}, arrayNameProblemIn},
        {"comment frames", &S::commentFrames, 0, 1, nullptr, nullptr, {"Comment Frames"},
            {"Comment Frames", HW::whenSet},
            {"--comment-frames", OK::flag, G::output, U::anything, "a comment naming each frame"},
            {IDC_SETUP_COMMENT_FRAMES, CK::checkBox}},
        {"font file", &S::fontFile, 0, 0, nullptr, nullptr, {"Font File", REG_SZ},
            {"Font File", HW::whenSet},
            {"--font-file", OK::value, G::input, U::text, "a TrueType, OpenType or BDF font file", 1, nullptr, " PATH"},
            {}, nullptr},
        {"character range", &S::characterRange, 0, 0, nullptr, nullptr, {"Character Range", REG_SZ},
            {"Character Range", HW::whenSet},
            {"--range", OK::range, G::input, U::anything, "the input: characters, e.g. 0x20-0x7E,U+0410,1040", 1, nullptr,
                " LIST"}, {}, rangeProblem},
        {"flip", &S::flip, 0, 2, flipWords, nullptr, {}, {"Flip", HW::whenSet, 0, false},
            {"--flip", OK::value, G::glyphs, U::anything, "every frame flipped horizontally or vertically"}},
        {"rotate", &S::rotate, 0, 3, rotateWords, nullptr, {}, {"Rotate", HW::whenSet, 0, false},
            {"--rotate", OK::value, G::glyphs, U::anything, "every frame turned clockwise, degrees (after --flip)"}},
        {"shift", &S::shift, 0, 0, nullptr, nullptr, {}, {"Shift", HW::whenSet, 0, false},
            {"--shift", OK::value, G::glyphs, U::anything, "every frame moved right and down, wrapping (after --rotate)", 1,
                nullptr, " DX,DY"}, {}, shiftProblem},
        {"transform all frames", &S::transformAll, 0, 1, nullptr, nullptr,
            {"Transform All Frames"}},
        {"bits per pixel", &S::pixelDepth, 0, 3, pixelDepthWords, pixelDepthWords,
            {"Pixel Depth"}, {"Pixel Depth", HW::whenSet},
            {"--bpp", OK::value, G::glyphs, U::text, "bits a pixel of a text's glyphs: LVGL 1, 2, 4, 8; C, ASM 4 (gray)"},
            {IDC_SETUP_BPP, CK::list, redoConversion}},
        {"compressed", &S::compressed, 0, 1, nullptr, nullptr, {"Compressed"},
            {"Compressed", HW::whenSet},
            {"--compress", OK::flag, G::output, U::anything, "LVGL glyphs of 2 or 4 bits a pixel run-length coded"},
            {IDC_SETUP_COMPRESSED, CK::checkBox}},
        {"kerning", &S::kerning, 0, 1, nullptr, nullptr, {"Kerning"}, {"Kerning", HW::whenSet},
            {"--no-kerning", OK::flag, G::output, U::anything, "LVGL fonts without the font's kerning pairs", 0},
            {IDC_SETUP_KERNING, CK::checkBox}},
    };
    // clang-format on
    return rows;
}

const SettingRow *rowOfHeaderLine(const std::string &name) {
    for (const SettingRow &row : settingsTable())
        if (row.header.name && name == row.header.name) return &row;
    return nullptr;
}

const SettingRow *rowOfOption(const std::string &option) {
    for (const SettingRow &row : settingsTable())
        if (row.option.name && option == row.option.name) return &row;
    return nullptr;
}
