// morvex7c: the console program. It calls the core directly: no window, no message loop;
// every setting from its options, messages as lines on standard error.
#include "app/console_options.h"
#include "convert/input_file.h"
#include "convert/picture_import.h"
#include "convert/source_file.h"
#include "convert/text_conversion.h"
#include "convert/text_file.h"
#include "output/output.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>

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

static TextSettings textSettings(const ConsoleOptions &options) {
    TextSettings settings;
    settings.width = options.width;
    settings.height = options.height;
    settings.font = builtInGlyphFont();
    if (!options.font.empty())
        snprintf(settings.font.lfFaceName, LF_FACESIZE, "%s", ansiOf(wideOf(options.font)).c_str());
    if (options.weight >= 0) settings.font.lfWeight = options.weight;
    if (options.italic) settings.font.lfItalic = TRUE;
    settings.dropRepeats = options.characterDetect != 0;
    settings.glyphSize = options.glyphSize;
    settings.fontPixelHeight = options.fontPixelHeight;
    settings.centreGlyphs = options.centreGlyphs;
    return settings;
}

static PictureSettings pictureSettings(const ConsoleOptions &options) {
    PictureSettings settings;
    settings.coding = options.bitmapStyle;
    settings.toDots = options.pictureToDots;
    settings.threshold = options.threshold;
    settings.darkDots = options.darkDots;
    settings.size = options.pictureSize;
    settings.width = options.width;
    settings.height = options.height;
    return settings;
}

// A face that is not installed is replaced by the system without a word: the user is told which
// face draws the glyphs instead, and the run goes on.
static void reportSubstitutedFont(const TextSettings &settings) {
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

// Converts the input as the window program does when the user asks; the frames and what the
// written file records. False when it failed.
static bool convertInput(const ConsoleOptions &options, FrameSet &frames, OutputSettings &output,
                         Reporter &report) {
    const char *input = options.inputText.c_str();
    output.width = options.width;
    output.height = options.height;
    output.inputMode = options.input;
    output.outputStyle = options.outputStyle;
    output.codingStyle = options.codingStyle;
    output.alignStyle = options.alignStyle;
    output.bitmapStyle = options.bitmapStyle;
    output.glyphSize = options.glyphSize;
    output.centreGlyphs = options.centreGlyphs;
    output.fontPixelHeight = options.fontPixelHeight;
    output.pictureToDots = options.pictureToDots;
    output.threshold = options.threshold;
    output.darkDots = options.darkDots;
    output.pictureSize = options.pictureSize;
    output.arrayName = options.arrayName;
    output.commentFrames = options.commentFrames;
    TextSettings settings = textSettings(options);
    if (!options.font.empty() && (options.input == ManualText || options.input == TextFile))
        reportSubstitutedFont(settings);
    // typed text in the code page stays ANSI, as the window takes it; the paths are the
    // keywords in the code page's bytes
    Text text = typedText(wideOf(options.inputText));
    switch (options.input) {
    case TextFile:
        output.textFilePath = ansiOf(wideOf(input));
        if (!readTextFile(input, text, report)) return false;
        [[fallthrough]]; // the file's text is converted as typed text is
    case ManualText:
        return convertText(text, settings, frames, report) == FramesMade::made;
    case BitmapFile:
        output.bitmapFilePath = ansiOf(wideOf(input));
        if (pathTooLong(input)) {
            reportPathTooLong(report);
            return false;
        }
        if (importPicture(input, pictureSettings(options), frames, report) != FramesMade::made)
            return false;
        output.width = frames.width; // a picture keeps its own size
        output.height = frames.height;
        return true;
    }
    LoadedSource loaded; // --load: the options' output style and dot order, not the file's
    if (loadSource(input, loaded, report) != FramesMade::made) return false;
    frames = std::move(loaded.frames);
    output.inputMode = ManualPaint;
    output.width = frames.width;
    output.height = frames.height;
    return true;
}

// "-" writes to standard output in text mode, as a file is written.
static bool writeOutput(const std::string &path, const FrameSet &frames,
                        const OutputSettings &settings, Reporter &report) {
    if (path != "-") return saveSource(path.c_str(), frames, settings, report) == 1;
    OutputSettings written = settings;
    if (written.inputMode != BitmapFile) written.bitmapStyle = 0;
    if (const char *problem =
            settings.outputStyle == OutputGfx ? gfxFontProblem(frames) : nullptr) {
        report.tell(std::string("Can't write -!\n") + problem, MB_ICONERROR);
        return false;
    }
    _setmode(_fileno(stdout), _O_TEXT);
    return writeSource(stdout, frames, written) && fflush(stdout) == 0;
}

// The wide command line: text and file names in any script, taken as UTF-8.
int wmain(int argc, wchar_t **wideArguments) {
    std::vector<std::string> arguments;
    std::vector<char *> argv;
    for (int i = 0; i < argc; ++i)
        arguments.push_back(utf8Of(wideArguments[i]));
    for (std::string &argument : arguments)
        argv.push_back(&argument[0]);
    ConsoleOptions options;
    std::string error;
    if (!readConsoleOptions(argc, argv.data(), options, error)) {
        fprintf(stderr, "morvex7c: %s\n%s", error.c_str(), consoleUsage);
        return 2;
    }
    if (options.help) return fputs(consoleUsage, stdout) >= 0 && fflush(stdout) == 0 ? 0 : 1;
    ConsoleReporter report;
    FrameSet frames;
    OutputSettings output;
    bool done = convertInput(options, frames, output, report) && !report.failed;
    bool saved = done && writeOutput(options.output, frames, output, report);
    if (done && !saved && !report.failed)
        fprintf(stderr, "morvex7c: Can't write %s!\n", options.output.c_str());
    else if (!done && !report.failed)
        fprintf(stderr, "morvex7c: Can't read %s!\n", options.inputText.c_str());
    return saved && !report.failed ? 0 : 1;
}
