// Reads a source file this program wrote back into its settings and frames.
#pragma once

#include "model/settings.h"

#include <string>
#include <vector>

struct ParsedSource {
    Settings settings;                     // the defaults but for the header's lines
    std::vector<const SettingRow *> lines; // the settings the header gives
    const char *settingsProblem = nullptr; // a setting's line out of range, for the user
    std::string keywords;
    bool utf8Keywords = false; // "Text Encoding=UTF-8": the keywords name Unicode characters
    std::vector<std::vector<unsigned char>> frames; // each frame's data bytes as written
};

extern const char sizeProblem[]; // the matrix size or the frame count is not ours

// Parses the whole text of a file. Returns nullptr when it reads as one of ours, else the
// reason it does not, for the user.
const char *parseSource(const std::string &text, ParsedSource &source);

// The keywords as the C header's comment holds them, so that it never ends early, and back.
std::string keywordsForComment(const std::string &keywords);
std::string keywordsFromComment(const std::string &written);
