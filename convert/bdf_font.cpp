// Glyph Bitmap Distribution Format 2.1, read by the program itself: each glyph's bitmap, box
// and advance, and the font's ascent and descent.
#include "convert/font_file.h"

#include "model/character_range.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace {

struct BdfReader {
    std::istringstream lines;
    int lineNumber = 0;
    std::string line, keyword;
    std::vector<long> numbers;
    bool numbersComplete = true;

    explicit BdfReader(const std::string &text) : lines(text) {}

    // The next line, its keyword and the numbers after it; false at the end of the file.
    bool next() {
        if (!std::getline(lines, line)) return false;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        keyword.clear();
        words >> keyword;
        numbers.clear();
        std::string word;
        numbersComplete = true;
        while (words >> word) {
            char *end = nullptr;
            long number = strtol(word.c_str(), &end, 10);
            if (*end) numbersComplete = false;
            numbers.push_back(number);
        }
        return true;
    }
    std::string at(const std::string &what) const {
        return "line " + std::to_string(lineNumber) + ": " + what;
    }
    // The keyword's numbers, at least count of them.
    bool has(size_t count) const { return numbersComplete && numbers.size() >= count; }
};

int hexDigit(char c) {
    if (isdigit(static_cast<unsigned char>(c))) return c - '0';
    c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// A glyph from its STARTCHAR to its ENDCHAR; "" or the reason.
std::string readGlyph(BdfReader &reader, BdfGlyph &glyph, long &encoding) {
    int start = reader.lineNumber;
    bool boxed = false;
    while (reader.next()) {
        const std::string &keyword = reader.keyword;
        if (keyword == "STARTCHAR" || keyword == "ENDFONT")
            return reader.at("no ENDCHAR for the STARTCHAR of line " + std::to_string(start));
        if (keyword == "ENDCHAR") return boxed ? "" : reader.at("ENDCHAR before BBX and BITMAP");
        if (keyword == "ENCODING") {
            if (!reader.has(1)) return reader.at("ENCODING is cut short");
            encoding = reader.numbers[0];
            if (encoding > static_cast<long>(maxCodePoint))
                return reader.at("ENCODING above 0x10FFFF");
        } else if (keyword == "DWIDTH") {
            if (!reader.has(2)) return reader.at("DWIDTH is cut short");
            glyph.advance = static_cast<int>(reader.numbers[0]);
        } else if (keyword == "BBX") {
            if (!reader.has(4)) return reader.at("BBX is cut short");
            if (reader.numbers[0] < 0 || reader.numbers[1] < 0 || reader.numbers[0] > 1024 ||
                reader.numbers[1] > 1024)
                return reader.at("BBX larger than 1024 or below 0");
            glyph.width = static_cast<int>(reader.numbers[0]);
            glyph.height = static_cast<int>(reader.numbers[1]);
            glyph.xOffset = static_cast<int>(reader.numbers[2]);
            glyph.yOffset = static_cast<int>(reader.numbers[3]);
            boxed = true;
        } else if (keyword == "BITMAP") {
            if (!boxed) return reader.at("BITMAP before BBX");
            glyph.dots.assign(static_cast<size_t>(glyph.width) * glyph.height, false);
            size_t digits = (static_cast<size_t>(glyph.width) + 7) / 8 * 2;
            for (int row = 0;; ++row) {
                if (!reader.next()) return reader.at("the file ends inside a BITMAP");
                if (reader.keyword == "STARTCHAR" || reader.keyword == "ENDFONT")
                    return reader.at("no ENDCHAR for the STARTCHAR of line " +
                                     std::to_string(start));
                if (reader.keyword == "ENDCHAR") {
                    if (row != glyph.height)
                        return reader.at("BITMAP has " + std::to_string(row) + " rows, BBX says " +
                                         std::to_string(glyph.height));
                    return "";
                }
                if (row == glyph.height)
                    return reader.at("BITMAP has more rows than BBX says (" +
                                     std::to_string(glyph.height) + ")");
                if (reader.line.size() < digits) return reader.at("a BITMAP row is cut short");
                for (int x = 0; x < glyph.width; ++x) {
                    int digit = hexDigit(reader.line[x / 4]);
                    if (digit < 0) return reader.at("a bad hex digit");
                    glyph.dots[static_cast<size_t>(row) * glyph.width + x] =
                        digit >> (3 - x % 4) & 1;
                }
                for (size_t i = 0; i < digits; ++i)
                    if (hexDigit(reader.line[i]) < 0) return reader.at("a bad hex digit");
            }
        }
    }
    return reader.at("the file ends before ENDCHAR");
}

} // namespace

std::string readBdfFont(const std::string &text, BdfFont &font) {
    BdfReader reader(text);
    while (reader.next() && reader.keyword.empty()) {
    }
    if (reader.keyword != "STARTFONT") return reader.at("no STARTFONT");
    BdfFont read;
    bool ascentGiven = false, descentGiven = false;
    while (reader.next()) {
        const std::string &keyword = reader.keyword;
        if (keyword == "ENDFONT") {
            if (!ascentGiven || !descentGiven) return reader.at("no FONT_ASCENT or FONT_DESCENT");
            font = std::move(read);
            return "";
        }
        if (keyword == "FONTBOUNDINGBOX" && reader.has(4)) {
            // the ascent and descent where the properties don't give them
            if (!ascentGiven) read.ascent = static_cast<int>(reader.numbers[1] + reader.numbers[3]);
            if (!descentGiven) read.descent = static_cast<int>(-reader.numbers[3]);
            ascentGiven = descentGiven = true;
        } else if (keyword == "FONT_ASCENT" || keyword == "FONT_DESCENT") {
            if (!reader.has(1)) return reader.at(keyword + " is cut short");
            (keyword == "FONT_ASCENT" ? read.ascent : read.descent) =
                static_cast<int>(reader.numbers[0]);
            (keyword == "FONT_ASCENT" ? ascentGiven : descentGiven) = true;
        } else if (keyword == "STARTCHAR") {
            BdfGlyph glyph;
            long encoding = -1;
            std::string reason = readGlyph(reader, glyph, encoding);
            if (!reason.empty()) return reason;
            if (encoding >= 0) read.glyphs[static_cast<unsigned>(encoding)] = std::move(glyph);
        }
    }
    return reader.at("the file ends before ENDFONT");
}
