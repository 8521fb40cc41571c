// The window program's one record: its settings, the frames it shows (the model's frame set,
// which the frame list mirrors), its view, flags and window handles.
#pragma once

#include "model/frame_set.h"
#include "model/modes.h"
#include "model/settings.h"

#include <windows.h>

#include <string>

struct EditorState {
    // every setting in force; the configured matrix size may differ from the frames' own
    Settings settings;

    // the frames, their size and names; the one shown
    FrameSet frames;
    int currentFrame = 0;

    // view
    int viewOriginX = 0;
    int viewOriginY = 0;
    int hoverCell = -1;

    // mode and flags
    int modified = 0;

    // the running conversion worker, which doubles as the busy flag; cleared by the window's
    // thread when the worker's result has been shown
    HANDLE workerThread = nullptr;

    // files and font
    char textFilePath[pathCapacity] = {};
    char bitmapFilePath[pathCapacity] = {};

    // dialog temporaries
    Settings colourBackup; // the colours as the Color dialog found them

    // handles
    HINSTANCE instanceHandle = nullptr;
    HWND mainWindow = nullptr;
    HWND frameComboBox = nullptr;
    HWND statusBar = nullptr;
    HWND viewScrollBarH = nullptr;
    HWND viewScrollBarV = nullptr;
    HWND textScrollBarH = nullptr;
    HWND textScrollBarV = nullptr;
    HWND newButton = nullptr;
    HWND paintRadio = nullptr;
    HWND textRadio = nullptr;
    HWND textFileRadio = nullptr;
    HWND bitmapRadio = nullptr;
    HWND textEdit = nullptr;
    HFONT controlFont = nullptr; // the text box's and the frame list's
    HWND browseButton = nullptr;
    HWND openButton = nullptr;
    HWND updateButton = nullptr;
};

extern EditorState editor;

inline bool isBusy() {
    return editor.workerThread != nullptr;
}

// Copies a zero-terminated path into a field of pathCapacity characters.
// Returns 0 (and leaves the field alone) when the path does not fit.
int storePath(char *field, const char *path);
