// morvex7c: the console program. It calls the core directly: no window, no message loop;
// every setting from its options, messages as lines on standard error.
#include "app/console_options.h"
#include "convert/input_file.h"
#include "model/character_range.h"
#include "model/transforms.h"
#include "convert/picture_import.h"
#include "convert/source_file.h"
#include "convert/text_conversion.h"
#include "convert/text_file.h"
#include "output/output.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <new>

// Messages as one line each on standard error; an error marks the run as failed. Progress is
// shown on a terminal only, one line written over in place.
class ConsoleReporter : public Reporter {
  public:
    bool failed = false;
    void tell(const std::string &text, UINT type) override {
        writeLine(text);
        if ((type & MB_ICONMASK) == MB_ICONERROR) failed = true;
    }
    void remark(const std::string &text) override { writeLine(text); }
    void progress(int percent) override {
        static const bool terminal = GetFileType(GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_CHAR;
        if (!terminal || percent == lastPercent) return;
        lastPercent = percent;
        fprintf(stderr, "\rFormat progress:%d%%", percent);
        progressShown = true;
    }

  private:
    int lastPercent = -1;
    bool progressShown = false;

    // One line, below a progress line if one was shown: the box's line breaks become spaces.
    void writeLine(std::string line) {
        while (!line.empty() && line.back() == '\n')
            line.pop_back();
        for (char &c : line)
            if (c == '\n') c = ' ';
        fprintf(stderr, "%smorvex7c: %s\n", progressShown ? "\n" : "", line.c_str());
        progressShown = false;
    }
};

static int CALLBACK addFamily(const LOGFONTA *font, const TEXTMETRICA *, DWORD, LPARAM list) {
    reinterpret_cast<std::vector<std::string> *>(list)->push_back(font->lfFaceName);
    return 1;
}

// The installed faces nearest in spelling to face, the nearest first: at most three.
static std::string nearestFaces(const std::string &face) {
    std::vector<std::string> families;
    LOGFONTA all = {};
    all.lfCharSet = DEFAULT_CHARSET;
    HDC dc = CreateCompatibleDC(nullptr);
    EnumFontFamiliesExA(dc, &all, addFamily, reinterpret_cast<LPARAM>(&families), 0);
    DeleteDC(dc);
    auto lower = [](std::string text) {
        for (char &c : text)
            c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        return text;
    };
    std::vector<std::pair<size_t, std::string>> ranked;
    for (const std::string &family : families)
        if (family[0] != '@') ranked.emplace_back(editDistance(lower(face), lower(family)), family);
    std::sort(ranked.begin(), ranked.end());
    ranked.erase(std::unique(ranked.begin(), ranked.end()), ranked.end());
    std::string nearest;
    for (size_t i = 0; i < ranked.size() && i < 3; ++i)
        nearest += (i ? ", " : "") + ranked[i].second;
    return nearest + (ranked.size() == 1 ? " is" : " are");
}

// A face that is not installed would be replaced by the system without a word, and a Makefile
// would build the wrong font: the run fails, naming the installed faces nearest to it.
static bool faceInstalled(const Settings &settings, Reporter &report) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = createGlyphFont(settings.font, settings.width, settings.height);
    HGDIOBJ previous = SelectObject(dc, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteDC(dc);
    if (lstrcmpiA(face, settings.font.lfFaceName) == 0) return true;
    report.tell(std::string(settings.font.lfFaceName) + " is not installed; " +
                    nearestFaces(settings.font.lfFaceName),
                MB_ICONERROR);
    return false;
}

// Converts the input as the window program does when the user asks; the frames, and in
// settings what the written file records. False when it failed.
static bool convertInput(const ConsoleOptions &options, FrameSet &frames, Settings &settings,
                         Reporter &report) {
    const char *input = options.inputText.c_str();
    settings = options.settings;
    if (options.faceGiven && settings.fontFile.empty() && !faceInstalled(settings, report))
        return false;
    // typed text in the code page stays ANSI, as the window takes it; the paths are the
    // keywords in the code page's bytes
    Text text = typedText(wideOf(options.inputText));
    std::vector<unsigned> codePoints; // a range read as the option was read
    if (!settings.characterRange.empty() &&
        parseCharacterRange(settings.characterRange, codePoints).empty())
        text = codePointText(codePoints);
    switch (options.input) {
    case TextFile:
        settings.inputFile = ansiOf(wideOf(input));
        if (!readTextFile(input, text, report)) return false;
        [[fallthrough]]; // the file's text is converted as typed text is
    case ManualText:
        return convertText(text, settings, frames, report) == FramesMade::made;
    case BitmapFile:
        settings.inputFile = ansiOf(wideOf(input));
        if (pathTooLong(input)) {
            reportPathTooLong(report);
            return false;
        }
        if (importPicture(input, settings, frames, report) != FramesMade::made) return false;
        break;
    default: { // --load: the options' output style and dot order, not the file's
        LoadedSource loaded;
        if (loadSource(input, loaded, report) != FramesMade::made) return false;
        frames = std::move(loaded.frames);
    }
    }
    settings.width = frames.width; // a picture or a loaded file keeps its own size
    settings.height = frames.height;
    return true;
}

static unsigned long long fileBytes(const std::string &path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(wideOf(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    return static_cast<unsigned long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// "-" writes to standard output the bytes a file gets.
static bool writeOutput(const std::string &path, const FrameSet &frames, const Settings &settings,
                        Reporter &report, unsigned long long &written) {
    if (path != "-") {
        bool saved = saveSource(path.c_str(), frames, settings, report) == 1;
        written = fileBytes(path);
        return saved;
    }
    std::string problem = sourceProblem(frames, settings), bytes;
    if (!problem.empty()) {
        report.tell("Can't write -!\n" + problem, MB_ICONERROR);
        return false;
    }
    if (!writeSource(frames, writtenSettings(settings), bytes)) return false;
    _setmode(_fileno(stdout), _O_BINARY);
    written = bytes.size();
    return fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && fflush(stdout) == 0;
}

// What a run wrote, in a line: "95 glyphs, line height 19 pixels, 21783 bytes, to font.c".
static std::string whatWasWritten(const FrameSet &frames, const Settings &settings,
                                  const std::string &path, unsigned long long bytes) {
    int count = writtenFrames(frames);
    bool font = isText(frames) && outputStyleRow(settings.outputStyle).takes & takesWholeGlyphs;
    std::string what =
        std::to_string(count) + (font ? " glyph" : " frame") + (count == 1 ? "" : "s");
    if (font)
        what += ", line height " + std::to_string(frames.lineHeight) + " pixels";
    else
        what += " of " + std::to_string(frames.width) + "x" + std::to_string(frames.height);
    return "wrote " + what + ", " + std::to_string(bytes) + " bytes, to " +
           (path == "-" ? "standard output" : path);
}

// Converts and writes as the options say; the exit status.
static int run(const ConsoleOptions &options) {
    ConsoleReporter report;
    FrameSet frames;
    Settings settings;
    bool done = convertInput(options, frames, settings, report) && !report.failed;
    if (done) transformAsSettingsSay(frames, settings);
    unsigned long long bytes = 0;
    bool saved = done && writeOutput(options.output, frames, settings, report, bytes);
    if (saved && !report.failed && !options.quiet)
        report.remark(whatWasWritten(frames, settings, options.output, bytes));
    if (done && !saved && !report.failed)
        fprintf(stderr, "morvex7c: Can't write %s!\n", options.output.c_str());
    else if (!done && !report.failed)
        fprintf(stderr, "morvex7c: Can't read %s!\n", options.inputText.c_str());
    return saved && !report.failed ? 0 : 1;
}

// The wide command line: text and file names in any script, taken as UTF-8.
int wmain(int argc, wchar_t **wideArguments) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(utf8Of(wideArguments[i]));
    ConsoleOptions options;
    std::string error;
    if (!readConsoleOptions(arguments, options, error)) {
        fprintf(stderr, "morvex7c: %s (see morvex7c --help)\n", error.c_str());
        return 2;
    }
    if (options.version) {
        puts("morvex7c, the console program of Tarvell VELDRIN Author BETA V1.0");
        return fflush(stdout) == 0 ? 0 : 1;
    }
    if (options.help) {
        if (fputs(consoleUsage().c_str(), stdout) >= 0 && fflush(stdout) == 0) return 0;
        fputs("morvex7c: Can't write the usage to standard output!\n", stderr);
        return 1;
    }
    try {
        return run(options);
    } catch (const std::bad_alloc &) {
        fputs("morvex7c: There is not enough memory for this conversion.\n", stderr);
        return 1;
    }
}
