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

// A face that is not installed is replaced by the system without a word: the user is told which
// face draws the glyphs instead, and the run goes on.
static void reportSubstitutedFont(const Settings &settings) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = createGlyphFont(settings.font, settings.width, settings.height);
    HGDIOBJ previous = SelectObject(dc, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteDC(dc);
    if (lstrcmpiA(face, settings.font.lfFaceName) != 0)
        fprintf(stderr, "morvex7c: the font %s is not installed; %s is used instead\n",
                settings.font.lfFaceName, face);
}

// Converts the input as the window program does when the user asks; the frames, and in
// settings what the written file records. False when it failed.
static bool convertInput(const ConsoleOptions &options, FrameSet &frames, Settings &settings,
                         Reporter &report) {
    const char *input = options.inputText.c_str();
    settings = options.settings;
    if (options.faceGiven && (options.input == ManualText || options.input == TextFile))
        reportSubstitutedFont(settings);
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

// "-" writes to standard output the bytes a file gets.
static bool writeOutput(const std::string &path, const FrameSet &frames, const Settings &settings,
                        Reporter &report) {
    if (path != "-") return saveSource(path.c_str(), frames, settings, report) == 1;
    std::string problem = sourceProblem(frames, settings), bytes;
    if (!problem.empty()) {
        report.tell("Can't write -!\n" + problem, MB_ICONERROR);
        return false;
    }
    if (!writeSource(frames, writtenSettings(settings), bytes)) return false;
    _setmode(_fileno(stdout), _O_BINARY);
    return fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && fflush(stdout) == 0;
}

// Converts and writes as the options say; the exit status.
static int run(const ConsoleOptions &options) {
    ConsoleReporter report;
    FrameSet frames;
    Settings settings;
    bool done = convertInput(options, frames, settings, report) && !report.failed;
    if (done) transformAsSettingsSay(frames, settings);
    bool saved = done && writeOutput(options.output, frames, settings, report);
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
