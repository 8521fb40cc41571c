#include "app/conversions.h"

#include "app/app.h"
#include "state/editor_state.h"
#include "state/matrix_store.h"
#include "state/undo_history.h"
#include "state/user_messages.h"
#include "convert/picture_import.h"
#include "convert/source_file.h"
#include "convert/text_file.h"
#include "model/character_range.h"
#include "model/size_limits.h"
#include "res/resource.h"
#include "view/view.h"

#include <new>

// Runs a conversion on the worker: running out of memory there is told, and the frames in hand
// stay, instead of ending the program.
template <typename Conversion>
static void convertOnWorker(WorkerResult &result, Reporter &report, Conversion conversion) {
    try {
        result.made = conversion();
    } catch (const std::bad_alloc &) {
        result.frames = FrameSet();
        result.made = FramesMade::refused;
        report.tell("There is not enough memory for this conversion; the frames stay as they were.",
                    MB_ICONERROR);
    }
}

static DWORD WINAPI textWorker(LPVOID argument) {
    TextJob *job = static_cast<TextJob *>(argument);
    WorkerResult *result = new WorkerResult;
    WorkerReporter report(job->window, *result);
    convertOnWorker(*result, report,
                    [&] { return convertText(job->text, job->settings, result->frames, report); });
    result->settings = job->settings;
    postWorkerResult(job->window, result);
    delete job;
    return 1;
}

int startTextConversion(HWND window, const Text &text, const std::string &range) {
    if (isBusy()) return 0;
    editor.settings.characterRange = range;
    FrameSet &frames = editor.frames;
    Settings settings = editor.settings;
    settings.width = frames.width; // the frames in hand give the size
    settings.height = frames.height;
    size_t characters = charactersOf(text, settings.characterDetect != 0).size();
    WindowReporter report(window);
    if (!framesFit(report, frames.width, frames.height, characters ? characters : 1)) return 0;
    rememberFrames();
    // the frames in hand go at once: the new ones are drawn beside one blank frame only
    frames.count = 1;
    frames.names.clear();
    editor.currentFrame = 0;
    if (!allocateFrames(window)) return 0;
    showFrameNames();
    if (characterCount(text) == 0) {
        refreshControls();
        return 0;
    }
    TextJob *job = new TextJob{window, text, settings};
    enableModeRadios(FALSE);
    if (startWorker(textWorker, job)) return 1;
    delete job;
    enableModeRadios(TRUE);
    return 0;
}

static DWORD WINAPI pictureWorker(LPVOID argument) {
    WorkerResult *result = static_cast<WorkerResult *>(argument);
    WorkerReporter report(result->window, *result);
    convertOnWorker(*result, report, [&] {
        return importPicture(utf8OfAnsi(result->path).c_str(), result->settings, result->frames,
                             report);
    });
    postWorkerResult(result->window, result);
    return 1;
}

int startBitmapImport(HWND window, const char *path) {
    if (strlen(path) >= pathCapacity) {
        WindowReporter report(window);
        reportPathTooLong(report);
        return 0;
    }
    editor.settings.characterRange.clear(); // the frames will be a picture's
    WorkerResult *result = new WorkerResult;
    result->window = window;
    result->picture = true;
    result->path = path;
    result->previousPath = editor.bitmapFilePath;
    result->settings = editor.settings; // read here, not by the worker
    enableModeRadios(FALSE);
    if (startWorker(pictureWorker, result)) return 1;
    delete result;
    enableModeRadios(TRUE);
    return 0;
}

int loadTextFile(HWND window, const char *path) {
    Text text;
    WindowReporter report(window);
    if (!readTextFile(utf8OfAnsi(path).c_str(), text, report)) return 0;
    editor.modified = 0;
    scrollViewHome(window);
    startTextConversion(window, text);
    refreshControls();
    storePath(editor.textFilePath, path);
    SetWindowTextA(editor.browseButton, fileNameOf(editor.textFilePath));
    return 1;
}

int mapAllAscii(HWND window) {
    SetWindowTextA(editor.textEdit, asciiTable);
    scrollViewHome(window);
    startTextConversion(window, ansiText(asciiTable));
    invalidateEditor(window);
    return 1;
}

int mapCharacterRange(HWND window, const std::string &list) {
    std::vector<unsigned> codePoints;
    std::string reason = parseCharacterRange(list, codePoints);
    if (!reason.empty()) {
        WindowReporter report(window);
        report.tell(reason, MB_ICONERROR);
        return 0;
    }
    scrollViewHome(window);
    startTextConversion(window, codePointText(codePoints), list);
    invalidateEditor(window);
    return 1;
}

int loadSourceFile(HWND window, const char *path) {
    LoadedSource loaded;
    WindowReporter report(window);
    FramesMade made = loadSource(utf8OfAnsi(path).c_str(), loaded, report);
    if (made == FramesMade::outOfMemory) return reportOutOfMemory(window);
    if (made != FramesMade::made) return 0;
    rememberFrames();
    editor.frames = std::move(loaded.frames);
    takeLoadedSettings(editor.settings, loaded.settings);
    editor.currentFrame = 0;
    editor.viewOriginX = editor.viewOriginY = 0;
    editor.settings.inputMode = ManualPaint;
    editor.modified = 0;
    showFrameNames();
    refreshControls();
    invalidateEditor(window);
    return 1;
}
