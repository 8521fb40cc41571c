#include "app/app.h"

#include "app/editor_state.h"

bool translateShortcut(MSG &message) {
    static HACCEL shortcuts = LoadAcceleratorsA(editor.instanceHandle, mainWindowClassName);
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
