#include "app_fixture.h"

#include "app/app.h"
#include "app/matrix_store.h"
#include "settings/settings.h"
#include "view/view.h"

#include <commctrl.h>
#include <fstream>
#include <iterator>

void dispatchWaiting() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (translateShortcut(message)) continue; // as the program's own message loop does
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
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

std::vector<std::string> comboEntries() {
    std::vector<std::string> entries(SendMessageA(editor.frameComboBox, CB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < entries.size(); ++i) {
        char text[300] = "";
        SendMessageA(editor.frameComboBox, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries[i] = text;
    }
    return entries;
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
    editor.pixelWidth = editor.frames.width = width;
    editor.pixelHeight = editor.frames.height = height;
    allocateFrames(editor.mainWindow);
    refreshControls();
}

std::string testDataPath(const std::string &name) {
    char folder[MAX_PATH]; // the temporary folder of the throwaway prefix
    GetTempPathA(sizeof folder, folder);
    return folder + name;
}

std::vector<unsigned char> frameBytes(int frame) {
    const unsigned char *start = frameStart(editor.frames, frame);
    return std::vector<unsigned char>(start, start + currentFrameBytes());
}

void writeFile(const std::string &path, const std::string &bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string clipboardText() {
    if (!OpenClipboard(nullptr)) return "(clipboard busy)";
    HANDLE data = GetClipboardData(CF_TEXT);
    std::string text = data ? static_cast<const char *>(GlobalLock(data)) : "";
    if (data) GlobalUnlock(data);
    CloseClipboard();
    return text;
}

std::vector<int> sourceBytes(const std::string &path) {
    std::string text = readFile(path);
    std::vector<int> bytes;
    for (size_t at = text.find("0x"); at != std::string::npos; at = text.find("0x", at + 1))
        bytes.push_back(std::stoi(text.substr(at + 2, 2), nullptr, 16));
    return bytes;
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
