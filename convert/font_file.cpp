#include "convert/font_file.h"

#include "convert/input_file.h"
#include "convert/unicode_text.h"

#include <algorithm>
#include <cstdio>

// count bytes from at lie inside the file; no sum that can wrap on a 32-bit size.
static bool inside(const std::string &bytes, unsigned long long at, unsigned long long count) {
    return at <= bytes.size() && count <= bytes.size() - at;
}

// The family (name ID 1) of the font whose offset table starts at `at`: the Windows English
// name, else any Windows name, else a Macintosh Roman one.
static std::wstring familyAt(const std::string &bytes, unsigned long long at) {
    if (!inside(bytes, at, 12)) return L"";
    size_t tables = numberAt(bytes, at + 4, 2, true);
    for (size_t i = 0; i < tables && inside(bytes, at + 12 + 16 * i, 16); ++i) {
        size_t record = at + 12 + 16 * i;
        if (bytes.compare(record, 4, "name") != 0) continue;
        unsigned long long name = numberAt(bytes, record + 8, 4, true);
        if (!inside(bytes, name, 6)) return L"";
        size_t count = numberAt(bytes, name + 2, 2, true);
        unsigned long long strings = name + numberAt(bytes, name + 4, 2, true);
        std::wstring best;
        int bestRank = 0;
        for (size_t n = 0; n < count && inside(bytes, name + 6 + 12 * n, 12); ++n) {
            size_t entry = name + 6 + 12 * n;
            unsigned platform = static_cast<unsigned>(numberAt(bytes, entry, 2, true));
            unsigned language = static_cast<unsigned>(numberAt(bytes, entry + 4, 2, true));
            size_t length = numberAt(bytes, entry + 8, 2, true);
            unsigned long long offset = strings + numberAt(bytes, entry + 10, 2, true);
            if (numberAt(bytes, entry + 6, 2, true) != 1 || !inside(bytes, offset, length))
                continue;
            int rank = platform == 3 ? (language == 0x409 ? 3 : 2) : platform == 1 ? 1 : 0;
            if (rank <= bestRank) continue;
            std::wstring family;
            for (size_t c = 0; c < length; c += platform == 3 ? 2 : 1)
                family += static_cast<wchar_t>(platform == 3
                                                   ? numberAt(bytes, offset + c, 2, true)
                                                   : static_cast<unsigned char>(bytes[offset + c]));
            best = family, bestRank = rank;
        }
        return best;
    }
    return L"";
}

constexpr size_t maxCollectionFonts = 256;

// Where each font of the file starts: one, or each of a collection.
static std::vector<unsigned long long> fontsOf(const std::string &bytes) {
    std::vector<unsigned long long> fonts;
    if (bytes.size() < 12) return fonts;
    if (bytes.compare(0, 4, "ttcf") == 0) {
        for (size_t n = 0; n < numberAt(bytes, 8, 4, true) && inside(bytes, 12 + 4 * n, 4) &&
                           n < maxCollectionFonts;
             ++n)
            fonts.push_back(numberAt(bytes, 12 + 4 * n, 4, true));
    } else if (numberAt(bytes, 0, 4, true) == 0x00010000 || bytes.compare(0, 4, "OTTO") == 0 ||
               bytes.compare(0, 4, "true") == 0) {
        fonts.push_back(0);
    }
    return fonts;
}

std::string sfntProblem(const std::string &bytes) {
    if (bytes.size() >= 12 && bytes.compare(0, 4, "ttcf") == 0 &&
        numberAt(bytes, 8, 4, true) > maxCollectionFonts)
        return "It is a collection of " + std::to_string(numberAt(bytes, 8, 4, true)) +
               " fonts, more than the " + std::to_string(maxCollectionFonts) + " read.";
    for (unsigned long long at : fontsOf(bytes)) {
        if (!inside(bytes, at, 12)) return "A font of the collection lies beyond the file.";
        size_t tables = numberAt(bytes, at + 4, 2, true);
        if (!inside(bytes, at + 12, 16ULL * tables))
            return "Its table directory runs beyond the file.";
        std::vector<std::string> tags;
        for (size_t i = 0; i < tables; ++i) {
            size_t record = at + 12 + 16 * i;
            std::string tag = bytes.substr(record, 4);
            unsigned long long offset = numberAt(bytes, record + 8, 4, true);
            if (!inside(bytes, offset, numberAt(bytes, record + 12, 4, true))) {
                char where[16];
                snprintf(where, sizeof where, "0x%08llX", offset);
                return "Its table directory points beyond the file (the " + tag +
                       " table at offset " + where + ").";
            }
            tags.push_back(tag);
        }
        auto has = [&tags](const char *tag) {
            return std::find(tags.begin(), tags.end(), tag) != tags.end();
        };
        for (const char *needed : {"cmap", "head", "hhea", "hmtx", "maxp", "name"})
            if (!has(needed)) return std::string("It lacks the ") + needed + " table a font needs.";
        if (!(has("glyf") && has("loca")) && !has("CFF ") && !has("CFF2"))
            return "It holds no outlines (no glyf and loca, nor CFF table).";
    }
    return "";
}

std::vector<std::wstring> sfntFamilies(const std::string &bytes) {
    std::vector<std::wstring> families;
    for (unsigned long long at : fontsOf(bytes)) {
        std::wstring family = familyAt(bytes, at);
        if (!family.empty()) families.push_back(family);
    }
    return families;
}

FontFile::~FontFile() {
    if (loaded) RemoveFontMemResourceEx(loaded);
}

static const long long maxFontFileBytes = 64LL << 20;
static const char notAFont[] = "It can't be read as a font.";

bool isBdfPath(const std::string &path) {
    size_t dot = path.find_last_of('.');
    std::string extension = dot == std::string::npos ? "" : path.substr(dot);
    for (char &c : extension)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return extension == ".bdf";
}

std::string openFontFile(const std::string &path, const std::string &face, FontFile &font) {
    std::string bytes;
    if (const char *reason = readWholeFile(path.c_str(), maxFontFileBytes, bytes)) return reason;
    if (isBdfPath(path) || bytes.compare(0, 9, "STARTFONT") == 0) {
        font.bitmap = true;
        return readBdfFont(bytes, font.bdf);
    }
    std::string problem = sfntProblem(bytes); // the system's loader would hang on some
    if (!problem.empty()) return problem;
    std::vector<std::wstring> families = sfntFamilies(bytes);
    if (families.empty()) return notAFont;
    // handed over from the bytes read: the system opens the file no more, so that conversions
    // of one file side by side (make -j) never find it locked by the system's loader
    DWORD added = 0;
    font.loaded =
        AddFontMemResourceEx(&bytes[0], static_cast<DWORD>(bytes.size()), nullptr, &added);
    if (!font.loaded) return notAFont;
    font.family = families[0];
    for (const std::wstring &family : families)
        if (family == wideOfAnsi(face)) font.family = family;
    return "";
}
