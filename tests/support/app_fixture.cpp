#include "app_fixture.h"

#include "settings/settings.h"

#include <commctrl.h>

void dispatchWaiting() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        dispatchMessage(message); // as the program's own message loop does
}

// The worker's end reaches this thread in one message, which clears busy last.
void waitForWorker() {
    for (DWORD start = GetTickCount(); isBusy() && GetTickCount() - start < 120000;) {
        dispatchWaiting();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    ASSERT_FALSE(isBusy()) << "the conversion worker did not finish";
}

std::string windowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void sendCommand(int id, HWND control) {
    SendMessageA(editor.mainWindow, WM_COMMAND, id, reinterpret_cast<LPARAM>(control));
}

void mouse(UINT message, WPARAM keys, int column, int row) {
    SetForegroundWindow(editor.mainWindow);
    RECT cell = cellRect(column, row, true);
    SendMessageA(editor.mainWindow, message, keys, MAKELPARAM(cell.left + 5, cell.top + 5));
}

void setMatrixSize(int width, int height) {
    editor.settings.width = editor.frames.width = width;
    editor.settings.height = editor.frames.height = height;
    allocateFrames(editor.mainWindow);
    refreshControls();
}

std::string clipboardText() {
    if (!OpenClipboard(nullptr)) return "(clipboard busy)";
    HANDLE data = GetClipboardData(CF_TEXT);
    std::string text = data ? static_cast<const char *>(GlobalLock(data)) : "";
    if (data) GlobalUnlock(data);
    CloseClipboard();
    return text;
}

void AppTest::SetUp() {
    RegDeleteKeyA(HKEY_CURRENT_USER, settingsKeyPath);
    startAnsweringModals();
    releaseFrames();
    editor = EditorState{};
    editor.instanceHandle = GetModuleHandleA(nullptr);
    static INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    static bool registered =
        InitCommonControlsEx(&controls) && registerMainWindowClass(editor.instanceHandle);
    ASSERT_TRUE(registered);
    SetCursorPos(1000, 700); // away from the window, so that no mouse move reaches it
    ASSERT_TRUE(createMainWindow(editor.instanceHandle));
    SetForegroundWindow(editor.mainWindow);
    waitForWorker();
}

void AppTest::TearDown() {
    waitForWorker();
    if (IsWindow(editor.mainWindow)) DestroyWindow(editor.mainWindow);
    dispatchWaiting();
    stopAnsweringModals();
}
