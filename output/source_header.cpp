// The comment that opens a written source: the settings it was written with and the names of
// its frames, which File, Load reads back.
#include "output/output.h"

#include "convert/source_parser.h"
#include "convert/text_conversion.h"
#include "convert/text_file.h"
#include "convert/unicode_text.h"
#include "output/formatted.h"
#include "output/output_styles.h"

static const char quote = 34;

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

std::string sourceHeader(const FrameSet &frames, const Settings &settings) {
    HeaderComment form = outputStyleRow(settings.outputStyle).header;
    if (form == HeaderComment::none) return "";
    bool assembler = form == HeaderComment::lines;
    const char *prefix = assembler ? ";\t" : "\t";
    std::string out = assembler ? ";Config:\n" : "/*Config:\n";
    out += settingsHeaderLines(settings, prefix);
    // names in UTF-8 are written as they are, and said so
    bool namesWritten = settings.inputMode == ManualPaint || settings.inputMode == ManualText;
    if (frames.unicodeNames && namesWritten)
        appendFormatted(out, "%sText Encoding=UTF-8\n", prefix);
    std::string names = keywords(frames, settings);
    std::string written = assembler ? names : keywordsForComment(names);
    appendFormatted(out, "%sKeywords=%c%s", prefix, quote, written.c_str());
    // in assembler the closing quote is followed by a semicolon in every mode but ManualPaint,
    // and there too once frames name their characters
    if (assembler && (settings.inputMode != ManualPaint || !written.empty()))
        appendFormatted(out, "%c;\n", quote);
    else
        appendFormatted(out, "%c\n", quote);
    if (!assembler) out += "*/\n";
    return out;
}
