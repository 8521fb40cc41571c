#include "convert/unicode_text.h"

#include <windows.h>

#include <algorithm>

Text ansiText(const std::string &bytes) {
    Text text;
    text.ansi = bytes;
    return text;
}

static std::string bytesOf(const std::wstring &wide, UINT codePage, BOOL *defaultUsed) {
    int size = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                   0, nullptr, defaultUsed);
    std::string bytes(size, '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0], size,
                        nullptr, defaultUsed);
    return bytes;
}

// flags MB_ERR_INVALID_CHARS: false for bytes that are no text in the code page
static bool wideOfBytes(const std::string &bytes, UINT codePage, DWORD flags, std::wstring &wide) {
    int length = static_cast<int>(bytes.size());
    int size = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
    if (size == 0 && length > 0) return false;
    wide.assign(size, L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), length, &wide[0], size);
    return true;
}

std::string utf8Of(const std::wstring &wide) {
    return bytesOf(wide, CP_UTF8, nullptr);
}

std::wstring wideOf(const std::string &utf8) {
    std::wstring wide;
    wideOfBytes(utf8, CP_UTF8, 0, wide);
    return wide;
}

std::wstring wideOfAnsi(const std::string &ansi) {
    std::wstring wide;
    wideOfBytes(ansi, CP_ACP, 0, wide);
    return wide;
}

std::string ansiOf(const std::wstring &wide) {
    return bytesOf(wide, CP_ACP, nullptr);
}

std::string utf8OfAnsi(const std::string &ansi) {
    return utf8Of(wideOfAnsi(ansi));
}

Text typedText(const std::wstring &typed) {
    BOOL defaultUsed = FALSE;
    Text text;
    text.ansi = bytesOf(typed, CP_ACP, &defaultUsed);
    // a best-fit byte that reads back as another character is no byte of it either
    text.unicode = defaultUsed || wideOfAnsi(text.ansi) != typed;
    if (text.unicode) text.wide = typed, text.ansi.clear();
    return text;
}

static std::wstring swappedUnits(const std::string &bytes, bool bigEndian) {
    std::wstring wide(bytes.size() / 2, L'\0');
    for (size_t i = 0; i < wide.size(); ++i) {
        unsigned char first = bytes[2 * i], second = bytes[2 * i + 1];
        wide[i] = static_cast<wchar_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return wide;
}

static bool isHighSurrogate(wchar_t unit);
static bool isLowSurrogate(wchar_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Half of a surrogate pair alone would swallow the next character or be drawn as a box: the
// reason, naming the unit and the character it stands at (counted from 1), or nullptr.
static const char *loneSurrogate(const std::wstring &wide) {
    static char reason[96];
    size_t character = 1;
    for (size_t at = 0; at < wide.size(); ++at, ++character) {
        bool pair =
            isHighSurrogate(wide[at]) && at + 1 < wide.size() && isLowSurrogate(wide[at + 1]);
        if (pair) {
            ++at;
            continue;
        }
        if (!isHighSurrogate(wide[at]) && !isLowSurrogate(wide[at])) continue;
        snprintf(reason, sizeof reason,
                 "It holds half of a UTF-16 pair, U+%04X, alone at character %u.",
                 static_cast<unsigned>(wide[at]), static_cast<unsigned>(character));
        return reason;
    }
    return nullptr;
}

Text codePointText(const std::vector<unsigned> &codePoints) {
    Text text;
    text.unicode = true;
    for (unsigned c : codePoints) {
        if (c > 0xFFFF)
            text.wide += {static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)),
                          static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
        else
            text.wide += static_cast<wchar_t>(c);
    }
    return text;
}

const char *decodeTextFile(const std::string &bytes, Text &text) {
    text = Text();
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.unicode = true;
        if (!wideOfBytes(bytes.substr(3), CP_UTF8, MB_ERR_INVALID_CHARS, text.wide))
            return "It is marked as UTF-8 but holds bytes that are no UTF-8.";
        return nullptr;
    }
    bool littleEndian = bytes.compare(0, 2, "\xFF\xFE") == 0;
    if (littleEndian || bytes.compare(0, 2, "\xFE\xFF") == 0) {
        text.unicode = true;
        if (bytes.size() % 2) return "It is marked as UTF-16 but holds an odd number of bytes.";
        text.wide = swappedUnits(bytes.substr(2), !littleEndian);
        return loneSurrogate(text.wide);
    }
    bool multiByte = std::any_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; });
    text.unicode = multiByte && wideOfBytes(bytes, CP_UTF8, MB_ERR_INVALID_CHARS, text.wide);
    if (!text.unicode) text.ansi = bytes, text.wide.clear();
    return nullptr;
}

static bool isHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

size_t characterCount(const Text &text) {
    if (!text.unicode) return text.ansi.size();
    return text.wide.size() - std::count_if(text.wide.begin(), text.wide.end(), isHighSurrogate);
}

unsigned codePointOf(const std::wstring &character) {
    if (character.size() == 2 && isHighSurrogate(character[0]))
        return 0x10000 + ((character[0] - 0xD800) << 10) + (character[1] - 0xDC00);
    return character.empty() ? 0 : character[0];
}

bool isWideCharacter(unsigned c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

std::vector<std::wstring> unicodeCharacters(const std::wstring &text, bool dropRepeats) {
    std::vector<std::wstring> characters;
    for (size_t at = 0; at < text.size() && text[at]; ++at) {
        if (text[at] == L'\n' || text[at] == L'\r' || text[at] == L'\t') continue;
        size_t units = isHighSurrogate(text[at]) && at + 1 < text.size() ? 2 : 1;
        std::wstring character = text.substr(at, units);
        at += units - 1;
        if (dropRepeats &&
            std::find(characters.begin(), characters.end(), character) != characters.end())
            continue;
        characters.push_back(character);
    }
    return characters;
}
