#include "app/app.h"

#include "state/editor_state.h"

bool translateShortcut(MSG &message) {
    static HACCEL shortcuts = LoadAcceleratorsA(editor.instanceHandle, mainWindowClassName);
    // in the text box, Ctrl+Z, Ctrl+Y and Ctrl+arrows are the box's own keys
    bool boxKey =
        message.message == WM_KEYDOWN && (message.wParam == 'Z' || message.wParam == 'Y' ||
                                          (message.wParam >= VK_LEFT && message.wParam <= VK_DOWN));
    if (boxKey && message.hwnd == editor.textEdit) return false;
    return shortcuts && editor.mainWindow &&
           TranslateAcceleratorW(editor.mainWindow, shortcuts, &message);
}

bool copiedFromTextBox() {
    DWORD start = 0, end = 0;
    if (GetFocus() != editor.textEdit) return false;
    SendMessageA(editor.textEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    if (start == end) return false;
    SendMessageA(editor.textEdit, WM_COPY, 0, 0);
    return true;
}
