#include "convert/convert.h"

#include "app/app.h"
#include "model/editor_state.h"
#include "model/user_messages.h"

#include <cstdio>

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

void finishWorker() {
    HANDLE self = editor.workerThread;
    editor.workerThread = nullptr;
    if (self) CloseHandle(self);
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
