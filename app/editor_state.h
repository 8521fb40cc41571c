// The window program's one record: its settings, the frames it shows (the model's frame set,
// which the frame list mirrors), its view, flags and window handles.
#pragma once

#include "model/frame_set.h"
#include "model/modes.h"

#include <windows.h>

#include <string>

struct EditorState {
    // configured geometry
    int pixelWidth = 16;
    int pixelHeight = 16;

    // the frames, their size and names; the one shown
    FrameSet frames;
    int currentFrame = 0;

    // view
    int viewOriginX = 0;
    int viewOriginY = 0;
    int hoverCell = -1;

    // text sampling
    int textShiftX = 0;
    int textShiftY = 0;

    // settings
    int codingStyle = 0;
    int alignStyle = 0;
    int outputStyle = OutputC51;
    int bitmapStyle = 0;
    int characterDetect = 1;
    int glyphSize = StretchToMatrix;
    int centreGlyphs = 0;
    int fontPixelHeight = 16; // the font's own size, chosen in the font dialog
    int pictureToDots = AsTheSystemConverts;
    int threshold = 128;
    int darkDots = 0;
    int pictureSize = PictureAsTheFile;
    std::string arrayName = defaultArrayName;
    int commentFrames = 0;

    // colours
    COLORREF foregroundColor = 0x000000;
    COLORREF backgroundColor = 0xFFFFFF;
    COLORREF gridColor = 0x000000;
    COLORREF clientColor = 0x0000FF;

    // mode and flags
    int inputMode = ManualText;
    int modified = 0;

    // the running conversion worker, which doubles as the busy flag; cleared by the window's
    // thread when the worker's result has been shown
    HANDLE workerThread = nullptr;

    // files and font
    char textFilePath[pathCapacity] = {};
    char bitmapFilePath[pathCapacity] = {};
    LOGFONTA defaultFont = {};

    // dialog temporaries
    COLORREF colorBackup[4] = {};
    int alignChoice = 0;
    int outputChoice = 0;

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
