// Fonts from files: a TrueType or OpenType file loaded for this process only, never installed,
// and BDF bitmap fonts read by the program itself.
#pragma once

#include "model/frame_set.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct BdfGlyph {
    int advance = 0;              // DWIDTH
    int width = 0, height = 0;    // BBX
    int xOffset = 0, yOffset = 0; // the box's bottom-left from the origin, y upwards
    std::vector<bool> dots;       // row after row, the top row first
};

struct BdfFont {
    int ascent = 0, descent = 0;
    std::string remark; // what the user is told of a file read all the same (a wrong CHARS)
    std::map<unsigned, BdfGlyph> glyphs; // by code point; ENCODING -1 glyphs left out
};

// Reads a BDF file's text; "" when read, else the reason naming the line.
std::string readBdfFont(const std::string &text, BdfFont &font);

// Why an sfnt file's table directory can't be handed to the system: a table beyond the file, a
// table a font needs missing, in any font of a collection; "" when it is sound.
std::string sfntProblem(const std::string &bytes);
// The families an sfnt file (TrueType, OpenType or a collection) names; empty when it is none.
std::vector<std::wstring> sfntFamilies(const std::string &bytes);

// A font file in use for one conversion: a BDF font read, or an sfnt file loaded for this
// process only (removed again when it ends) with the family to draw.
struct FontFile {
    bool bitmap = false;
    BdfFont bdf;
    HANDLE loaded = nullptr; // the sfnt file's fonts, for this process only
    std::wstring family;
    FontFile() = default;
    FontFile(const FontFile &) = delete;
    FontFile &operator=(const FontFile &) = delete;
    ~FontFile();
};

// The path names a BDF file (its extension, in any case).
bool isBdfPath(const std::string &path);
// Opens path (UTF-8): the reason for the user, or "" (face: the face asked for, drawn when the
// file has it, else the file's first family).
std::string openFontFile(const std::string &path, const std::string &face, FontFile &font);
