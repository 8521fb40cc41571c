// Writing the frames in the style the settings choose: the checks every style shares, then the
// style's own check and writer, as its row gives them.
#include "output/output.h"

#include "convert/input_file.h"
#include "convert/text_file.h"
#include "output/file_replacement.h"
#include "output/output_styles.h"

#include <cstring>

// A text style's line breaks as the system writes text.
static std::string withCrLf(const std::string &text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string sourceProblem(const FrameSet &frames, const Settings &settings) {
    const OutputStyleRow &style = outputStyleRow(settings.outputStyle);
    if (styleUses(style, *rowOfOption("--name")))
        if (const char *problem = arrayNameProblem(settings.arrayName, settings.outputStyle))
            return problem;
    bool text = frames.coding == 0 && isText(frames);
    if (!text && !(style.takes & takesDots))
        return std::string("Only text frames become ") + style.what +
               ": these are painted or a picture.";
    if (frames.coding != 0 && !(style.takes & takesPictures))
        return std::string("Its gray or colour pixels can't be written as ") + style.what + ".";
    return style.problem(frames, settings);
}

bool writeSource(const FrameSet &frames, const Settings &settings, std::string &bytes) {
    bytes.clear();
    const OutputStyleRow &style = outputStyleRow(settings.outputStyle);
    if (!sourceProblem(frames, settings).empty() || !style.write(frames, settings, bytes))
        return false;
    if (!style.binary) bytes = withCrLf(bytes);
    return true;
}

static void reportFileError(Reporter &report, const char *what, const char *path,
                            const std::string &why) {
    report.tell(what + std::string(path) + why, MB_ICONERROR);
}

Settings writtenSettings(const Settings &settings) {
    Settings written = settings;
    if (written.inputMode != BitmapFile) written.bitmapStyle = 0;
    return written;
}

// The source goes into a new file beside the target, which it replaces only when complete: a
// failed save leaves the previous file as it was and no file of ours behind.
int saveSource(const char *path, const FrameSet &frames, const Settings &settings,
               Reporter &report) {
    if (pathTooLong(path)) {
        reportPathTooLong(report);
        return 0;
    }
    const char *unwritable = targetProblem(path);
    std::string problem = unwritable ? unwritable : sourceProblem(frames, settings);
    if (!problem.empty()) {
        reportFileError(report, "Can't write ", path, "!\n" + problem);
        return 0;
    }
    std::wstring temporary;
    std::string reason;
    if (!createFileBeside(path, temporary, reason)) {
        reportFileError(report, "Can't open ", path, "!\n" + reason);
        return 0;
    }
    std::string bytes;
    bool complete =
        writeSource(frames, writtenSettings(settings), bytes) && writeWholeFile(temporary, bytes);
    if (complete && replaceTarget(temporary, path)) return 1;
    if (!complete) DeleteFileW(temporary.c_str());
    reportFileError(report, "Can't write ", path, "!\nThe file is not complete.");
    return 0;
}
