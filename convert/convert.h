// Converters: text rasterizer, text file input and ASCII table, bitmap importer.
#pragma once

#include <windows.h>

int startTextRasterizer(HWND owner);
// The same with another worker of the same contract (the benchmark's).
int startTextConversion(HWND owner, LPTHREAD_START_ROUTINE worker);
DWORD WINAPI textRasterizerWorker(LPVOID buffer);
HFONT createGlyphFont(int width, int height);
// Lists one entry a character of the text and selects the first; on the window's thread.
void listTextFrames(const unsigned char *text, int length);
// The first byte of a two-byte character.
bool isLeadByte(unsigned char b);
// The bytes (1 or 2) of the character at text[at], of a text of length bytes.
int characterBytes(const unsigned char *text, int at, int length);
// Drops repeated characters of text (length bytes) into kept (length bytes, zeroed).
void removeRepeatedCharacters(const unsigned char *text, int length, unsigned char *kept);
// Samples a 32-bit top-down canvas of canvasWidth x canvasHeight into the current frame:
// a pixel of exactly black sets the dot, anything else (or outside the canvas) clears it.
void sampleCanvas(const DWORD *pixels, int canvasWidth, int canvasHeight, int shiftX, int shiftY);

int loadTextFile(HWND mainWindow, const char *path);
const char *fileNameOf(const char *path);
int mapAllAscii(HWND mainWindow);
extern const char asciiTable[];

// Reads a source file this program wrote back as Manual Paint frames; on bad input the user is
// told why and nothing changes. Returns 1 when loaded.
int loadSourceFile(HWND owner, const char *path);

int startBitmapImport(HWND owner, const char *path);
DWORD WINAPI bitmapImportWorker(LPVOID path);
void storeBitmapPixel(int column, int row, COLORREF colour);
// Tells the user why the import of paths (the file, then the stored path before it) failed and
// puts the stored path back; releases paths.
void showImportFailure(HWND window, char *paths, const char *reason);
// Loads a bitmap file (LoadImageA with flags and LR_LOADFROMFILE), top-down files too; nullptr
// with the reason for the user for a file that is no file, missing, truncated, has unsound
// headers or claims more pixels than it can hold.
HBITMAP loadBitmapFile(const char *path, UINT flags, const char *&reason);

// Status-bar progress that is written only when its text changes.
struct ProgressText {
    int lastPercent;
};
void beginProgress(ProgressText &progress);
void showProgress(ProgressText &progress, int percent);

// Tells the user that a path does not fit the 255 characters a stored path may hold.
void reportPathTooLong(HWND owner);

// Disables or enables the four input-mode radio buttons.
void enableModeRadios(BOOL enable);
// Starts a worker suspended with a small stack, publishes it as busy, raises and resumes it.
HANDLE startWorker(LPTHREAD_START_ROUTINE routine, LPVOID argument);

// What a worker hands back at its end. The window's thread gets it in one message, shows it,
// and only then clears busy: whoever waits for idle finds the result in place.
struct WorkerResult {
    unsigned char *text = nullptr; // the converted characters, to list (released there)
    int textLength = 0;
    char *failedImport = nullptr; // a failed import's block of two paths (released there)
    const char *reason = nullptr; // why the import failed
};
// The worker's last act; the result's blocks now belong to the window's thread.
void postWorkerResult(HWND owner, const WorkerResult &result);
// On the window's thread: lists or tells the result, refreshes the window, ends busy.
void onWorkerDone(HWND window, WorkerResult *result);
