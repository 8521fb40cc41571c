#include "output/output.h"

#include "convert/text_conversion.h"
#include "convert/input_file.h"
#include "convert/source_parser.h"
#include "convert/text_file.h"
#include "output/coded_output.h"
#include "output/file_replacement.h"
#include "output/hex_digits.h"
#include "model/coded_pixels.h"
#include "model/glyph_shades.h"

#include <cstring>

static const char quote = 34;
constexpr size_t lineLimit = 1024;

// The frame names joined; in Manual Paint only the names of characters (frames loaded from a
// text), so that painted frames keep an empty list. A line break would end the header line: it
// is left out.
static std::string joinedNames(const FrameSet &frames, bool charactersOnly) {
    std::string joined;
    bool loneHighByte = false;
    for (const std::string &name : frames.names) {
        std::string entry = name.substr(0, 255);
        bool character = frames.unicodeNames ? unicodeCharacters(wideOf(entry), false).size() == 1
                                             : !entry.empty() && entry.size() <= 2;
        if (charactersOnly && !character) continue;
        // a high byte alone would take the next name's first byte: a tab parts them
        if (loneHighByte) joined += '\t';
        loneHighByte = !frames.unicodeNames && entry.size() == 1 && isLeadByte(entry[0]);
        for (char c : entry)
            if (c != '\n' && c != '\r') joined += c;
    }
    return joined;
}

static std::string keywords(const FrameSet &frames, const Settings &settings) {
    switch (settings.inputMode) {
    case ManualPaint:
        return joinedNames(frames, true);
    case ManualText:
        return joinedNames(frames, false);
    case TextFile:
    case BitmapFile:
        return settings.inputFile;
    }
    return "";
}

static void writeHeader(FILE *file, const FrameSet &frames, const Settings &settings) {
    bool assembler = settings.outputStyle == OutputAsm;
    const char *prefix = assembler ? ";\t" : "\t";
    fprintf(file, assembler ? ";Config:\n" : "/*Config:\n");
    fputs(settingsHeaderLines(settings, prefix).c_str(), file);
    // names in UTF-8 are written as they are, and said so
    bool namesWritten = settings.inputMode == ManualPaint || settings.inputMode == ManualText;
    if (frames.unicodeNames && namesWritten) fprintf(file, "%sText Encoding=UTF-8\n", prefix);
    std::string names = keywords(frames, settings);
    std::string written = assembler ? names : keywordsForComment(names);
    fprintf(file, "%sKeywords=%c%s", prefix, quote, written.c_str());
    // in assembler the closing quote is followed by a semicolon in every mode but ManualPaint,
    // and there too once frames name their characters
    if (assembler && (settings.inputMode != ManualPaint || !written.empty()))
        fprintf(file, "%c;\n", quote);
    else
        fprintf(file, "%c\n", quote);

    const char *name = settings.arrayName.c_str();
    if (settings.outputStyle == OutputC51)
        fprintf(file, "*/\ncode unsigned char %s[]=\n{\n", name);
    else if (settings.outputStyle == OutputAnsiC)
        fprintf(file, "*/\nconst unsigned char %s[]=\n{\n", name);
    else if (isFontStyle(settings.outputStyle))
        fputs("*/\n", file);
    else
        fprintf(file, "%s:\n", name);
}

// Writes one frame's data bytes; assembler lines never carry a final comma, C lines only
// lack it after the last byte of the last frame. A line never exceeds lineLimit + 8.
static void writeFrameLine(FILE *file, const unsigned char *data, size_t length, bool assembler,
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
            fwrite(line.data(), 1, line.size(), file);
            line = lineStart;
        }
    }
    line += '\n';
    fwrite(line.data(), 1, line.size(), file);
}

// Text frames in the C and ASM styles at 4 bits a pixel: their shades in the 4-bit gray coding,
// ink bright, as a gray OLED shows a picture.
static bool writesGrayText(const FrameSet &frames, const Settings &settings) {
    return !isFontStyle(settings.outputStyle) && bitsPerPixel(settings) == 4 && isText(frames) &&
           frames.coding == 0;
}

static bool packGrayFrame(const FrameSet &frames, int n, const Settings &settings,
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

int writeSource(FILE *file, const FrameSet &frames, const Settings &given) {
    bool gray = writesGrayText(frames, given);
    Settings settings = given;
    if (gray) settings.bitmapStyle = 1; // the header says what the bytes are
    bool assembler = settings.outputStyle == OutputAsm;
    writeHeader(file, frames, settings);
    if (settings.outputStyle == OutputGfx) {
        if (gfxFontProblem(frames)) return 0;
        writeGfxFont(file, frames, settings);
        return !ferror(file) ? 1 : 0;
    }
    if (settings.outputStyle == OutputU8g2) // the font is made once, for writing or refusing
        return writeU8g2Font(file, frames, settings) && !ferror(file) ? 1 : 0;
    if (settings.outputStyle == OutputLvgl)
        return writeLvglFont(file, frames, settings) && !ferror(file) ? 1 : 0;
    int written = writtenFrames(frames);
    std::vector<unsigned char> record;
    bool complete = true;
    for (int i = 0; complete && i < written; ++i) {
        complete = gray ? packGrayFrame(frames, i, settings, record)
                        : packFrame(frames, i, settings, record);
        if (complete && settings.commentFrames)
            fprintf(file, assembler ? "\t; %s\n" : "\t/* %s */\n", frameComment(frames, i).c_str());
        if (complete)
            writeFrameLine(file, record.data() + 2, record.size() - 2, assembler, i + 1 == written);
    }
    fputs(assembler ? "END\n" : "};\n", file);
    return complete && !ferror(file) ? 1 : 0;
}

static void reportFileError(Reporter &report, const char *what, const char *path, const char *why) {
    report.tell(std::string(what) + path + why, MB_ICONERROR);
}

Settings writtenSettings(const Settings &settings) {
    Settings written = settings;
    if (written.inputMode != BitmapFile) written.bitmapStyle = 0;
    return written;
}

const char *sourceProblem(const FrameSet &frames, const Settings &settings) {
    if (const char *problem = arrayNameProblem(settings.arrayName, settings.outputStyle))
        return problem;
    if (settings.outputStyle == OutputGfx) return gfxFontProblem(frames);
    int bits = bitsPerPixel(settings);
    if (!isFontStyle(settings.outputStyle) && (bits == 2 || bits == 8) && isText(frames))
        return "Text frames of 2 or 8 bits a pixel are written as an LVGL font only: the C and "
               "ASM styles take 1 bit (dots) or 4 (gray).";
    static thread_local std::string fontProblem;
    fontProblem = settings.outputStyle == OutputU8g2   ? u8g2FontProblem(frames)
                  : settings.outputStyle == OutputLvgl ? lvglFontProblem(frames, settings)
                                                       : "";
    return fontProblem.empty() ? nullptr : fontProblem.c_str();
}

// The source goes into a new file beside the target, which it replaces only when complete: a
// failed save leaves the previous file as it was and no file of ours behind.
int saveSource(const char *path, const FrameSet &frames, const Settings &settings,
               Reporter &report) {
    if (pathTooLong(path)) {
        reportPathTooLong(report);
        return 0;
    }
    const char *problem = targetProblem(path);
    if (!problem) problem = sourceProblem(frames, settings);
    if (problem) {
        reportFileError(report, "Can't write ", path, (std::string("!\n") + problem).c_str());
        return 0;
    }
    std::wstring temporary;
    bool created = createFileBeside(path, temporary);
    FILE *file = created ? _wfopen(temporary.c_str(), L"wt") : nullptr;
    if (!file) {
        if (created) DeleteFileW(temporary.c_str());
        reportFileError(report, "Can't open ", path, "!");
        return 0;
    }
    bool complete = writeSource(file, frames, writtenSettings(settings));
    complete = fclose(file) == 0 && complete;
    if (complete && replaceTarget(temporary, path)) return 1;
    if (!complete) DeleteFileW(temporary.c_str());
    reportFileError(report, "Can't write ", path, "!\nThe file is not complete.");
    return 0;
}
