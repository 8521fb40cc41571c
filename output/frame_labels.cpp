// How the written frames are named: a comment naming each frame.
#include "output/output.h"

#include "convert/unicode_text.h"

#include <cstdio>

std::string frameComment(const FrameSet &frames, int n) {
    if (n >= static_cast<int>(frames.names.size())) return "Frame " + std::to_string(n + 1);
    const std::string &name = frames.names[n];
    std::wstring wide = frames.unicodeNames ? wideOf(name) : L"";
    bool character = frames.unicodeNames ? unicodeCharacters(wide, false).size() == 1
                                         : !name.empty() && name.size() <= 2;
    if (!character) return name; // "Custom 1", "Frame 2"
    unsigned code = frames.unicodeNames ? codePointOf(wide) : static_cast<unsigned char>(name[0]);
    if (!frames.unicodeNames && name.size() == 2)
        code = code << 8 | static_cast<unsigned char>(name[1]);
    char text[32];
    // only a printable ASCII character is written as itself: nothing can end the comment
    if (code >= 0x20 && code < 0x7F)
        snprintf(text, sizeof text, "'%c' 0x%02X", static_cast<char>(code), code);
    else
        snprintf(text, sizeof text, frames.unicodeNames ? "U+%04X" : "0x%02X", code);
    return text;
}
