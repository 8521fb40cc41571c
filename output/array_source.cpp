// The plain tables: the frames as an array for an 8051 C compiler (C51), an ANSI C array, or
// assembler db lines, one line of bytes a frame.
#include "output/array_source.h"

#include "model/coded_pixels.h"
#include "model/glyph_shades.h"
#include "output/coded_output.h"
#include "output/hex_digits.h"

constexpr size_t lineLimit = 1024;

namespace {

// What the three tables differ in: the declaration before the bytes and the bytes' spelling.
struct ArrayDialect {
    bool assembler;
    const char *declaration; // before the array's name
};
const ArrayDialect c51 = {false, "code unsigned char "}, ansiC = {false, "const unsigned char "},
                   assembler = {true, nullptr};

// One frame's data bytes; assembler lines never carry a final comma, C lines only lack it after
// the last byte of the last frame. A line never exceeds lineLimit + 8.
void appendFrameLine(std::string &out, const unsigned char *data, size_t length, bool assembler,
                     bool lastFrame) {
    const std::string lineStart = assembler ? "\tdb " : "\t";
    std::string line = lineStart;
    for (size_t i = 0; i < length; ++i) {
        bool lastByte = i + 1 == length;
        bool comma = assembler ? !lastByte : !(lastByte && lastFrame);
        line += assembler ? "0" : "0x"; // 0x1f in C, 01fh in assembler
        appendHexDigits(line, data[i]);
        if (assembler) line += 'h';
        if (comma) line += ',';
        if (line.size() > lineLimit && !lastByte) {
            if (assembler)
                line.back() = ' ';
            else
                line += '\\';
            line += '\n';
            out += line;
            line = lineStart;
        }
    }
    out += line + '\n';
}

// Text frames at 4 bits a pixel: their shades in the 4-bit gray coding, ink bright, as a gray
// OLED shows a picture.
bool writesGrayText(const FrameSet &frames, const Settings &settings) {
    return bitsPerPixel(settings) == 4 && isText(frames) && frames.coding == 0;
}

bool packGrayFrame(const FrameSet &frames, int n, const Settings &settings,
                   std::vector<unsigned char> &record) {
    FrameSet gray;
    if (makeFrames(gray, frames.width, frames.height, 1, 1) != FramesMade::made) return false;
    for (int y = 0; y < frames.height; ++y)
        for (int x = 0; x < frames.width; ++x)
            storeCodedPixel(gray, x, y, (shadeAt(frames, n, x, y) * 15u + 127) / 255);
    record.assign(codedFrameBytes(frames.width, frames.height, 1) + 2, 0);
    packCodedFrame(gray, settings.codingStyle, settings.alignStyle, record.data() + 2);
    return true;
}

bool writeArray(const ArrayDialect &dialect, const FrameSet &frames, const Settings &given,
                std::string &out) {
    bool gray = writesGrayText(frames, given);
    Settings settings = given;
    if (gray) settings.bitmapStyle = 1; // the header says what the bytes are
    bool asm51 = dialect.assembler;
    out = sourceHeader(frames, settings);
    out +=
        asm51 ? settings.arrayName + ":\n" : dialect.declaration + settings.arrayName + "[]=\n{\n";
    int written = writtenFrames(frames);
    std::vector<unsigned char> record;
    for (int i = 0; i < written; ++i) {
        if (!(gray ? packGrayFrame(frames, i, settings, record)
                   : packFrame(frames, i, settings, record)))
            return false;
        if (settings.commentFrames)
            out += (asm51 ? "\t; " : "\t/* ") + frameComment(frames, i) + (asm51 ? "\n" : " */\n");
        appendFrameLine(out, record.data() + 2, record.size() - 2, asm51, i + 1 == written);
    }
    out += asm51 ? "END\n" : "};\n";
    return true;
}

} // namespace

std::string arrayProblem(const FrameSet &frames, const Settings &settings) {
    int bits = bitsPerPixel(settings);
    if ((bits == 2 || bits == 8) && isText(frames))
        return "Text frames of 2 or 8 bits a pixel are written as an LVGL font only: the C and "
               "ASM styles take 1 bit (dots) or 4 (gray).";
    return "";
}

bool writeC51Array(const FrameSet &frames, const Settings &settings, std::string &out) {
    return writeArray(c51, frames, settings, out);
}

bool writeAnsiCArray(const FrameSet &frames, const Settings &settings, std::string &out) {
    return writeArray(ansiC, frames, settings, out);
}

bool writeAsmArray(const FrameSet &frames, const Settings &settings, std::string &out) {
    return writeArray(assembler, frames, settings, out);
}
