#include "output/font_source.h"

#include "convert/font_file.h"
#include "convert/unicode_text.h"
#include "output/hex_digits.h"

unsigned frameCodePoint(const FrameSet &frames, int n) {
    const std::string &name = frames.names[n];
    return codePointOf(frames.unicodeNames ? wideOf(name) : wideOfAnsi(name));
}

std::string fontDescription(const Settings &settings) {
    std::string face = settings.fontFile.empty() ? settings.font.lfFaceName : settings.fontFile;
    face = face.substr(face.find_last_of("\\/") + 1);
    std::string size =
        isBdfPath(settings.fontFile) // a bitmap font is never scaled
            ? std::string("its own bitmaps")
            : settings.glyphSize == StretchToMatrix
                  ? "stretched to " + std::to_string(settings.width) + " x " +
                        std::to_string(settings.height)
                  : std::to_string(settings.fontPixelHeight) +
                        (settings.glyphSize == FontsEmSize ? " pixels em" : " pixels");
    std::string characters =
        settings.characterRange.empty() ? "the text's characters" : settings.characterRange;
    return face + ", " + size + ", " + characters;
}

void appendHexBytes(std::string &out, const unsigned char *bytes, size_t count, size_t perLine) {
    for (size_t i = 0; i < count; ++i) {
        out += i % perLine == 0 ? "    0x" : " 0x";
        appendHexDigits(out, bytes[i]);
        out += i + 1 == count || (i + 1) % perLine == 0 ? ",\n" : ",";
    }
}
