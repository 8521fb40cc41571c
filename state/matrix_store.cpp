#include "state/matrix_store.h"

#include "state/editor_state.h"
#include "state/user_messages.h"
#include "convert/unicode_text.h"
#include "model/glyph_shades.h"
#include "model/size_limits.h"

#include <cstring>

int currentFrameBytes() {
    return static_cast<int>(frameBytesOf(editor.frames.width, editor.frames.height));
}

static bool holdsCurrentFrame() {
    return !editor.frames.bytes.empty() && editor.currentFrame < editor.frames.count;
}

int testDot(int column, int row) {
    return holdsCurrentFrame() && dotAt(editor.frames, editor.currentFrame, column, row);
}

int shadeOfDot(int column, int row) {
    if (!holdsCurrentFrame()) return 0;
    return shadeAt(editor.frames, editor.currentFrame, column, row);
}

// A painted dot of a smoothed glyph is full or empty.
static void paintDot(int column, int row, bool on) {
    if (!holdsCurrentFrame()) return;
    putDot(editor.frames, editor.currentFrame, column, row, on);
    putShade(editor.frames, editor.currentFrame, column, row, on ? 255 : 0);
}

void setDot(int column, int row) {
    paintDot(column, row, true);
}

void clearDot(int column, int row) {
    paintDot(column, row, false);
}

static int invertBytes(unsigned char *start, size_t count) {
    if (editor.frames.bytes.empty()) return 0;
    for (size_t i = 0; i < count; ++i)
        start[i] = static_cast<unsigned char>(~start[i]);
    return 1;
}

static int clearBytes(unsigned char *start, size_t count) {
    if (editor.frames.bytes.empty()) return 0;
    memset(start, 0, count);
    return 1;
}

int invertCurrentFrame() {
    invertShades(editor.frames, editor.currentFrame);
    return invertBytes(frameStart(editor.frames, editor.currentFrame), currentFrameBytes());
}
int clearCurrentFrame() {
    clearShades(editor.frames, editor.currentFrame);
    return clearBytes(frameStart(editor.frames, editor.currentFrame), currentFrameBytes());
}
int invertAllFrames() {
    invertShades(editor.frames, -1);
    return invertBytes(editor.frames.bytes.data(), editor.frames.bytes.size());
}
int clearAllFrames() {
    clearShades(editor.frames, -1);
    return clearBytes(editor.frames.bytes.data(), editor.frames.bytes.size());
}

int reportOutOfMemory(HWND owner) {
    releaseFrames();
    tellUser(owner, "Fatal error:not enough memory!\nOK for Close!", nullptr, MB_ICONERROR | MB_OK);
    PostQuitMessage(1); // the program ends for want of memory: a failure
    return 0;
}

// Frames the bound refuses are told and leave the frames as they were; only a real allocation
// failure ends the program.
int allocateFrames(HWND owner) {
    FrameSet &frames = editor.frames;
    WindowReporter report(owner);
    if (!framesFit(report, frames.width, frames.height, frames.count)) return 0;
    if (makeFrames(frames, frames.width, frames.height, frames.count) != FramesMade::made)
        return reportOutOfMemory(owner);
    return 1;
}

// A frame the bound refuses is not added.
int appendCustomFrame(HWND owner) {
    FrameSet &frames = editor.frames;
    WindowReporter report(owner);
    if (!framesFit(report, frames.width, frames.height, frames.count + 1)) return 0;
    try {
        frames.bytes.resize(frames.bytes.size() + currentFrameBytes());
        frames.names.push_back("Custom " + std::to_string(frames.names.size() + 1));
    } catch (const std::bad_alloc &) {
        return reportOutOfMemory(owner);
    }
    frames.count += 1;
    editor.currentFrame = static_cast<int>(frames.names.size()) - 1;
    showFrameNames();
    return 1;
}

void releaseFrames() {
    editor.frames.bytes.clear();
    editor.frames.bytes.shrink_to_fit();
}

void showFrameNames() {
    HWND list = editor.frameComboBox;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    size_t characters = 0; // room for every name at once: a CJK set lists 20,902
    for (const std::string &name : editor.frames.names)
        characters += name.size() + 1;
    SendMessageA(list, CB_INITSTORAGE, editor.frames.names.size(), characters * sizeof(wchar_t));
    for (const std::string &name : editor.frames.names) {
        std::wstring shown = editor.frames.unicodeNames ? wideOf(name) : wideOfAnsi(name);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
    SendMessageA(list, CB_SETCURSEL, editor.frames.names.empty() ? -1 : editor.currentFrame, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}
