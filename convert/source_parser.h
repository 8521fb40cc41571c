// Reads a source file this program wrote back into its settings and frames.
#pragma once

#include <string>
#include <vector>

struct ParsedSource {
    // every number as written, to be checked on its full value
    long long width = 0, height = 0;
    long long textMode = 0, outputStyle = 0, bitmapStyle = 0, codingStyle = 0, alignStyle = 0;
    long long glyphSize = 0, centreGlyphs = 0, fontSize = 16;
    long long pictureDots = 0, threshold = 128, darkDots = 0, pictureSize = 0;
    std::string keywords;
    bool utf8Keywords = false; // "Text Encoding=UTF-8": the keywords name Unicode characters
    std::string arrayName = "CODE_MATRIX";
    long long commentFrames = 0;
    std::vector<std::vector<unsigned char>> frames; // each frame's data bytes as written
};

// Parses the whole text of a file. Returns nullptr when it reads as one of ours, else the
// reason it does not, for the user.
const char *parseSource(const std::string &text, ParsedSource &source);

// The keywords as the C header's comment holds them, so that it never ends early, and back.
std::string keywordsForComment(const std::string &keywords);
std::string keywordsFromComment(const std::string &written);
