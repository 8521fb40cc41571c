#include "model/matrix_store.h"

#include "model/editor_state.h"
#include "model/size_limits.h"
#include "model/user_messages.h"

#include <cstdlib>
#include <cstring>

static CRITICAL_SECTION *frameLock() {
    static CRITICAL_SECTION section;
    static bool ready = (InitializeCriticalSection(&section), true);
    (void)ready;
    return &section;
}

void lockFramesForReading() {
    EnterCriticalSection(frameLock());
}
void unlockFramesForReading() {
    LeaveCriticalSection(frameLock());
}

int rowBytesOf(int width) {
    return (width + 7) / 8;
}
int frameBytesOf(int width, int height) {
    return rowBytesOf(width) * height;
}
int currentFrameBytes() {
    return frameBytesOf(editor.matrixWidth, editor.matrixHeight);
}

static unsigned char *dotByte(int column, int row, unsigned char &mask) {
    size_t bitIndex = static_cast<size_t>(row) * rowBytesOf(editor.matrixWidth) * 8 + column;
    mask = static_cast<unsigned char>(1u << (bitIndex % 8));
    return editor.frameBuffer + static_cast<size_t>(editor.currentFrame) * currentFrameBytes() +
           bitIndex / 8;
}

int testDot(int column, int row) {
    if (!editor.frameBuffer) return 0;
    unsigned char mask;
    return *dotByte(column, row, mask) & mask;
}

void setDot(int column, int row) {
    if (!editor.frameBuffer) return;
    unsigned char mask;
    *dotByte(column, row, mask) |= mask;
}

void clearDot(int column, int row) {
    if (!editor.frameBuffer) return;
    unsigned char mask;
    *dotByte(column, row, mask) &= static_cast<unsigned char>(~mask);
}

static int invertBytes(unsigned char *start, size_t count) {
    if (!editor.frameBuffer) return 0;
    for (size_t i = 0; i < count; ++i)
        start[i] = static_cast<unsigned char>(~start[i]);
    return 1;
}

static int clearBytes(unsigned char *start, size_t count) {
    if (!editor.frameBuffer) return 0;
    memset(start, 0, count);
    return 1;
}

static unsigned char *currentFrameStart() {
    return editor.frameBuffer + static_cast<size_t>(editor.currentFrame) * currentFrameBytes();
}

// The whole buffer; 0 when there is none to speak of.
static size_t allFramesBytes() {
    size_t bytes = 0;
    if (!frameStoreBytes(editor.matrixWidth, editor.matrixHeight, editor.frameCount, 1, bytes))
        return 0;
    return bytes;
}

int invertCurrentFrame() {
    return invertBytes(currentFrameStart(), currentFrameBytes());
}
int clearCurrentFrame() {
    return clearBytes(currentFrameStart(), currentFrameBytes());
}
int invertAllFrames() {
    return invertBytes(editor.frameBuffer, allFramesBytes());
}
int clearAllFrames() {
    return clearBytes(editor.frameBuffer, allFramesBytes());
}

// Installs a new block (or none) together with its size; the old block is released.
static void installFrames(unsigned char *block, int width, int height, int coding = 0) {
    EnterCriticalSection(frameLock());
    free(editor.frameBuffer);
    editor.frameBuffer = block;
    editor.frameCoding = coding;
    if (width != editor.matrixWidth || height != editor.matrixHeight) {
        editor.matrixWidth = width;
        editor.matrixHeight = height;
        editor.viewOriginX = 0;
        editor.viewOriginY = 0;
    }
    LeaveCriticalSection(frameLock());
}

static int reportOutOfMemory(HWND owner) {
    installFrames(nullptr, editor.matrixWidth, editor.matrixHeight);
    tellUser(owner, "Fatal error:not enough memory!\nOK for Close!", nullptr, MB_ICONERROR | MB_OK);
    // From a conversion worker the quit message must reach the window's own thread, whose
    // message loop it is meant to end.
    DWORD ownerThread = owner ? GetWindowThreadProcessId(owner, nullptr) : 0;
    if (ownerThread && ownerThread != GetCurrentThreadId())
        PostThreadMessageA(ownerThread, WM_QUIT, 0, 0);
    else
        PostQuitMessage(0);
    return 0;
}

// Frames the bound refuses are told and leave the buffer as it was; only a real allocation
// failure ends the program.
int allocateFrames(HWND owner) {
    if (!framesFit(owner, editor.matrixWidth, editor.matrixHeight, editor.frameCount)) return 0;
    size_t size = allFramesBytes();
    unsigned char *block = static_cast<unsigned char *>(calloc(size, 1));
    if (!block) return reportOutOfMemory(owner);
    installFrames(block, editor.matrixWidth, editor.matrixHeight);
    return 1;
}

// A frame the bound refuses, or one the combo box will not list, is taken back: frameCount
// goes back to the frames listed.
int appendCustomFrame(HWND owner) {
    if (!framesFit(owner, editor.matrixWidth, editor.matrixHeight, editor.frameCount)) {
        editor.frameCount -= 1;
        return 0;
    }
    size_t frameBytes = currentFrameBytes();
    size_t oldSize = frameBytes * (editor.frameCount - 1);
    unsigned char *block = static_cast<unsigned char *>(malloc(allFramesBytes()));
    if (!block) return reportOutOfMemory(owner);
    if (editor.frameBuffer)
        memcpy(block, editor.frameBuffer, oldSize);
    else
        memset(block, 0, oldSize);
    memset(block + oldSize, 0, frameBytes);
    installFrames(block, editor.matrixWidth, editor.matrixHeight);

    char label[32];
    int entries = static_cast<int>(SendMessageA(editor.frameComboBox, CB_GETCOUNT, 0, 0));
    wsprintfA(label, "Custom %d", entries + 1);
    LRESULT index =
        SendMessageA(editor.frameComboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
    if (index < 0) {
        editor.frameCount -= 1;
        return 0;
    }
    SendMessageA(editor.frameComboBox, CB_SETCURSEL, index, 0);
    editor.currentFrame = static_cast<int>(index);
    return 1;
}

int allocateBitmapFrame(int width, int height) {
    static const int depthFactor[4] = {1, 4, 8, 16};
    int coding = editor.bitmapStyle >= 1 && editor.bitmapStyle <= 3 ? editor.bitmapStyle : 0;
    int factor = depthFactor[coding];
    size_t size;
    if (!frameStoreBytes(width, height, 1, factor, size)) return 0;
    unsigned char *block = static_cast<unsigned char *>(calloc(size, 1));
    if (!block) return 0;
    installFrames(block, width, height, coding);
    return 1;
}

void releaseFrames() {
    installFrames(nullptr, editor.matrixWidth, editor.matrixHeight);
}
