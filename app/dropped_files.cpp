// A file dropped on the window, as the shell hands it over: a picture is imported in Bitmap
// File mode, a text file read in Text File mode, a source of ours loaded.
#include "app/app.h"

#include "app/conversions.h"
#include "state/editor_state.h"
#include "state/user_messages.h"
#include "convert/text_file.h"

#include <shellapi.h>

#include <cctype>
#include <cstring>
#include <string>

// The mode a file of this name goes to; ManualPaint for a source, 0 for none.
static int modeForFile(const char *path) {
    const char *dot = strrchr(path, '.');
    std::string extension = dot && !strchr(dot, '\\') ? dot + 1 : "";
    for (char &c : extension)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    for (const char *picture : {"bmp", "png", "jpg", "jpeg", "gif", "tif", "tiff", "ico"})
        if (extension == picture) return BitmapFile;
    if (extension == "txt") return TextFile;
    return extension == "c" || extension == "asm" ? ManualPaint : 0;
}

void onDropFiles(HWND window, HDROP drop) {
    char path[pathCapacity + 1] = "";
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    UINT length = count == 1 ? DragQueryFileA(drop, 0, path, sizeof path) : 0;
    DragFinish(drop);
    if (isBusy()) return;
    if (count != 1) {
        tellUser(window, "Drop one file at a time.", nullptr, MB_ICONINFORMATION | MB_OK);
        return;
    }
    int mode = modeForFile(path);
    if (length >= pathCapacity) {
        WindowReporter report(window);
        reportPathTooLong(report);
        return;
    }
    if (!mode) {
        std::string text = std::string("Files of this kind can't be dropped here: ") + path;
        tellUser(window, text.c_str(), nullptr, MB_ICONINFORMATION | MB_OK);
        return;
    }
    if (editor.modified && !mayLoseChanges(window)) return;
    editor.modified = 0;
    if (mode == ManualPaint) {
        loadSourceFile(window, path);
        return;
    }
    if (mode == BitmapFile) { // a failed import puts the stored path back
        storePath(editor.bitmapFilePath, path);
        SetWindowTextA(editor.openButton, fileNameOf(path));
        if (editor.settings.inputMode != mode)
            switchMode(window, mode, false); // which imports the stored picture
        else
            startBitmapImport(window, path);
        return;
    }
    // a text file becomes the stored one only once it is read
    std::string previous = editor.textFilePath;
    if (editor.settings.inputMode != mode) {
        editor.textFilePath[0] = 0; // the switch converts no other file first
        switchMode(window, mode, false);
    }
    if (!loadTextFile(window, path)) storePath(editor.textFilePath, previous.c_str());
}
