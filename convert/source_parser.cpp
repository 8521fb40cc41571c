#include "convert/source_parser.h"

#include "model/modes.h"
#include "output/output.h"
#include "output/output_styles.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

static const char notOurs[] = "It was not written by this program.";
static const char notANumber[] = "A byte in it is not a number.";
const char sizeProblem[] = "Its matrix size or frame count is not one this program writes.";

static std::vector<std::string> linesOf(const std::string &text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The C header's comment would end at "*/": the writer puts one more backslash between a star
// and a slash (and the backslashes between them), and the reader takes it out again.
static std::string changeBackslashesAfterStars(const std::string &keywords, int change) {
    std::string result;
    for (size_t at = 0; at < keywords.size(); ++at) {
        result += keywords[at];
        if (keywords[at] != '*') continue;
        size_t slash = keywords.find_first_not_of('\\', at + 1);
        if (slash == std::string::npos || keywords[slash] != '/') continue;
        long long backslashes = static_cast<long long>(slash - at - 1) + change;
        if (backslashes < 0) continue; // "*/" not written by us: left as it is
        result.append(static_cast<size_t>(backslashes), '\\');
        at = slash - 1;
    }
    return result;
}

std::string keywordsForComment(const std::string &keywords) {
    return changeBackslashesAfterStars(keywords, 1);
}

std::string keywordsFromComment(const std::string &written) {
    return changeBackslashesAfterStars(written, -1);
}

// One header line after its prefix: "Key=value". Keywords keep what lies between the first
// and the last double quote, as written. A setting out of range is kept for the checks.
static bool readHeaderLine(const std::string &line, ParsedSource &source) {
    size_t equals = line.find('=');
    if (equals == std::string::npos) return false;
    std::string key = line.substr(0, equals), value = line.substr(equals + 1);
    if (key == "Keywords") {
        size_t first = value.find('"'), last = value.rfind('"');
        if (first != 0 || last == first) return false;
        source.keywords = value.substr(1, last - 1);
        return true;
    }
    if (key == "Text Encoding") {
        source.utf8Keywords = true;
        return value == "UTF-8";
    }
    const SettingRow *row = rowOfHeaderLine(key);
    if (!row) return false;
    source.lines.push_back(row);
    if (readSettingLine(*row, value, source.settings)) return true;
    bool size = row->field.number == &Settings::width || row->field.number == &Settings::height;
    if (!source.settingsProblem || size) source.settingsProblem = size ? sizeProblem : notOurs;
    return true;
}

// Every line the writer always writes is there.
static bool linesComplete(const ParsedSource &source) {
    for (const SettingRow &row : settingsTable())
        if (row.header.when == HeaderWhen::always &&
            std::find(source.lines.begin(), source.lines.end(), &row) == source.lines.end())
            return false;
    return true;
}

// One byte as the writer prints it: 0x and two hex digits (C) or 0, two hex digits, h (ASM).
static bool readByte(const std::string &token, bool assembler, std::vector<unsigned char> &frame) {
    if (token.size() != 4 || token[0] != '0' || token[assembler ? 3 : 1] != (assembler ? 'h' : 'x'))
        return false;
    std::string digits = token.substr(assembler ? 1 : 2, 2);
    if (!isxdigit(static_cast<unsigned char>(digits[0])) ||
        !isxdigit(static_cast<unsigned char>(digits[1])))
        return false;
    frame.push_back(static_cast<unsigned char>(strtoul(digits.c_str(), nullptr, 16)));
    return true;
}

// The body: one frame a line, a line continued by a final backslash (C) or a final space
// (ASM); bytes separated by commas.
static const char *readBody(const std::vector<std::string> &lines, size_t at, bool assembler,
                            ParsedSource &source) {
    const std::string start = assembler ? "\tdb " : "\t", end = assembler ? "END" : "};";
    std::vector<unsigned char> frame;
    for (; at < lines.size() && lines[at] != end; ++at) {
        const std::string &line = lines[at];
        bool comment = assembler ? line.compare(0, 2, "\t;") == 0
                                 : line.compare(0, 3, "\t/*") == 0 && line.size() >= 5 &&
                                       line.compare(line.size() - 2, 2, "*/") == 0;
        if (comment && frame.empty()) continue; // the name of the frame below
        if (line.compare(0, start.size(), start) != 0) return notOurs;
        bool continued = !line.empty() && line.back() == (assembler ? ' ' : '\\');
        std::string bytes = line.substr(start.size(), line.size() - start.size() - continued);
        size_t from = 0;
        while (from < bytes.size()) {
            size_t comma = bytes.find(',', from);
            if (comma == std::string::npos) comma = bytes.size();
            if (!readByte(bytes.substr(from, comma - from), assembler, frame)) return notANumber;
            from = comma + 1;
        }
        if (continued) continue;
        source.frames.push_back(frame);
        frame.clear();
    }
    return at < lines.size() && frame.empty() ? nullptr : notOurs;
}

const char *parseSource(const std::string &text, ParsedSource &source) {
    if (text.find('\0') != std::string::npos) return "It holds a zero byte.";
    std::vector<std::string> lines = linesOf(text);
    bool assembler = lines[0] == ";Config:";
    if (!assembler && lines[0] != "/*Config:") return notOurs;
    const std::string prefix = assembler ? ";\t" : "\t";
    size_t at = 1;
    for (; at < lines.size() && lines[at].compare(0, prefix.size(), prefix) == 0; ++at)
        if (!readHeaderLine(lines[at].substr(prefix.size()), source)) return notOurs;
    if (!linesComplete(source)) return notOurs;
    if (!assembler) source.keywords = keywordsFromComment(source.keywords);
    if (const char *what = outputStyleRow(source.settings.outputStyle).what) {
        static thread_local std::string refusal;
        refusal = std::string("It is ") + what + ", which this program writes but does not read.";
        return refusal.c_str();
    }
    // the C header closes its comment and declares the array; the ASM one names the label
    if (assembler) {
        if (at >= lines.size() || lines[at++] != source.settings.arrayName + ":") return notOurs;
    } else {
        if (at + 2 >= lines.size() || lines[at] != "*/" || lines[at + 2] != "{") return notOurs;
        at += 3;
    }
    return readBody(lines, at, assembler, source);
}
