#include "convert/convert.h"

#include "app/app.h"
#include "convert/input_file.h"
#include "model/editor_state.h"
#include "model/size_limits.h"
#include "res/resource.h"
#include "model/user_messages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

constexpr long long textFileLimit = 10 * 1024;

const char asciiTable[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n"
                          "abcdefghijklmnopqrstuvwxyz\r\n"
                          "`1234567890-=[]\\;',./\r\n"
                          "~!@#$%^&*()_+{}|:\"<>?";

const char *fileNameOf(const char *path) {
    const char *slash = strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

static char *copyWindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    char *text = static_cast<char *>(calloc(length + 1, 1));
    if (text) GetWindowTextA(window, text, length + 1);
    return text;
}

// Reads a text file of at most textFileLimit bytes as they are; returns the text (the caller
// frees it) or nullptr. The edit box ends its text at a zero byte, so the text does too.
static char *readTextFile(HWND mainWindow, const char *path, bool &cutAtZero) {
    InputFile input;
    if (const char *reason = openInputFile(path, input)) {
        if (reason == inputIsNotAFile) { // a missing file is told by the caller, or not at all
            char text[pathCapacity + 64];
            snprintf(text, sizeof text, "Can't read %s!\n%s", path, reason);
            tellUser(mainWindow, text, nullptr, MB_ICONERROR | MB_OK);
        }
        return nullptr;
    }
    long long size = input.size;
    char *text = size <= textFileLimit ? static_cast<char *>(malloc(size + 1)) : nullptr;
    if (size > textFileLimit)
        tellUser(mainWindow, "Sorry,your file selected is too large!\n", nullptr,
                 MB_ICONERROR | MB_OK);
    if (text) {
        size_t count = fread(text, 1, static_cast<size_t>(size), input.file);
        size_t zero = strnlen(text, count);
        cutAtZero = zero < count;
        text[zero] = 0;
    }
    fclose(input.file);
    return text;
}

int loadTextFile(HWND mainWindow, const char *path) {
    if (strlen(path) >= pathCapacity) {
        reportPathTooLong(mainWindow);
        return 0;
    }
    bool cutAtZero = false;
    char *fileText = readTextFile(mainWindow, path, cutAtZero);
    if (!fileText) return 0;
    char *ownText = copyWindowText(editor.textEdit);
    long long frames = static_cast<long long>(strlen(fileText)) + 1;
    if (!ownText || !framesFit(mainWindow, editor.matrixWidth, editor.matrixHeight, frames)) {
        free(fileText);
        free(ownText);
        return 0;
    }
    if (cutAtZero) {
        char text[pathCapacity + 96];
        snprintf(text, sizeof text,
                 "The file %s holds a zero byte!\nOnly the text before it is converted.", path);
        tellUser(mainWindow, text, nullptr, MB_ICONWARNING | MB_OK);
    }

    SetWindowTextA(editor.textEdit, fileText);
    free(fileText);
    rerunManualText(mainWindow);
    SetWindowTextA(editor.textEdit, ownText);
    free(ownText);
    refreshControls();
    storePath(editor.textFilePath, path);
    SetWindowTextA(editor.browseButton, fileNameOf(editor.textFilePath));
    return 1;
}

int mapAllAscii(HWND mainWindow) {
    SetWindowTextA(editor.textEdit, "");
    SetWindowTextA(editor.textEdit, asciiTable);
    sendOwnCommand(mainWindow, IDC_UPDATE);
    return 1;
}
