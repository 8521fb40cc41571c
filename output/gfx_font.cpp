// Frames as an Adafruit GFX font: each glyph cropped to its ink and packed row after row, most
// significant bit first, with a byte boundary only at the glyph's end; a GFXglyph for every
// character from the first to the last; a GFXfont naming them.
#include "output/output.h"

#include "convert/unicode_text.h"
#include "output/formatted.h"
#include "output/hex_digits.h"

#include <algorithm>

struct GfxGlyph {
    size_t offset = 0;
    int width = 0, height = 0, xAdvance = 0, xOffset = 0, yOffset = 0;
    int frame = -1; // the frame it comes from; -1 for a character not converted
};

struct GfxFont {
    std::vector<unsigned char> bitmaps;
    std::vector<GfxGlyph> glyphs;
    unsigned first = 0, last = 0;
    int yAdvance = 0;
    bool text = false; // characters, else frames drawn as glyphs 0 to n - 1
};

// A text frame's character code; above 0xFFFF for two-byte ANSI characters.
static unsigned codeOf(const FrameSet &frames, int n) {
    const std::string &name = frames.names[n];
    if (frames.unicodeNames) return codePointOf(wideOf(name));
    return name.size() == 1 ? static_cast<unsigned char>(name[0]) : 0x10000;
}

// The frame's ink (the whole frame for frames that are no text), packed into bitmaps.
static GfxGlyph packedGlyph(const FrameSet &frames, int n, bool text,
                            std::vector<unsigned char> &bitmaps) {
    // a text frame's glyph whole, else the whole frame
    InkBox ink = text ? glyphInkBox(frames, n) : InkBox{0, 0, frames.width, frames.height};
    GfxGlyph glyph;
    glyph.offset = bitmaps.size();
    glyph.width = ink.right - ink.left;
    glyph.height = ink.bottom - ink.top;
    glyph.frame = n;
    const FrameSet::Glyph cell =
        text ? frames.glyphs[n] : FrameSet::Glyph{0, frames.height, frames.width};
    glyph.xAdvance = cell.advance;
    glyph.xOffset = ink.left - cell.originX;
    glyph.yOffset = ink.top - cell.baseline;
    int bit = 0;
    for (int y = ink.top; y < ink.bottom; ++y)
        for (int x = ink.left; x < ink.right; ++x, ++bit) {
            if (bit % 8 == 0) bitmaps.push_back(0);
            if (text ? glyphDot(frames, n, x, y) : dotAt(frames, n, x, y))
                bitmaps.back() |= 0x80 >> (bit % 8);
        }
    return glyph;
}

static GfxFont layOut(const FrameSet &frames) {
    GfxFont font;
    font.text = isText(frames);
    if (!font.text) {
        for (int n = 0; n < writtenFrames(frames); ++n)
            font.glyphs.push_back(packedGlyph(frames, n, false, font.bitmaps));
        font.last = static_cast<unsigned>(font.glyphs.size()) - 1;
        font.yAdvance = frames.height;
        return font;
    }
    font.first = ' '; // every font carries the space, with the font's own advance
    for (int n = 0; n < frames.count; ++n) {
        font.first = std::min(font.first, codeOf(frames, n));
        font.last = std::max(font.last, codeOf(frames, n));
    }
    if (font.last > 255) return font;
    font.glyphs.resize(font.last - font.first + 1);
    for (GfxGlyph &glyph : font.glyphs) // characters not converted: a space's advance
        glyph.xAdvance = frames.spaceAdvance;
    for (int n = 0; n < frames.count; ++n)
        font.glyphs[codeOf(frames, n) - font.first] = packedGlyph(frames, n, true, font.bitmaps);
    for (GfxGlyph &glyph : font.glyphs) // a character not converted has no bitmap of its own
        if (glyph.frame < 0) glyph.offset = font.bitmaps.size();
    font.yAdvance = frames.lineHeight;
    return font;
}

std::string gfxFontProblem(const FrameSet &frames, const Settings &) {
    GfxFont font = layOut(frames);
    if (font.yAdvance > 255) return "Its line height is over 255 pixels.";
    if (font.text && font.last > 255) return "A GFX font holds characters up to 255 only.";
    if (font.bitmaps.size() > 65535) return "Its bitmaps would take more than 65535 bytes.";
    for (const GfxGlyph &glyph : font.glyphs)
        if (glyph.width > 255 || glyph.height > 255 || glyph.xAdvance > 255 || glyph.xAdvance < 0)
            return "A glyph is wider, taller or advances further than 255 pixels.";
        else if (glyph.xOffset < -128 || glyph.xOffset > 127 || glyph.yOffset < -128 ||
                 glyph.yOffset > 127)
            return "A glyph lies further than 128 pixels from its origin.";
    return "";
}

bool writeGfxFont(const FrameSet &frames, const Settings &settings, std::string &out) {
    GfxFont font = layOut(frames);
    const char *name = settings.arrayName.c_str();
    out = sourceHeader(frames, settings);
    if (font.text)
        appendFormatted(
            out, "/* An Adafruit GFX font: display.setFont(&%s); display.print(text); */\n", name);
    else
        appendFormatted(
            out,
            "/* Frames as glyphs 0 to %u of an Adafruit GFX font: display.setFont(&%s);\n"
            "   display.drawChar(x, y, n, color, color, 1) draws frame n with its bottom-left"
            " corner at (x, y - 1). */\n",
            font.last, name);
    if (font.bitmaps.empty()) font.bitmaps.push_back(0); // a C array holds one byte at least
    appendFormatted(out, "const uint8_t %sBitmaps[] PROGMEM = {", name);
    std::string bitmaps;
    for (size_t i = 0; i < font.bitmaps.size(); ++i) {
        bitmaps += i % 12 ? " 0x" : "\n    0x";
        appendHexDigits(bitmaps, font.bitmaps[i], true);
        if (i + 1 < font.bitmaps.size()) bitmaps += ',';
    }
    out += bitmaps;
    appendFormatted(out, "};\n\nconst GFXglyph %sGlyphs[] PROGMEM = {\n", name);
    for (size_t i = 0; i < font.glyphs.size(); ++i) {
        const GfxGlyph &glyph = font.glyphs[i];
        char code[24];
        snprintf(code, sizeof code, "0x%02X not converted", font.first + static_cast<unsigned>(i));
        std::string comment = glyph.frame >= 0 ? frameComment(frames, glyph.frame) : code;
        appendFormatted(out, "    {%u, %d, %d, %d, %d, %d}%s /* %s */\n",
                        static_cast<unsigned>(glyph.offset), glyph.width, glyph.height,
                        glyph.xAdvance, glyph.xOffset, glyph.yOffset,
                        i + 1 < font.glyphs.size() ? "," : "", comment.c_str());
    }
    appendFormatted(out,
                    "};\n\nconst GFXfont %s PROGMEM = {(uint8_t *)%sBitmaps, (GFXglyph *)%sGlyphs, "
                    "0x%02X, 0x%02X, %d};\n",
                    name, name, name, font.first, font.last, font.yAdvance);
    return true;
}
