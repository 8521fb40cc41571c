// A list of characters as the font converters take it: code points and ranges, comma-separated.
#include "model/character_range.h"

#include <cctype>
#include <cstdlib>
#include <set>

static std::string trimmed(const std::string &text) {
    size_t first = text.find_first_not_of(' '), last = text.find_last_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// One code point: 0x410, U+0410 or 1040.
static bool readCodePoint(const std::string &text, unsigned long &codePoint) {
    std::string digits = text;
    int base = 10;
    if (digits.size() > 2 && (digits.compare(0, 2, "0x") == 0 || digits.compare(0, 2, "0X") == 0 ||
                              digits.compare(0, 2, "U+") == 0 || digits.compare(0, 2, "u+") == 0))
        digits.erase(0, 2), base = 16;
    if (digits.empty() || digits.size() > 8) return false;
    for (char c : digits)
        if (base == 16 ? !isxdigit(static_cast<unsigned char>(c))
                       : !isdigit(static_cast<unsigned char>(c)))
            return false;
    codePoint = strtoul(digits.c_str(), nullptr, base);
    return true;
}

static std::string refused(const std::string &item, const char *why) {
    return "\"" + item + "\" " + why;
}

std::string parseCharacterRange(const std::string &list, std::vector<unsigned> &codePoints) {
    std::vector<unsigned> read;
    std::set<unsigned> seen;
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos) comma = list.size();
        std::string item = trimmed(list.substr(start, comma - start));
        start = comma + 1;
        if (item.empty()) {
            if (comma == list.size() && !read.empty()) break; // a comma at the end
            return list.find_first_not_of(' ') == std::string::npos
                       ? "The list is empty."
                       : "An item of the list is empty.";
        }
        size_t dash = item.find('-', 1);
        unsigned long first = 0, last = 0;
        if (!readCodePoint(trimmed(item.substr(0, dash)), first) ||
            !readCodePoint(
                dash == std::string::npos ? trimmed(item) : trimmed(item.substr(dash + 1)), last))
            return refused(item, "is no code point nor FIRST-LAST range.");
        if (first > last) return refused(item, "is a range from a higher to a lower code point.");
        if (last > maxCodePoint) return refused(item, "goes beyond U+10FFFF.");
        if (first <= 0xDFFF && last >= 0xD800) return refused(item, "holds a surrogate.");
        if (last - first >= maxRangeCodePoints) return "The list holds more than 65536 characters.";
        for (unsigned long c = first; c <= last; ++c) {
            if (!seen.insert(static_cast<unsigned>(c)).second) continue; // once, where first given
            if (read.size() == maxRangeCodePoints)
                return "The list holds more than 65536 characters.";
            read.push_back(static_cast<unsigned>(c));
        }
    }
    codePoints = std::move(read);
    return "";
}
