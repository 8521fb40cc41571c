#include "convert/font_file.h"

#include "convert/input_file.h"
#include "convert/unicode_text.h"

// The family (name ID 1) of the font whose offset table starts at `at`: the Windows English
// name, else any Windows name, else a Macintosh Roman one.
static std::wstring familyAt(const std::string &bytes, size_t at) {
    if (at + 12 > bytes.size()) return L"";
    size_t tables = numberAt(bytes, at + 4, 2, true);
    for (size_t i = 0; i < tables && at + 28 + 16 * i <= bytes.size(); ++i) {
        size_t record = at + 12 + 16 * i;
        if (bytes.compare(record, 4, "name") != 0) continue;
        size_t name = numberAt(bytes, record + 8, 4, true);
        if (name + 6 > bytes.size()) return L"";
        size_t count = numberAt(bytes, name + 2, 2, true),
               strings = name + numberAt(bytes, name + 4, 2, true);
        std::wstring best;
        int bestRank = 0;
        for (size_t n = 0; n < count && name + 18 + 12 * n <= bytes.size(); ++n) {
            size_t entry = name + 6 + 12 * n;
            unsigned platform = static_cast<unsigned>(numberAt(bytes, entry, 2, true));
            unsigned language = static_cast<unsigned>(numberAt(bytes, entry + 4, 2, true));
            size_t length = numberAt(bytes, entry + 8, 2, true),
                   offset = strings + numberAt(bytes, entry + 10, 2, true);
            if (numberAt(bytes, entry + 6, 2, true) != 1 || offset + length > bytes.size())
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

std::vector<std::wstring> sfntFamilies(const std::string &bytes) {
    std::vector<std::wstring> families;
    if (bytes.size() < 12) return families;
    std::vector<size_t> fonts;
    if (bytes.compare(0, 4, "ttcf") == 0) {
        for (size_t n = 0; n < numberAt(bytes, 8, 4, true) && 16 + 4 * n <= bytes.size() && n < 256;
             ++n)
            fonts.push_back(numberAt(bytes, 12 + 4 * n, 4, true));
    } else if (numberAt(bytes, 0, 4, true) == 0x00010000 || bytes.compare(0, 4, "OTTO") == 0 ||
               bytes.compare(0, 4, "true") == 0) {
        fonts.push_back(0);
    }
    for (size_t at : fonts) {
        std::wstring family = familyAt(bytes, at);
        if (!family.empty()) families.push_back(family);
    }
    return families;
}

FontFile::~FontFile() {
    if (!loadedPath.empty()) RemoveFontResourceExW(loadedPath.c_str(), FR_PRIVATE, nullptr);
}

static const long long maxFontFileBytes = 64LL << 20;
static const char notAFont[] = "It can't be read as a font.";

std::string openFontFile(const std::string &path, const std::string &face, FontFile &font) {
    std::string bytes;
    if (const char *reason = readWholeFile(path.c_str(), maxFontFileBytes, bytes)) return reason;
    size_t dot = path.find_last_of('.');
    std::string extension = dot == std::string::npos ? "" : path.substr(dot);
    for (char &c : extension)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    if (extension == ".bdf" || bytes.compare(0, 9, "STARTFONT") == 0) {
        font.bitmap = true;
        return readBdfFont(bytes, font.bdf);
    }
    std::vector<std::wstring> families = sfntFamilies(bytes);
    if (families.empty()) return notAFont;
    std::wstring wide = wideOf(path);
    if (AddFontResourceExW(wide.c_str(), FR_PRIVATE, nullptr) == 0) return notAFont;
    font.loadedPath = wide;
    font.family = families[0];
    for (const std::wstring &family : families)
        if (family == wideOfAnsi(face)) font.family = family;
    return "";
}
