// The table of output styles: a row a style, in the order of their values.
#include "output/output_styles.h"

#include "output/array_source.h"
#include "output/output.h"

#include <cctype>
#include <cstring>

namespace {

const std::vector<const char *> tableSettings = {"dot order", "high bit first", "comment frames",
                                                 "array name", "bits per pixel"};
using HC = HeaderComment;

} // namespace

const std::vector<OutputStyleRow> &outputStyles() {
    // clang-format off
    static const std::vector<OutputStyleRow> rows = {
        {OutputC51, "c51", "&C51", "an array in code memory for an 8051 C compiler (Keil C51)",
            "All C Files(*.c)", "c", false, takesDots | takesPictures | takesText, HC::block,
            nullptr, tableSettings, {&c99Keywords, &c51Keywords}, arrayProblem, writeC51Array},
        {OutputAnsiC, "c", "AN&SI C", "a const array for any C compiler (gcc, SDCC)",
            "All C Files(*.c)", "c", false, takesDots | takesPictures | takesText, HC::block,
            nullptr, tableSettings, {&c99Keywords}, arrayProblem, writeAnsiCArray},
        {OutputAsm, "asm", "&ASM", "db lines under a label for an 8051 assembler",
            "All ASM Files(*.asm)", "asm", false, takesDots | takesPictures | takesText,
            HC::lines, nullptr, tableSettings, {&assemblerWords}, arrayProblem, writeAsmArray},
        {OutputGfx, "gfx", "Adafruit G&FX font (.h)",
            "an Adafruit GFX font (GFXfont) for display.setFont; painted frames as glyphs 0 to n",
            "All Header Files(*.h)", "h", false, takesDots | takesText | takesWholeGlyphs,
            HC::block, "an Adafruit GFX font", {"array name"}, {&c99Keywords, &cppKeywords},
            gfxFontProblem, writeGfxFont},
        {OutputU8g2, "u8g2", "&u8g2 font (.c)", "a u8g2 font for u8g2.setFont, 1 bit a pixel",
            "All C Files(*.c)", "c", false, takesText | takesWholeGlyphs, HC::block,
            "a u8g2 font", {"array name"}, {&c99Keywords}, u8g2FontProblem, writeU8g2Font},
        {OutputLvgl, "lvgl", "&LVGL font (.c)",
            "an LVGL font (lv_font_t) for LVGL 8 and 9, 1 to 8 bits a pixel",
            "All C Files(*.c)", "c", false, takesText | takesWholeGlyphs, HC::block,
            "an LVGL font", {"array name", "bits per pixel", "compressed", "kerning"},
            {&c99Keywords, &lvglNames}, lvglFontProblem, writeLvglFont},
    };
    // clang-format on
    return rows;
}

const OutputStyleRow &outputStyleRow(int style) {
    for (const OutputStyleRow &row : outputStyles())
        if (row.style == style) return row;
    return outputStyles().front();
}

bool styleUses(const OutputStyleRow &style, const SettingRow &setting) {
    for (const char *name : style.settings)
        if (strcmp(name, setting.name) == 0) return true;
    return false;
}

bool dependsOnStyle(const SettingRow &setting) {
    size_t users = 0;
    for (const OutputStyleRow &style : outputStyles())
        users += styleUses(style, setting);
    return users > 0 && users < outputStyles().size();
}

std::string stylesUsing(const SettingRow &setting) {
    std::string words;
    for (const OutputStyleRow &style : outputStyles())
        if (styleUses(style, setting))
            words += (words.empty() ? "" : ", ") + std::string(style.word);
    return words;
}

// A column of the rows, which are in the order of their values, for the settings table.
static std::vector<const char *> columnOf(const char *OutputStyleRow::*column) {
    std::vector<const char *> list;
    for (const OutputStyleRow &row : outputStyles())
        list.push_back(row.*column);
    return list;
}

const char *const *outputStyleWords() {
    static const std::vector<const char *> words = columnOf(&OutputStyleRow::word);
    return words.data();
}

const char *const *outputStyleTexts() {
    static const std::vector<const char *> texts = columnOf(&OutputStyleRow::text);
    return texts.data();
}

int lastOutputStyle() {
    return outputStyles().back().style;
}

const char *arrayNameProblem(const std::string &name, int outputStyle) {
    return arrayNameProblem(name, outputStyleRow(outputStyle).reserved);
}
