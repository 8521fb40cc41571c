#include "output/output.h"

#include "convert/convert.h"
#include "convert/source_parser.h"
#include "model/editor_state.h"
#include "output/file_replacement.h"
#include "model/user_messages.h"

#include <cstdlib>
#include <cstring>
#include <string>

static const char quote = 34;
constexpr size_t lineLimit = 1024;

// The texts of the frame list joined; in Manual Paint only the entries that name a character
// (frames loaded from a text), so that painted frames keep an empty list. A line break would
// end the header line: it is left out.
static std::string joinedEntries(bool charactersOnly) {
    int entries = static_cast<int>(SendMessageA(editor.frameComboBox, CB_GETCOUNT, 0, 0));
    std::string joined;
    bool loneHighByte = false;
    for (int i = 0; i < entries; ++i) {
        LRESULT length = SendMessageA(editor.frameComboBox, CB_GETLBTEXTLEN, i, 0);
        if (length < 0 || (charactersOnly && (length < 1 || length > 2))) continue;
        std::string entry(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(editor.frameComboBox, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&entry[0]));
        entry.resize(strnlen(entry.c_str(), 255));
        // a high byte alone would take the next name's first byte: a tab parts them
        if (loneHighByte) joined += '\t';
        loneHighByte = entry.size() == 1 && isLeadByte(entry[0]);
        for (char c : entry)
            if (c != '\n' && c != '\r') joined += c;
    }
    return joined;
}

static std::string keywords() {
    switch (editor.inputMode) {
    case ManualPaint:
        return joinedEntries(true);
    case ManualText:
        return joinedEntries(false);
    case TextFile:
        return editor.textFilePath;
    case BitmapFile:
        return editor.bitmapFilePath;
    }
    return "";
}

// format holds one %s for the path.
static void reportFileError(const char *format, const char *path) {
    char text[pathCapacity + 64];
    snprintf(text, sizeof text, format, path);
    tellUser(editor.mainWindow, text, nullptr, MB_ICONERROR | MB_OK);
}

void writeHeader(FILE *file) {
    bool assembler = editor.outputStyle == OutputAsm;
    if (assembler) {
        fprintf(file, ";Config:\n;\tWidth=%d\n;\tHeight=%d\n;\tText Mode=%d\n;\t",
                editor.pixelWidth, editor.pixelHeight, editor.inputMode);
        fprintf(file, "Output Style=%d\n;\tBitmap Style=%d\n;\t", editor.outputStyle,
                editor.bitmapStyle);
    } else {
        fprintf(file, "/*Config:\n\tWidth=%d\n\tHeight=%d\n\tText Mode=%d\n\t", editor.pixelWidth,
                editor.pixelHeight, editor.inputMode);
        fprintf(file, "Output Style=%d\n\tBitmap Style=%d\n\t", editor.outputStyle,
                editor.bitmapStyle);
    }
    // the dot order only when it is not the default, so default output stays as it was
    if (editor.codingStyle != 0 || editor.alignStyle != 0)
        fprintf(file,
                assembler ? "Coding Style=%d\n;\tAlign Style=%d\n;\t"
                          : "Coding Style=%d\n\tAlign Style=%d\n\t",
                editor.codingStyle, editor.alignStyle);
    std::string written = assembler ? keywords() : keywordsForComment(keywords());
    fprintf(file, "Keywords=%c%s", quote, written.c_str());
    // in assembler the closing quote is followed by a semicolon in every mode but ManualPaint,
    // and there too once frames name their characters
    if (assembler && (editor.inputMode != ManualPaint || !written.empty()))
        fprintf(file, "%c;\n", quote);
    else
        fprintf(file, "%c\n", quote);

    if (editor.outputStyle == OutputC51)
        fputs("*/\ncode unsigned char CODE_MATRIX[]=\n{\n", file);
    else if (editor.outputStyle == OutputAnsiC)
        fputs("*/\nconst unsigned char CODE_MATRIX[]=\n{\n", file);
    else
        fputs("CODE_MATRIX:\n", file);
}

static int listedFrames() {
    int entries = static_cast<int>(SendMessageA(editor.frameComboBox, CB_GETCOUNT, 0, 0));
    return entries > 0 ? entries : 1;
}

// Writes one frame's data bytes; assembler lines never carry a final comma, C lines only
// lack it after the last byte of the last frame. A line never exceeds lineLimit + 8.
static void writeFrameLine(FILE *file, const unsigned char *data, size_t length, bool assembler,
                           bool lastFrame) {
    const char *lineStart = assembler ? "\tdb " : "\t";
    const size_t startLength = strlen(lineStart);
    char line[lineLimit + 16];
    memcpy(line, lineStart, startLength);
    size_t used = startLength;
    for (size_t i = 0; i < length; ++i) {
        bool lastByte = i + 1 == length;
        bool comma = assembler ? !lastByte : !(lastByte && lastFrame);
        const char *format =
            assembler ? (data[i] < 16 ? "00%xh" : "0%xh") : (data[i] < 16 ? "0x0%x" : "0x%x");
        used += snprintf(line + used, sizeof line - used, format, data[i]);
        if (comma) line[used++] = ',';
        if (used > lineLimit && !lastByte) {
            if (assembler)
                line[used - 1] = ' ';
            else
                line[used++] = '\\';
            line[used++] = '\n';
            fwrite(line, 1, used, file);
            used = startLength;
        }
    }
    line[used++] = '\n';
    fwrite(line, 1, used, file);
}

static int writeBody(FILE *file, bool assembler) {
    int frames = listedFrames();
    for (int i = 0; i < frames; ++i) {
        const unsigned char *record = frameRecord(i);
        if (!record) return 0;
        writeFrameLine(file, record + 2, frameRecordLength(), assembler, i + 1 == frames);
    }
    return 1;
}

int writeCBody(FILE *file) {
    return writeBody(file, false);
}
int writeAsmBody(FILE *file) {
    return writeBody(file, true);
}

// Returns 0 when anything written into the file was lost (a full disk, a removed medium).
int writeTrailer(FILE *file) {
    fputs(editor.outputStyle == OutputAsm ? "END\n" : "};\n", file);
    bool written = !ferror(file);
    return fclose(file) == 0 && written ? 1 : 0;
}

// The source goes into a new file beside the target, which it replaces only when complete: a
// failed save leaves the previous file as it was and no file of ours behind.
int writeSourceFile(const char *path) {
    char temporary[MAX_PATH];
    FILE *file = createFileBeside(path, temporary) ? fopen(temporary, "wt") : nullptr;
    if (!file) {
        reportFileError("Can't open %s!", path);
        return 0;
    }
    writeHeader(file);
    bool complete = editor.outputStyle == OutputAsm ? writeAsmBody(file) : writeCBody(file);
    bool written = writeTrailer(file) && complete;
    if (written && replaceTarget(temporary, path)) return 1;
    if (!written) DeleteFileA(temporary);
    reportFileError("Can't write %s!\nThe file is not complete.", path);
    return 0;
}

int saveSource(const char *path) {
    int rememberedStyle = editor.bitmapStyle;
    if (editor.inputMode != BitmapFile) editor.bitmapStyle = 0;
    int result = writeSourceFile(path);
    editor.bitmapStyle = rememberedStyle;
    editor.lastSaveResult = result;
    return result;
}
