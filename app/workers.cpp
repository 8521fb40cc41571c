#include "app/conversions.h"

#include "app/app.h"
#include "state/editor_state.h"
#include "state/matrix_store.h"
#include "state/undo_history.h"
#include "state/user_messages.h"
#include "convert/text_file.h"
#include "view/view.h"

#include <atomic>

static std::atomic<bool> cancelAsked{false};

void enableModeRadios(BOOL enable) {
    HWND radios[] = {editor.paintRadio, editor.textRadio, editor.textFileRadio, editor.bitmapRadio};
    for (HWND radio : radios)
        EnableWindow(radio, enable);
}

HANDLE startWorker(LPTHREAD_START_ROUTINE routine, LPVOID argument) {
    HANDLE thread = CreateThread(nullptr, 1024, routine, argument, CREATE_SUSPENDED, nullptr);
    if (!thread) return nullptr;
    editor.workerThread = thread;
    cancelAsked = false;
    SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
    ResumeThread(thread);
    return thread;
}

void WorkerReporter::tell(const std::string &text, UINT type) {
    result.messages.emplace_back(text, type);
}

bool WorkerReporter::cancelled() {
    return result.cancelled = result.cancelled || cancelAsked;
}

void cancelWorker() {
    if (isBusy()) cancelAsked = true;
}

void WorkerReporter::progress(int percent) {
    if (percent == lastPercent) return;
    lastPercent = percent;
    PostMessageA(window, WM_APP_PROGRESS, percent, 0);
}

static void endBusy() {
    HANDLE worker = editor.workerThread;
    editor.workerThread = nullptr;
    if (worker) CloseHandle(worker);
}

// A full message queue can't take the result: it is handed over by a sent message instead, which
// the window's thread serves while it waits for messages. Only a window that is gone drops it.
void postWorkerResult(HWND window, WorkerResult *result) {
    if (PostMessageA(window, WM_APP_WORKER_DONE, 0, reinterpret_cast<LPARAM>(result))) return;
    if (IsWindow(window))
        SendMessageA(window, WM_APP_WORKER_DONE, 0, reinterpret_cast<LPARAM>(result));
    else
        delete result;
}

// paths: the failing file, then the stored path from before the import; both come back.
static void restoreStoredPicture(const WorkerResult &result) {
    if (result.path != editor.bitmapFilePath) return;
    storePath(editor.bitmapFilePath, result.previousPath.c_str());
    SetWindowTextA(editor.openButton,
                   editor.bitmapFilePath[0] ? fileNameOf(editor.bitmapFilePath) : openCaption);
}

void onWorkerDone(HWND window, WorkerResult *result) {
    WindowReporter report(window);
    for (const auto &message : result->messages)
        report.tell(message.first, message.second);
    if (result->made == FramesMade::made) {
        if (result->picture) rememberFrames(); // a text's frames were remembered at its start
        editor.frames = std::move(result->frames);
        editor.currentFrame = 0;
        if (result->picture) {
            editor.settings.width = editor.frames.width;
            editor.settings.height = editor.frames.height;
        } else {
            editor.settings.font = result->settings.font;
        }
        showFrameNames();
    } else if (result->picture) {
        restoreStoredPicture(*result);
    } else if (result->cancelled) { // the frames in hand before the text's conversion
        takeBackFrames();
        result->remark = "The conversion was cancelled: the frames are as they were.";
    }
    bool outOfMemory = result->made == FramesMade::outOfMemory;
    invalidateEditor(window);
    refreshControls();
    if (!result->remark.empty()) report.remark(result->remark);
    delete result;
    enableModeRadios(TRUE);
    endBusy();
    if (outOfMemory) reportOutOfMemory(window);
}
