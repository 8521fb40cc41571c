#include "convert/convert.h"

#include "app/app.h"
#include "model/editor_state.h"
#include "model/user_messages.h"

#include "view/view.h"

#include <cstdio>
#include <cstdlib>
#include <new>

void reportPathTooLong(HWND owner) {
    tellUser(owner, "Sorry,the path of your file is too long!\n", nullptr, MB_ICONERROR | MB_OK);
}

void enableModeRadios(BOOL enable) {
    HWND radios[] = {editor.paintRadio, editor.textRadio, editor.textFileRadio, editor.bitmapRadio};
    for (HWND radio : radios)
        EnableWindow(radio, enable);
}

HANDLE startWorker(LPTHREAD_START_ROUTINE routine, LPVOID argument) {
    HANDLE thread = CreateThread(nullptr, 1024, routine, argument, CREATE_SUSPENDED, nullptr);
    if (!thread) return nullptr;
    editor.workerThread = thread;
    SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST);
    ResumeThread(thread);
    return thread;
}

static void endBusy() {
    HANDLE worker = editor.workerThread;
    editor.workerThread = nullptr;
    if (worker) CloseHandle(worker);
}

void postWorkerResult(HWND owner, const WorkerResult &result) {
    WorkerResult *handedOver = new (std::nothrow) WorkerResult(result);
    if (handedOver &&
        PostMessageA(owner, WM_APP_WORKER_DONE, 0, reinterpret_cast<LPARAM>(handedOver)))
        return;
    // no message can carry it: the result is dropped and busy ends here, as a last resort
    delete handedOver;
    free(result.text);
    free(result.failedImport);
    endBusy();
}

void onWorkerDone(HWND window, WorkerResult *result) {
    if (result->text) {
        listTextFrames(result->text, result->textLength);
        editor.currentFrame = 0;
    }
    if (result->failedImport) showImportFailure(window, result->failedImport, result->reason);
    free(result->text);
    delete result;
    invalidateEditor(window);
    refreshControls();
    enableModeRadios(TRUE);
    endBusy();
}

void beginProgress(ProgressText &progress) {
    progress.lastPercent = -1;
}

void showProgress(ProgressText &progress, int percent) {
    if (percent == progress.lastPercent) return;
    progress.lastPercent = percent;
    char text[48];
    snprintf(text, sizeof text, "Format progress:%d%%", percent);
    setStatusText(0, text);
    // the console program shows it on a terminal, one line written over in place
    static const bool terminal = GetFileType(GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_CHAR;
    if (editor.consoleProgram && terminal) fprintf(stderr, "\r%s", text);
}
