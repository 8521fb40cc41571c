// The output styles, a row each: everything that differs by style asks its row. A writer takes
// the frames and the settings and returns the file's bytes; its problem check says first why it
// can't.
#pragma once

#include "model/array_name.h"
#include "model/frame_set.h"
#include "model/settings.h"

#include <string>
#include <vector>

// The styles' values, which the registry and the written headers keep: the next style takes the
// next value.
enum OutputStyle { OutputC51, OutputAnsiC, OutputAsm, OutputGfx, OutputU8g2, OutputLvgl };

// The frames a style takes.
enum FrameKinds : unsigned {
    takesDots = 1,        // painted frames, a picture as dots or a loaded source
    takesPictures = 2,    // a picture in a gray or colour coding
    takesText = 4,        // a text's glyphs
    takesWholeGlyphs = 8, // a text's glyphs whole, ink beyond the matrix too: a font
};

// How the header recording the settings is written: none, a C block comment or assembler lines.
enum class HeaderComment { none, block, lines };

struct OutputStyleRow {
    int style;              // the value of the registry's and the header's "Output Style"
    const char *word;       // --style's word
    const char *text;       // System Setup's button
    const char *purpose;    // what it is for: --help's and the README's line
    const char *filterName; // the save chooser's filter, "All C Files(*.c)"
    const char *extension;  // a name typed without one gets it
    bool binary;    // bytes, else text with a line break of CR LF; text goes to the clipboard
    unsigned takes; // FrameKinds
    HeaderComment header;
    // what Load and the refusals call a file of the style; nullptr: Load reads it back
    const char *what;
    std::vector<const char *> settings;          // the settings rows' names the style uses
    std::vector<const ReservedWords *> reserved; // the names its array can't have
    // why the frames can't be written with the settings, after the checks every style shares;
    // "" when they can
    std::string (*problem)(const FrameSet &, const Settings &);
    // the file's bytes after the header, line breaks as "\n"; false when it can't be written
    bool (*write)(const FrameSet &, const Settings &, std::string &out);
};

const std::vector<OutputStyleRow> &outputStyles();
// The row of a style's value; the first row for a value no row has.
const OutputStyleRow &outputStyleRow(int style);
// The style uses the setting of that row of the settings table.
bool styleUses(const OutputStyleRow &style, const SettingRow &setting);
// Some styles use the setting and others don't: it does nothing for those.
bool dependsOnStyle(const SettingRow &setting);
// The words of the styles that use the setting: "lvgl", "c51, c, asm".
std::string stylesUsing(const SettingRow &setting);
// The styles' words and texts in the order of their values, for the settings table.
const char *const *outputStyleWords();
const char *const *outputStyleTexts();
int lastOutputStyle();

// Why a name can't name the array in an output style: a C identifier, which serves as an
// assembler label too, and no word the style's compiler or assembler reserves; nullptr when it
// can.
const char *arrayNameProblem(const std::string &name, int outputStyle);
