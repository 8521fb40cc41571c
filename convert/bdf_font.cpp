// Glyph Bitmap Distribution Format 2.1, read by the program itself: each glyph's bitmap, box
// and advance, and the font's ascent and descent. A file that is not sound is refused naming the
// line: every number within the matrix bound, each glyph's keywords once and in a glyph.
#include "convert/font_file.h"

#include "model/character_range.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <sstream>

namespace {

constexpr long long metricBound = 1024; // the matrix bound: no glyph, offset or line beyond it

struct BdfReader {
    std::istringstream lines;
    int lineNumber = 0;
    std::string line, keyword;
    std::vector<long long> numbers;
    bool numbersComplete = true; // every word after the keyword a whole number

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
            // beyond any sane metric, yet within what the sum of two can hold
            long long number = strtoll(word.c_str(), &end, 10);
            if (*end || end == word.c_str()) numbersComplete = false;
            numbers.push_back(std::max(-(1LL << 40), std::min(number, 1LL << 40)));
        }
        return true;
    }
    std::string at(const std::string &what) const {
        return "line " + std::to_string(lineNumber) + ": " + what;
    }
    // The keyword's numbers: count of them (or from count to most), each from -bound to bound;
    // "" or the reason.
    std::string numbersProblem(size_t count, long long bound, size_t most = 0) const {
        if (!numbersComplete || numbers.size() < count) return at(keyword + " is cut short");
        if (numbers.size() > std::max(count, most))
            return at(keyword + " has " + std::to_string(numbers.size()) + " numbers, not " +
                      std::to_string(count));
        for (long long number : numbers)
            if (number < -bound || number > bound)
                return at(keyword + " " + std::to_string(number) + " is out of range (-" +
                          std::to_string(bound) + " to " + std::to_string(bound) + ")");
        return "";
    }
};

int hexDigit(char c) {
    if (isdigit(static_cast<unsigned char>(c))) return c - '0';
    c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// The keywords of a glyph, which a file in lower case would lose.
const char *const glyphKeywords[] = {"STARTCHAR", "ENCODING", "DWIDTH", "BBX", "BITMAP", "ENDCHAR"};

bool isGlyphKeyword(const std::string &keyword) {
    for (const char *known : glyphKeywords)
        if (keyword == known) return true;
    return false;
}

std::string upperCase(std::string text) {
    for (char &c : text)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return text;
}

// A glyph's bitmap rows up to its ENDCHAR; "" or the reason.
std::string readBitmap(BdfReader &reader, BdfGlyph &glyph, int start) {
    glyph.dots.assign(static_cast<size_t>(glyph.width) * glyph.height, false);
    size_t digits = (static_cast<size_t>(glyph.width) + 7) / 8 * 2;
    for (int row = 0;; ++row) {
        if (!reader.next()) return reader.at("the file ends inside a BITMAP");
        if (reader.keyword == "STARTCHAR" || reader.keyword == "ENDFONT")
            return reader.at("no ENDCHAR for the STARTCHAR of line " + std::to_string(start));
        if (reader.keyword == "BITMAP")
            return reader.at("BITMAP twice in the glyph of line " + std::to_string(start));
        if (reader.keyword == "ENDCHAR") {
            if (row != glyph.height)
                return reader.at("BITMAP has " + std::to_string(row) + " rows, BBX says " +
                                 std::to_string(glyph.height));
            return "";
        }
        if (row == glyph.height)
            return reader.at("BITMAP has more rows than BBX says (" + std::to_string(glyph.height) +
                             ")");
        std::string hex = reader.line.substr(0, reader.line.find_last_not_of(" \t") + 1);
        for (char c : hex)
            if (hexDigit(c) < 0) return reader.at("a bad hex digit");
        if (hex.size() < digits) return reader.at("a BITMAP row is cut short");
        if (hex.size() > digits)
            return reader.at("a BITMAP row has more hex digits than BBX's width needs (" +
                             std::to_string(digits) + ")");
        for (int x = 0; x < glyph.width; ++x)
            glyph.dots[static_cast<size_t>(row) * glyph.width + x] =
                hexDigit(hex[x / 4]) >> (3 - x % 4) & 1;
    }
}

// A glyph from its STARTCHAR to its ENDCHAR; "" or the reason.
std::string readGlyph(BdfReader &reader, BdfGlyph &glyph, long long &encoding) {
    int start = reader.lineNumber;
    std::map<std::string, int> seen; // each keyword once
    while (reader.next()) {
        const std::string &keyword = reader.keyword;
        if (keyword == "STARTCHAR" || keyword == "ENDFONT")
            return reader.at("no ENDCHAR for the STARTCHAR of line " + std::to_string(start));
        if (isGlyphKeyword(keyword) && seen[keyword]++)
            return reader.at(keyword + " twice in the glyph of line " + std::to_string(start));
        if (keyword == "ENDCHAR") {
            if (!seen.count("ENCODING")) return reader.at("ENDCHAR of a glyph without ENCODING");
            return reader.at(seen.count("BBX") ? "ENDCHAR before BITMAP"
                                               : "ENDCHAR before BBX and BITMAP");
        }
        std::string problem;
        if (keyword == "ENCODING") {
            problem = reader.numbersProblem(1, 1LL << 40, 2);
            encoding = problem.empty() ? reader.numbers[0] : 0;
            if (problem.empty() && encoding < -1) problem = reader.at("ENCODING below -1");
            if (problem.empty() && encoding > static_cast<long long>(maxCodePoint))
                problem = reader.at("ENCODING above 0x10FFFF");
            if (problem.empty() && encoding >= 0xD800 && encoding <= 0xDFFF)
                problem = reader.at("ENCODING is a surrogate (U+D800 to U+DFFF), no character");
        } else if (keyword == "DWIDTH") {
            problem = reader.numbersProblem(2, metricBound);
            if (problem.empty()) glyph.advance = static_cast<int>(reader.numbers[0]);
        } else if (keyword == "BBX") {
            problem = reader.numbersProblem(4, 1LL << 40);
            if (problem.empty() && (reader.numbers[0] < 0 || reader.numbers[1] < 0 ||
                                    reader.numbers[0] > 1024 || reader.numbers[1] > 1024))
                problem = reader.at("BBX larger than 1024 or below 0");
            if (problem.empty()) problem = reader.numbersProblem(4, metricBound);
            if (problem.empty()) {
                glyph.width = static_cast<int>(reader.numbers[0]);
                glyph.height = static_cast<int>(reader.numbers[1]);
                glyph.xOffset = static_cast<int>(reader.numbers[2]);
                glyph.yOffset = static_cast<int>(reader.numbers[3]);
            }
        } else if (keyword == "BITMAP") {
            if (!seen.count("BBX")) return reader.at("BITMAP before BBX");
            problem = readBitmap(reader, glyph, start);
            if (problem.empty() && !seen.count("ENCODING"))
                problem = reader.at("ENDCHAR of a glyph without ENCODING");
            return problem;
        }
        if (!problem.empty()) return problem;
    }
    return reader.at("the file ends before ENDCHAR");
}

// A line outside any glyph that the reader can't take; "" when it can.
std::string outsideGlyphProblem(const BdfReader &reader) {
    const std::string &keyword = reader.keyword;
    if (isGlyphKeyword(keyword)) return reader.at(keyword + " outside a glyph (no STARTCHAR)");
    std::string upper = upperCase(keyword);
    if (upper != keyword && (isGlyphKeyword(upper) || upper == "ENDFONT"))
        return reader.at(keyword + ": BDF's keywords are upper case (" + upper + ")");
    return "";
}

} // namespace

std::string readBdfFont(const std::string &text, BdfFont &font) {
    size_t zero = text.find('\0');
    if (zero != std::string::npos)
        return "line " + std::to_string(std::count(text.begin(), text.begin() + zero, '\n') + 1) +
               ": a zero byte in the line";
    BdfReader reader(text);
    while (reader.next() && reader.keyword.empty()) {
    }
    if (reader.keyword != "STARTFONT") return reader.at("no STARTFONT");
    BdfFont read;
    bool ascentGiven = false, descentGiven = false;
    long long charsSaid = -1;
    std::map<long long, int> encodingLines; // each character once
    while (reader.next()) {
        const std::string &keyword = reader.keyword;
        std::string problem = outsideGlyphProblem(reader);
        if (keyword == "ENDFONT") {
            if (!ascentGiven || !descentGiven) return reader.at("no FONT_ASCENT or FONT_DESCENT");
            int lineHeight = read.ascent + read.descent;
            if (lineHeight < 1 || lineHeight > metricBound)
                return reader.at("FONT_ASCENT " + std::to_string(read.ascent) +
                                 " and FONT_DESCENT " + std::to_string(read.descent) +
                                 " make a line height of " + std::to_string(lineHeight) +
                                 ": it must be 1 to 1024");
            if (charsSaid >= 0 && charsSaid != static_cast<long long>(encodingLines.size()))
                read.remark = "CHARS says " + std::to_string(charsSaid) + ", the file holds " +
                              std::to_string(encodingLines.size()) + " glyphs: all are read.";
            font = std::move(read);
            return "";
        }
        if (keyword == "FONTBOUNDINGBOX") {
            problem = reader.numbersProblem(4, metricBound);
            // the ascent and descent where the properties don't give them
            if (problem.empty() && !ascentGiven)
                read.ascent = static_cast<int>(reader.numbers[1] + reader.numbers[3]);
            if (problem.empty() && !descentGiven)
                read.descent = static_cast<int>(-reader.numbers[3]);
            ascentGiven = descentGiven = true;
        } else if (keyword == "FONT_ASCENT" || keyword == "FONT_DESCENT") {
            problem = reader.numbersProblem(1, metricBound);
            if (problem.empty())
                (keyword == "FONT_ASCENT" ? read.ascent : read.descent) =
                    static_cast<int>(reader.numbers[0]);
            (keyword == "FONT_ASCENT" ? ascentGiven : descentGiven) = true;
        } else if (keyword == "CHARS" && reader.numbersProblem(1, 1LL << 40).empty()) {
            charsSaid = reader.numbers[0];
        } else if (keyword == "STARTCHAR") {
            BdfGlyph glyph;
            long long encoding = -1;
            int start = reader.lineNumber;
            problem = readGlyph(reader, glyph, encoding);
            auto [first, taken] = encodingLines.emplace(encoding < 0 ? -start : encoding, start);
            if (problem.empty() && !taken)
                problem = "line " + std::to_string(start) + ": ENCODING " +
                          std::to_string(encoding) + " again (its first glyph at line " +
                          std::to_string(first->second) + ")";
            if (problem.empty() && encoding >= 0)
                read.glyphs[static_cast<unsigned>(encoding)] = std::move(glyph);
        }
        if (!problem.empty()) return problem;
    }
    return reader.at("the file ends before ENDFONT");
}
