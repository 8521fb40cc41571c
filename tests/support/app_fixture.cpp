#include "app_fixture.h"

#include "app/app.h"
#include "model/matrix_store.h"
#include "modal_answerer.h"
#include "settings/settings.h"

#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

void deleteSettingsKey() {
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TarvellSoft\\MORVEX7");
}

static bool classRegistered;

void openMainWindow() {
    releaseFrames();
    free(editor.packBuffer);
    editor = EditorState{};
    editor.instanceHandle = GetModuleHandleA(nullptr);
    if (!classRegistered) classRegistered = registerMainWindowClass(editor.instanceHandle);
    ASSERT_TRUE(classRegistered);
    SetCursorPos(1000, 700); // away from the window, so that no mouse move reaches it
    ASSERT_TRUE(createMainWindow(editor.instanceHandle));
    SetForegroundWindow(editor.mainWindow);
    pumpMessages();
}

void closeMainWindow() {
    waitForWorker();
    if (editor.mainWindow && IsWindow(editor.mainWindow)) {
        KillTimer(editor.mainWindow, 1);
        DestroyWindow(editor.mainWindow);
    }
    editor.mainWindow = nullptr;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

void pumpMessages(int milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    MSG message;
    do {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(1);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

void waitForWorker() {
    DWORD start = GetTickCount();
    auto finished = [] {
        return !isBusy() && (!IsWindow(editor.paintRadio) || IsWindowEnabled(editor.paintRadio));
    };
    while (!finished() && GetTickCount() - start < 120000) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    ASSERT_TRUE(finished()) << "the conversion worker did not finish";
    pumpMessages(20);
}

std::string windowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(length + 1, '\0');
    GetWindowTextA(window, &text[0], length + 1);
    text.resize(length);
    return text;
}

std::string statusText(int part) {
    LRESULT info = SendMessageA(editor.statusBar, SB_GETTEXTLENGTHA, part, 0);
    std::string text(LOWORD(info) + 1, '\0');
    SendMessageA(editor.statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(LOWORD(info));
    return text;
}

std::vector<std::string> comboEntries(HWND combo) {
    std::vector<std::string> entries;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[300] = "";
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

void sendCommand(int id, HWND control) {
    SendMessageA(editor.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0),
                 reinterpret_cast<LPARAM>(control));
}

void clickControl(HWND control) {
    SendMessageA(control, BM_CLICK, 0, 0);
    pumpMessages(10);
}

void setMatrixSize(int width, int height) {
    editor.pixelWidth = width;
    editor.pixelHeight = height;
    editor.matrixWidth = width;
    editor.matrixHeight = height;
    editor.viewOriginX = editor.viewOriginY = 0;
    allocateFrames(editor.mainWindow);
    refreshControls();
}

static std::vector<std::string> *statusLog;
static WNDPROC originalStatusProc;

static LRESULT CALLBACK recordingStatusProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == SB_SETTEXTA && LOBYTE(wParam) == 0 && statusLog)
        statusLog->push_back(reinterpret_cast<const char *>(lParam));
    return CallWindowProcA(originalStatusProc, window, message, wParam, lParam);
}

void recordStatusTexts(std::vector<std::string> *log) {
    statusLog = log;
    if (!originalStatusProc)
        originalStatusProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            editor.statusBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordingStatusProc)));
}

std::string testDataPath(const std::string &name) {
    char directory[MAX_PATH];
    GetTempPathA(sizeof directory, directory);
    std::string path = std::string(directory) + "morvex7-tests";
    CreateDirectoryA(path.c_str(), nullptr);
    return path + "\\" + name;
}

std::vector<unsigned char> frameBytes(int frame) {
    size_t size = currentFrameBytes();
    const unsigned char *start = editor.frameBuffer + size * frame;
    return std::vector<unsigned char>(start, start + size);
}

void writeFile(const std::string &path, const std::string &bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void AppTest::SetUp() {
    deleteSettingsKey();
    clearModalLog();
    startAnsweringModals();
    ASSERT_NO_FATAL_FAILURE(openMainWindow());
}

void AppTest::TearDown() {
    closeMainWindow();
    stopAnsweringModals();
    originalStatusProc = nullptr;
    statusLog = nullptr;
}
