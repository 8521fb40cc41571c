#include "convert/text_conversion.h"

#include "convert/font_file.h"
#include "convert/glyph_canvas.h"
#include "convert/glyph_shading.h"
#include "model/size_limits.h"
#include "output/output_styles.h"

#include <cstdio>
#include <cstring>

static bool isLineOrTab(unsigned char b) {
    return b == '\n' || b == '\r' || b == '\t';
}
bool isLeadByte(unsigned char b) {
    return IsDBCSLeadByte(b);
}

// A line break, a tab or the terminating zero is never the second byte of a character: a
// frame name may never hold a line break.
int characterBytes(const unsigned char *text, int at, int length) {
    if (!isLeadByte(text[at]) || at + 1 >= length) return 1;
    unsigned char second = text[at + 1];
    return isLineOrTab(second) || second == 0 ? 1 : 2;
}

// Searches every byte offset of the kept bytes, not only where characters begin.
static bool keptContains(const unsigned char *kept, int k, unsigned char b) {
    for (int o = 0; o < k; ++o)
        if (kept[o] == b) return true;
    return false;
}

// Offset k is compared too (the zero after the kept bytes), never beyond the buffer.
static bool keptContainsPair(const unsigned char *kept, int k, int length, unsigned char b,
                             unsigned char b2) {
    for (int o = 0; o < k && o + 1 < length; ++o)
        if (kept[o] == b && kept[o + 1] == b2) return true;
    return false;
}

void removeRepeatedCharacters(const unsigned char *text, int length, unsigned char *kept) {
    int k = 0;
    for (int p = 0; p < length; ++p) {
        unsigned char b = text[p];
        if (isLineOrTab(b)) continue;
        if (characterBytes(text, p, length) == 1) {
            if (keptContains(kept, k, b)) continue;
            kept[k++] = b;
            // a high byte alone keeps what parts it from the next character
            if (isLeadByte(b) && p + 1 < length && text[p + 1]) kept[k++] = text[++p];
            continue;
        }
        unsigned char b2 = text[p + 1];
        if (!keptContainsPair(kept, k, length, b, b2)) {
            kept[k++] = b;
            kept[k++] = b2;
        }
        ++p;
    }
}

std::vector<std::string> textCharacters(const std::string &text, bool dropRepeats) {
    int length = static_cast<int>(text.size()) + 1; // with the terminating zero
    std::vector<unsigned char> kept(length);
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(text.c_str());
    if (dropRepeats)
        removeRepeatedCharacters(bytes, length, kept.data());
    else
        memcpy(kept.data(), bytes, length);
    std::vector<std::string> characters;
    for (int p = 0; p < length && kept[p]; ++p) {
        if (isLineOrTab(kept[p])) continue;
        int bytesOfCharacter = characterBytes(kept.data(), p, length);
        characters.emplace_back(reinterpret_cast<const char *>(&kept[p]), bytesOfCharacter);
        p += bytesOfCharacter - 1;
    }
    return characters;
}

HFONT createGlyphFont(const LOGFONTA &font, int width, int height) {
    // Smoothed edges are grey and only black sets a dot: curves and diagonals would lose
    // their dots. The stored record keeps its quality.
    LOGFONTA glyphFont = font;
    glyphFont.lfWidth = width;
    glyphFont.lfHeight = height;
    glyphFont.lfQuality = NONANTIALIASED_QUALITY;
    return CreateFontIndirectA(&glyphFont);
}

void sampleCanvas(const DWORD *pixels, int canvasWidth, int canvasHeight, FrameSet &frames, int n,
                  int shiftX, int shiftY) {
    for (int x = 0; x < frames.width; ++x) {
        for (int y = 0; y < frames.height; ++y) {
            int sx = x + shiftX, sy = y + shiftY;
            bool inside = pixels && sx >= 0 && sx < canvasWidth && sy >= 0 && sy < canvasHeight;
            putDot(frames, n, x, y,
                   inside && (pixels[static_cast<size_t>(sy) * canvasWidth + sx] & 0xFFFFFF) == 0);
        }
    }
}

std::vector<TextCharacter> charactersOf(const Text &text, bool dropRepeats) {
    std::vector<TextCharacter> characters;
    if (!text.unicode) {
        for (std::string &bytes : textCharacters(text.ansi, dropRepeats))
            characters.push_back({bytes, L"", bytes.size() == 2});
        return characters;
    }
    for (std::wstring &units : unicodeCharacters(text.wide, dropRepeats))
        characters.push_back({utf8Of(units), units, isWideCharacter(codePointOf(units))});
    return characters;
}

// How many characters, and the first few: what is said of one, or of more.
static std::string someCharacters(const char *ofOne, const char *ofMore,
                                  const std::vector<std::string> &characters) {
    size_t count = characters.size();
    std::string text = std::to_string(count) + (count == 1 ? " character " : " characters ") +
                       (count == 1 ? ofOne : ofMore);
    for (size_t i = 0; i < count && i < 5; ++i)
        text += " " + characters[i];
    return count > 5 ? text + " ..." : text;
}

static std::string codePointName(unsigned codePoint) {
    char name[16];
    snprintf(name, sizeof name, "U+%04X", codePoint);
    return name;
}

// A character's code point: its UTF-16 units, or its bytes in the system's code page.
static unsigned codePointOf(const TextCharacter &character) {
    return codePointOf(character.units.empty() ? wideOfAnsi(character.name) : character.units);
}

FramesMade convertText(const Text &text, Settings &settings, FrameSet &frames, Reporter &report) {
    std::vector<TextCharacter> characters = charactersOf(text, settings.characterDetect != 0);
    int count = characters.empty() ? 1 : static_cast<int>(characters.size());
    FrameSet made;
    FramesMade result = makeFrames(made, settings.width, settings.height, count);
    if (result == FramesMade::tooLarge)
        report.tell(framesTooLargeText(settings.width, settings.height, count), MB_ICONERROR);
    if (result != FramesMade::made) return result;
    FontFile fontFile;
    if (!settings.fontFile.empty()) {
        std::string reason = openFontFile(settings.fontFile, settings.font.lfFaceName, fontFile);
        if (!reason.empty()) {
            report.tell("Can't read " + settings.fontFile + "!\n" + reason, MB_ICONERROR);
            return FramesMade::refused;
        }
        if (!fontFile.bdf.remark.empty()) report.remark(fontFile.bdf.remark);
        if (!fontFile.bitmap) { // the file's family, whatever its script
            snprintf(settings.font.lfFaceName, LF_FACESIZE, "%s", ansiOf(fontFile.family).c_str());
            settings.font.lfCharSet = DEFAULT_CHARSET;
        } else if (settings.glyphSize != StretchToMatrix || settings.fontPixelHeight != 16) {
            report.remark("The glyph size settings don't apply to a bitmap font: its glyphs are "
                          "placed as it draws them.");
        }
    }
    // One canvas and its fonts serve a whole conversion.
    GlyphCanvas canvas;
    if (!fontFile.bitmap) openGlyphCanvas(canvas, settings);
    std::vector<std::string> notFitted, notInFont;
    // glyphs beyond the matrix keep their whole ink for a font, within the frames' own bound
    unsigned long long inkLeft = maxFrameStoreBytes * 8;
    bool wholeGlyphs = outputStyleRow(settings.outputStyle).takes & takesWholeGlyphs;
    for (size_t i = 0; i < characters.size(); ++i) {
        if (report.cancelled()) {
            if (!fontFile.bitmap) closeGlyphCanvas(canvas);
            return FramesMade::refused;
        }
        report.progress(static_cast<int>((i + 1) * 100 / characters.size()));
        int n = static_cast<int>(i);
        GlyphDrawn drawn = fontFile.bitmap ? drawBdfGlyph(fontFile.bdf, codePointOf(characters[i]),
                                                          settings, made, n)
                                           : drawGlyph(canvas, characters[i], settings, made, n);
        if (drawn.glyph.ink.size() > inkLeft) drawn.glyph.ink.clear(), drawn.glyph.inkWidth = 0;
        inkLeft -= drawn.glyph.ink.size();
        bool kept = wholeGlyphs && !drawn.glyph.ink.empty();
        if (!drawn.fits && !kept) notFitted.push_back(characters[i].name);
        if (!drawn.inFont) notInFont.push_back(codePointName(codePointOf(characters[i])));
        made.names.push_back(characters[i].name);
        made.glyphs.push_back(drawn.glyph);
    }
    made.lineHeight = canvas.lineHeight ? canvas.lineHeight : settings.height;
    made.spaceAdvance = canvas.lineHeight ? canvas.spaceAdvance : settings.width;
    made.ascent = settings.height; // stretched: the cell's bottom is the baseline
    if (fontFile.bitmap) {
        const BdfFont &bdf = fontFile.bdf;
        made.lineHeight = bdf.ascent + bdf.descent;
        made.ascent = bdf.ascent, made.descent = bdf.descent;
        auto space = bdf.glyphs.find(' ');
        made.spaceAdvance = space != bdf.glyphs.end() ? space->second.advance : bdf.ascent / 2;
    } else {
        if (canvas.lineHeight) { // the font at its own size: its metrics and kerning
            std::vector<unsigned> codePoints;
            for (const TextCharacter &character : characters)
                codePoints.push_back(codePointOf(character));
            SelectObject(canvas.dc, canvas.fonts[0]);
            readFontMetrics(canvas.dc, codePoints, made);
        }
        closeGlyphCanvas(canvas);
    }
    if (!notFitted.empty())
        report.remark(
            someCharacters("did not fit the matrix:", "did not fit the matrix:", notFitted));
    if (!notInFont.empty())
        report.remark(someCharacters("is not in the font:", "are not in the font:", notInFont));
    made.unicodeNames = text.unicode;
    frames = std::move(made);
    return FramesMade::made;
}
