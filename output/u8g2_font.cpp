// Text frames as a u8g2 font: a 23-byte header, then a record for each glyph (its code, the
// record's size, then a bit stream: width, height, x and y offsets, advance, and the glyph's
// dots as run lengths of 0s and 1s with repeat bits), the codes up to 255 first, then the others
// behind a jump table. Bits go into each byte from its least significant bit; a signed field
// holds its value plus half its range.
#include "output/output.h"

#include "convert/unicode_text.h"
#include "output/font_source.h"
#include "output/formatted.h"

#include <algorithm>
#include <map>

namespace {

struct U8g2Glyph {
    unsigned code = 0;
    int width = 0, height = 0, x = 0, y = 0, advance = 0; // y: the box's bottom above the baseline
    // the dots row after row as the lengths of their runs: 0s, then 1s, then 0s, and so on
    std::vector<unsigned> runs;
};

class BitWriter {
  public:
    std::vector<unsigned char> bytes;
    void put(unsigned value, int count) {
        for (int i = 0; i < count; ++i, ++bit) {
            if (bit % 8 == 0) bytes.push_back(0);
            if (value >> i & 1) bytes.back() |= static_cast<unsigned char>(1u << (bit % 8));
        }
    }

  private:
    size_t bit = 0;
};

// The bits an unsigned value needs, and a signed one as the format stores it.
int unsignedBits(int value) {
    int bits = 0;
    while (value >> bits)
        ++bits;
    return bits;
}

int signedBits(int value) {
    int bits = 1;
    while (value < -(1 << (bits - 1)) || value >= (1 << (bits - 1)))
        ++bits;
    return bits;
}

struct Widths {
    int zeros = 0, ones = 0, width = 0, height = 0, x = 0, y = 0, advance = 0;
};

// Each run of a glyph's dots as a (0s, 1s) pair handed to visit, no run longer than its field
// holds: a run of 0s cut short by its field is followed by no 1s.
template <typename Visit>
void forEachRun(const U8g2Glyph &glyph, const Widths &widths, Visit visit) {
    unsigned maxZeros = (1u << widths.zeros) - 1, maxOnes = (1u << widths.ones) - 1;
    size_t next = 0; // the next run of 0s
    unsigned zerosLeft = 0, onesLeft = 0;
    while (true) {
        while (zerosLeft == 0 && onesLeft == 0 && next < glyph.runs.size()) {
            zerosLeft = glyph.runs[next];
            onesLeft = next + 1 < glyph.runs.size() ? glyph.runs[next + 1] : 0;
            next += 2;
        }
        if (zerosLeft == 0 && onesLeft == 0) return;
        unsigned zeros = std::min(zerosLeft, maxZeros), ones = 0;
        zerosLeft -= zeros;
        if (zerosLeft == 0) ones = std::min(onesLeft, maxOnes), onesLeft -= ones;
        visit(std::make_pair(zeros, ones));
    }
}

std::vector<std::pair<unsigned, unsigned>> runsOf(const U8g2Glyph &glyph, const Widths &widths) {
    std::vector<std::pair<unsigned, unsigned>> runs;
    forEachRun(glyph, widths, [&](std::pair<unsigned, unsigned> run) { runs.push_back(run); });
    return runs;
}

// The bytes of a glyph's record bits, as recordBits writes them, counted without writing them.
size_t recordBytes(const U8g2Glyph &glyph, const Widths &widths) {
    size_t bits = widths.width + widths.height + widths.x + widths.y + widths.advance;
    std::pair<unsigned, unsigned> previous;
    bool first = true;
    forEachRun(glyph, widths, [&](std::pair<unsigned, unsigned> run) {
        bits += first             ? widths.zeros + widths.ones
                : run != previous ? 1 + widths.zeros + widths.ones
                                  : 1;
        first = false, previous = run;
    });
    return (bits + !first + 7) / 8;
}

std::vector<unsigned char> recordBits(const U8g2Glyph &glyph, const Widths &widths) {
    BitWriter bits;
    bits.put(static_cast<unsigned>(glyph.width), widths.width);
    bits.put(static_cast<unsigned>(glyph.height), widths.height);
    bits.put(static_cast<unsigned>(glyph.x + (1 << (widths.x - 1))), widths.x);
    bits.put(static_cast<unsigned>(glyph.y + (1 << (widths.y - 1))), widths.y);
    bits.put(static_cast<unsigned>(glyph.advance + (1 << (widths.advance - 1))), widths.advance);
    std::vector<std::pair<unsigned, unsigned>> runs = runsOf(glyph, widths);
    for (size_t i = 0; i < runs.size(); ++i) {
        if (i == 0 || runs[i] != runs[i - 1]) {
            if (i > 0) bits.put(0, 1); // the pair before is not repeated again
            bits.put(runs[i].first, widths.zeros);
            bits.put(runs[i].second, widths.ones);
        } else {
            bits.put(1, 1); // the same pair once more
        }
    }
    if (!runs.empty()) bits.put(0, 1);
    return bits.bytes;
}

// The glyphs of the text frames, whole, by code point.
std::map<unsigned, U8g2Glyph> glyphsOf(const FrameSet &frames) {
    std::map<unsigned, U8g2Glyph> glyphs;
    for (int n = 0; n < frames.count; ++n) {
        U8g2Glyph glyph;
        glyph.code = frameCodePoint(frames, n);
        InkBox ink = glyphInkBox(frames, n);
        const FrameSet::Glyph &cell = frames.glyphs[n];
        glyph.width = ink.right - ink.left;
        glyph.height = ink.bottom - ink.top;
        glyph.x = glyph.width ? ink.left - cell.originX : 0;
        glyph.y = glyph.height ? cell.baseline - ink.bottom : 0;
        glyph.advance = cell.advance;
        bool ones = false; // a run of 0s, maybe empty, comes first
        for (int y = ink.top; y < ink.bottom; ++y)
            for (int x = ink.left; x < ink.right; ++x) {
                bool dot = glyphDot(frames, n, x, y);
                if (glyph.runs.empty()) glyph.runs.push_back(0);
                if (dot != ones) glyph.runs.push_back(0), ones = dot;
                ++glyph.runs.back();
            }
        glyphs[glyph.code] = std::move(glyph);
    }
    if (!glyphs.count(' ')) { // every font carries the space, with the font's advance
        U8g2Glyph space;
        space.code = ' ';
        space.advance = frames.spaceAdvance;
        glyphs[' '] = space;
    }
    return glyphs;
}

struct U8g2Font {
    std::vector<unsigned char> bytes;
    const char *problem = nullptr;
    std::string tooLarge; // the character whose record would not fit its size field
};

U8g2Font build(const FrameSet &frames) {
    U8g2Font font;
    if (frames.coding != 0 || !isText(frames)) {
        font.problem = "No text frames."; // refused before, as the style's row says
        return font;
    }
    std::map<unsigned, U8g2Glyph> glyphs = glyphsOf(frames);
    if (glyphs.rbegin()->first > 0xFFFF) {
        font.problem = "u8g2 takes no character above U+FFFF.";
        return font;
    }
    Widths widths;
    int right = 0, top = 0, minX = 0, minY = 0; // the font's box: every glyph's, and the origin
    for (const auto &entry : glyphs) {
        const U8g2Glyph &glyph = entry.second;
        widths.width = std::max(widths.width, unsignedBits(glyph.width));
        widths.height = std::max(widths.height, unsignedBits(glyph.height));
        widths.x = std::max(widths.x, signedBits(glyph.x));
        widths.y = std::max(widths.y, signedBits(glyph.y));
        widths.advance = std::max(widths.advance, signedBits(glyph.advance));
        right = std::max(right, glyph.x + glyph.width), top = std::max(top, glyph.y + glyph.height);
        minX = std::min(minX, glyph.x), minY = std::min(minY, glyph.y);
    }
    int maxWidth = right - minX, maxHeight = top - minY;
    if (maxWidth > 255 || maxHeight > 255 || widths.x > 8 || widths.y > 8 || widths.advance > 8 ||
        minX < -128 || minY < -128) {
        font.problem = "A glyph is larger, or lies further from its origin, than u8g2 holds.";
        return font;
    }
    // the run widths that make the font smallest
    size_t smallest = SIZE_MAX;
    Widths best = widths;
    for (int zeros = 2; zeros <= 8; ++zeros) // a field takes at most 8 bits
        for (int ones = 2; ones <= 7; ++ones) {
            Widths tried = widths;
            tried.zeros = zeros, tried.ones = ones;
            size_t size = 0;
            for (const auto &entry : glyphs)
                size += recordBytes(entry.second, tried);
            if (size < smallest) smallest = size, best = tried;
        }
    auto signedByte = [](int value) { return static_cast<unsigned char>(value & 0xFF); };
    auto ascentOf = [&glyphs](unsigned code) {
        auto found = glyphs.find(code);
        return found == glyphs.end() ? 0 : found->second.height + found->second.y;
    };
    auto descentOf = [&glyphs](unsigned code) {
        auto found = glyphs.find(code);
        return found == glyphs.end() ? 0 : found->second.y;
    };
    // the header keeps these in signed bytes
    for (int metric : {ascentOf('A'), descentOf('g'), ascentOf('('), descentOf(')')})
        if (metric < -128 || metric > 127) {
            font.problem = "Its ascent or descent (of A, g or the parentheses) lies beyond 127 "
                           "pixels, more than u8g2's header holds.";
            return font;
        }
    std::vector<unsigned char> &out = font.bytes;
    out = {static_cast<unsigned char>(std::min<size_t>(glyphs.size(), 255)),
           0,
           static_cast<unsigned char>(best.zeros),
           static_cast<unsigned char>(best.ones),
           static_cast<unsigned char>(best.width),
           static_cast<unsigned char>(best.height),
           static_cast<unsigned char>(best.x),
           static_cast<unsigned char>(best.y),
           static_cast<unsigned char>(best.advance),
           static_cast<unsigned char>(maxWidth),
           static_cast<unsigned char>(maxHeight),
           signedByte(minX),
           signedByte(minY),
           signedByte(ascentOf('A')),
           signedByte(descentOf('g')),
           signedByte(ascentOf('(')),
           signedByte(descentOf(')')),
           0,
           0,
           0,
           0,
           0,
           0};
    auto putWord = [&out](size_t at, size_t value) {
        out[at] = static_cast<unsigned char>(value >> 8);
        out[at + 1] = static_cast<unsigned char>(value);
    };
    // the glyphs up to 255: the code, the record's size, its bits; a record of size 0 ends them
    size_t upperA = 0, lowerA = 0;
    bool upperFound = false, lowerFound = false;
    for (const auto &entry : glyphs) {
        if (entry.first > 255) break;
        size_t at = out.size() - 23;
        if (!upperFound && entry.first >= 'A') upperA = at, upperFound = true;
        if (!lowerFound && entry.first >= 'a') lowerA = at, lowerFound = true;
        std::vector<unsigned char> bits = recordBits(entry.second, best);
        if (bits.size() + 2 > 255) {
            font.tooLarge = utf8Of(std::wstring(1, static_cast<wchar_t>(entry.first)));
            return font;
        }
        out.push_back(static_cast<unsigned char>(entry.first));
        out.push_back(static_cast<unsigned char>(bits.size() + 2));
        out.insert(out.end(), bits.begin(), bits.end());
    }
    out.push_back(0);
    out.push_back(0);
    putWord(17, upperA);
    putWord(19, lowerA);
    putWord(21, out.size() - 23);
    // the others: records with their codes in two bytes, ended by code 0, behind a jump table
    // of blocks of glyphsInABlock: each block's distance from the one before (the first's from
    // the table) and its last code, the last block's 0xFFFF
    constexpr size_t glyphsInABlock = 100;
    std::vector<unsigned char> records;
    std::vector<std::pair<size_t, unsigned>> blocks; // start in records, last code
    size_t inBlock = 0;
    for (auto entry = glyphs.upper_bound(255); entry != glyphs.end(); ++entry, ++inBlock) {
        std::vector<unsigned char> bits = recordBits(entry->second, best);
        if (bits.size() + 3 > 255) {
            font.tooLarge = utf8Of(std::wstring(1, static_cast<wchar_t>(entry->first)));
            return font;
        }
        if (inBlock % glyphsInABlock == 0) blocks.emplace_back(records.size(), entry->first);
        blocks.back().second = entry->first;
        records.push_back(static_cast<unsigned char>(entry->first >> 8));
        records.push_back(static_cast<unsigned char>(entry->first));
        records.push_back(static_cast<unsigned char>(bits.size() + 3));
        records.insert(records.end(), bits.begin(), bits.end());
    }
    if (blocks.empty()) blocks.emplace_back(0, 0xFFFF);
    blocks.back().second = 0xFFFF;
    size_t tableBytes = 4 * blocks.size();
    for (size_t i = 0; i < blocks.size(); ++i) {
        size_t distance = i == 0 ? tableBytes : blocks[i].first - blocks[i - 1].first;
        out.insert(out.end(),
                   {static_cast<unsigned char>(distance >> 8), static_cast<unsigned char>(distance),
                    static_cast<unsigned char>(blocks[i].second >> 8),
                    static_cast<unsigned char>(blocks[i].second)});
    }
    out.insert(out.end(), records.begin(), records.end());
    out.push_back(0);
    out.push_back(0);
    return font;
}

} // namespace

std::string u8g2FontProblem(const FrameSet &frames, const Settings &) {
    U8g2Font font = build(frames);
    if (font.problem) return font.problem;
    if (!font.tooLarge.empty())
        return "The glyph of " + font.tooLarge +
               " takes more than a u8g2 record holds (255 bytes).";
    return "";
}

bool writeU8g2Font(const FrameSet &frames, const Settings &settings, std::string &out) {
    U8g2Font font = build(frames);
    if (font.problem || !font.tooLarge.empty()) return false;
    const char *name = settings.arrayName.c_str();
    out = sourceHeader(frames, settings);
    appendFormatted(
        out,
        "/* A u8g2 font: %s.\n   u8g2.setFont(%s); u8g2.drawUTF8(x, y, text); */\n"
        "#include <stdint.h>\n#ifndef U8G2_FONT_SECTION\n#define U8G2_FONT_SECTION(name)\n"
        "#endif\nconst uint8_t %s[%u] U8G2_FONT_SECTION(\"%s\") =\n  \"",
        fontDescription(settings).c_str(), name, name, static_cast<unsigned>(font.bytes.size() + 1),
        name);
    std::string line;
    for (size_t i = 0; i < font.bytes.size(); ++i) {
        unsigned char byte = font.bytes[i];
        // printable bytes as themselves, all others as three octal digits: no escape runs on
        bool plain = byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\' && byte != '?';
        if (plain)
            line += static_cast<char>(byte);
        else
            line += {'\\', static_cast<char>('0' + (byte >> 6)),
                     static_cast<char>('0' + (byte >> 3 & 7)), static_cast<char>('0' + (byte & 7))};
        if (line.size() >= 72 && i + 1 < font.bytes.size()) {
            out += line + "\"\n  \"";
            line.clear();
        }
    }
    out += line + "\";\n";
    return true;
}
