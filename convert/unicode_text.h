// Text in any script: the text a conversion is given is bytes of the system's ANSI code page,
// as the program always took it, or Unicode (typed characters the code page has no bytes for,
// and text files in UTF-8 or UTF-16).
#pragma once

#include <string>
#include <vector>

struct Text {
    bool unicode = false;
    std::string ansi;  // the bytes, when not Unicode
    std::wstring wide; // UTF-16, when Unicode
};

Text ansiText(const std::string &bytes);
// Unicode text of code points (above U+FFFF as surrogate pairs).
Text codePointText(const std::vector<unsigned> &codePoints);
std::string utf8Of(const std::wstring &wide);
std::wstring wideOf(const std::string &utf8);
std::wstring wideOfAnsi(const std::string &ansi);
// The bytes of a path or text in the ANSI code page, the characters it lacks best fitted.
std::string ansiOf(const std::wstring &wide);
std::string utf8OfAnsi(const std::string &ansi);
// Typed text: ANSI when the code page holds every character as it is, else Unicode.
Text typedText(const std::wstring &typed);

// The characters of a file's text: UTF-8 after its mark, or bytes that are valid UTF-8 holding a
// multi-byte sequence; UTF-16 little or big endian after its mark; else ANSI. Returns nullptr,
// or the reason the bytes are no text of the encoding they claim.
const char *decodeTextFile(const std::string &bytes, Text &text);
// The characters a text holds: bytes for ANSI, code points for Unicode.
size_t characterCount(const Text &text);

// The characters of Unicode text as UTF-16 sequences (a surrogate pair is one), line breaks
// and tabs left out, repeats too when asked; the text ends at U+0000.
std::vector<std::wstring> unicodeCharacters(const std::wstring &text, bool dropRepeats);
unsigned codePointOf(const std::wstring &character);
// A wide East Asian character, drawn two character widths wide.
bool isWideCharacter(unsigned codePoint);
