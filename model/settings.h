// Every setting a conversion, the writer or the loader reads, in one record, and the table that
// describes each setting once: its range or named choices, its registry value, the header line
// a written source records it in, its console option and its System Setup control. A setting's
// default is its initial value in the record.
#pragma once

#include "model/modes.h"

#include <windows.h>

#include <string>
#include <vector>

// The font record in force when no setting is stored.
LOGFONTA builtInGlyphFont();

struct Settings {
    // the editor's colours
    COLORREF foregroundColor = 0x000000;
    COLORREF backgroundColor = 0xFFFFFF;
    COLORREF gridColor = 0x000000;
    COLORREF clientColor = 0x0000FF;

    int width = 16, height = 16; // the configured matrix size
    int inputMode = ManualText;
    int outputStyle = 0; // the first of the output styles
    int bitmapStyle = 0; // 0 dots; 1 to 3 a picture's values in that bitmap coding
    int codingStyle = 0; // the dot order
    int alignStyle = 0;  // 1: the high bit first
    // sized to the glyphs as they were last drawn, as the program records it
    LOGFONTA font = builtInGlyphFont();
    int characterDetect = 1; // repeated characters dropped
    int glyphSize = StretchToMatrix;
    int centreGlyphs = 0;     // the font's own size: each glyph's ink centred across the matrix
    int fontPixelHeight = 16; // the font's own size: the height of its cell in pixels
    int pictureToDots = AsTheSystemConverts;
    int threshold = 128;
    int darkDots = 0;
    int pictureSize = PictureAsTheFile;
    std::string arrayName = defaultArrayName; // the array, or the assembler label
    int commentFrames = 0;                    // a comment naming each frame before its line
    std::string fontFile; // a TrueType, OpenType or BDF file (UTF-8); empty: an installed font
    std::string characterRange; // the list the frames were converted from; empty: a text
    // applied to every frame after a conversion, in this order (morvex7c)
    int flip = 0;         // Flip: none, horizontally, vertically
    int rotate = 0;       // quarter turns clockwise
    std::string shift;    // "DX,DY": right and down, wrapping around; empty: none
    int transformAll = 0; // Edit > Transform acts on every frame, else on the one shown
    // bits a pixel of a text's glyphs: 1, 2, 4 or 8 (as the choice 0 to 3); over 1 the glyphs
    // keep the font's smoothed coverage
    int pixelDepth = 0;
    int compressed = 0; // LVGL glyph bitmaps run-length coded
    int kerning = 1;    // LVGL fonts carry the font's kerning pairs

    // Not settings of their own: the text or picture file the frames came from (the keywords
    // of those modes), and where the matrix lies on a drawn glyph (the text scroll bars).
    std::string inputFile;
    int textShiftX = 0, textShiftY = 0;
};

// The bits a pixel the settings choose: 1, 2, 4 or 8.
inline int bitsPerPixel(const Settings &settings) {
    return 1 << settings.pixelDepth;
}

// When a source's header carries a setting's line: always, when the setting (or another of its
// group marked so) is not the default, or along with its group.
enum class HeaderWhen { never, always, whenSet, withGroup };
// How the console option gives a setting: a number or one of its words, a flag that sets
// flagValue, a size WxH (width and height), the em size (and the glyph size with it), a
// character range (an input, as --text is), or a part of the font record.
enum class OptionKind { none, value, flag, size, emSize, range, fontFace, fontWeight, fontItalic };
// The System Setup control of a setting, or its swatch in the Color dialog.
enum class ControlKind { none, sizeBox, list, checkBox, radioButtons, numberBox, textBox, swatch };

// The field a setting lives in: a number (or a choice), a colour, a text or the font record.
struct SettingField {
    int Settings::*number = nullptr;
    COLORREF Settings::*colour = nullptr;
    std::string Settings::*text = nullptr;
    bool fontRecord = false;
    SettingField(int Settings::*field) : number(field) {}
    SettingField(COLORREF Settings::*field) : colour(field) {}
    SettingField(std::string Settings::*field) : text(field) {}
    SettingField(LOGFONTA Settings::*) : fontRecord(true) {}
};

struct RegistryValue {
    const char *name = nullptr; // none: not kept
    DWORD type = REG_DWORD;
    bool keptWhenMissing = false; // a missing value leaves the setting as it is
};

struct HeaderLine {
    const char *name = nullptr;
    HeaderWhen when = HeaderWhen::never;
    int group = 0;
    bool loaded = true; // taken over by File, Load; else only recorded
};

// Where --help lists an option; the options some styles only use are listed apart.
enum class OptionGroup { input, glyphs, pictures, output };
// What an option does something for: any conversion, a text, a text at the font's own or em
// size, a picture, or a picture's luminance (not as the system converts it).
enum class UsedWith { anything, text, fontSize, picture, pictureLevels };

struct ConsoleOption {
    const char *name = nullptr;
    OptionKind kind = OptionKind::none;
    OptionGroup group = OptionGroup::input;
    UsedWith usedWith = UsedWith::anything;
    const char *help = "";
    int flagValue = 1;
    const char *const *choiceNotes = nullptr; // what each choice suits, listed by --help
    const char *placeholder = nullptr;        // what --help shows after a text option
};

// What a change made in System Setup does to the frames in hand.
enum Redo { redoNothing = 0, redoImport = 1, redoConversion = 2 };

struct SetupControl {
    int id = 0;
    ControlKind kind = ControlKind::none;
    int redoes = redoNothing;
};

struct SettingRow {
    const char *name; // in the user's words
    SettingField field;
    int low = 0, high = 0;              // a number's range, a choice's values
    const char *const *words = nullptr; // a choice's console words, from low to high
    const char *const *texts = nullptr; // a choice's texts in its list, from low to high
    RegistryValue registry = {};
    HeaderLine header = {};
    ConsoleOption option = {};
    SetupControl control = {};
    // why a text can't be taken with the other settings
    const char *(*textProblem)(const std::string &, const Settings &) = nullptr;
};

const std::vector<SettingRow> &settingsTable();
// The row of a header line's name or of a console option; nullptr when none has it.
const SettingRow *rowOfHeaderLine(const std::string &name);
const SettingRow *rowOfOption(const std::string &option);

// The console option is followed by a value (else it is a flag).
bool optionTakesValue(const SettingRow &row);
// A number or choice within its range.
bool inRange(const SettingRow &row, long long value);
// The setting is at its default.
bool isDefault(const SettingRow &row, const Settings &settings);
// The setting's value as its header line or its help writes it; of the font record, the part
// the row gives (the face, the weight or the italic flag).
std::string valueText(const SettingRow &row, const Settings &settings);

// The header lines of the settings, each after prefix and ending in a line break.
std::string settingsHeaderLines(const Settings &settings, const char *prefix);
// Takes a header line's value into settings; false when it is no value the setting can have
// (a number is checked on its whole value).
bool readSettingLine(const SettingRow &row, const std::string &value, Settings &settings);
// The settings File, Load takes over from a loaded file.
void takeLoadedSettings(Settings &settings, const Settings &loaded);
