// The one record of program state, shared by every part of the program.
#pragma once

#include <windows.h>

enum InputMode { ManualPaint = 201, ManualText = 202, TextFile = 203, BitmapFile = 204 };

enum OutputStyle { OutputC51 = 0, OutputAnsiC = 1, OutputAsm = 2 };

constexpr int pathCapacity = 256; // 255 characters and the terminating zero

struct EditorState {
    // configured geometry
    int pixelWidth = 16;
    int pixelHeight = 16;

    // frames
    int matrixWidth = 0;
    int matrixHeight = 0;
    int frameCount = 0;
    int currentFrame = 0;
    unsigned char *frameBuffer = nullptr;
    unsigned char *packBuffer = nullptr;

    // view
    int viewOriginX = 0;
    int viewOriginY = 0;
    int hoverCell = -1;

    // what the frame store holds: 0 dots; 1 to 3 the values of an imported bitmap's pixels in
    // that bitmap coding (set with the buffer, under the frame lock)
    int frameCoding = 0;

    // the console program: the window is never shown, no setting is read or written, and what
    // the user is told goes to standard error
    bool consoleProgram = false;

    // text sampling
    int textShiftX = 0;
    int textShiftY = 0;

    // settings
    int codingStyle = 0;
    int alignStyle = 0;
    int outputStyle = OutputC51;
    int bitmapStyle = 0;
    int characterDetect = 1;

    // colours
    COLORREF foregroundColor = 0x000000;
    COLORREF backgroundColor = 0xFFFFFF;
    COLORREF gridColor = 0x000000;
    COLORREF clientColor = 0x0000FF;

    // mode and flags
    int inputMode = ManualText;
    int modified = 0;

    // worker hand-over; workerThread doubles as the busy flag
    HANDLE volatile workerThread = nullptr;
    HWND workerOwner = nullptr;
    int textLength = 0;

    // files and font
    char textFilePath[pathCapacity] = {};
    char bitmapFilePath[pathCapacity] = {};
    LOGFONTA defaultFont = {};
    // what the last save reported (1 written, 0 failed); the clipboard export reads it after
    // the save it sends itself
    int lastSaveResult = 0;

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
