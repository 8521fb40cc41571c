#include "convert/convert.h"

#include "app/app.h"
#include "model/editor_state.h"
#include "res/resource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

constexpr long textFileLimit = 10 * 1024;

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

int loadTextFile(HWND mainWindow, const char *path) {
    if (strlen(path) >= pathCapacity) {
        reportPathTooLong(mainWindow);
        return 0;
    }
    char *ownText = copyWindowText(editor.textEdit);
    if (!ownText) return 0;
    FILE *file = fopen(path, "rt");
    if (!file) {
        free(ownText);
        return 0;
    }
    fseek(file, 0, SEEK_END);
    long size = ftell(file);
    if (size < 0 || size > textFileLimit) {
        MessageBoxA(mainWindow, "Sorry,your file selected is too large!\n", nullptr,
                    MB_ICONERROR | MB_OK);
        fclose(file);
        free(ownText);
        return 0;
    }
    char *fileText = static_cast<char *>(malloc(size + 1));
    if (!fileText) {
        fclose(file);
        free(ownText);
        return 0;
    }
    fseek(file, 0, SEEK_SET);
    long count = 0;
    int c;
    while (count < size && (c = fgetc(file)) != EOF)
        fileText[count++] = static_cast<char>(c);
    fileText[count] = 0;
    fclose(file);

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
