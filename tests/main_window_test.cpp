#include "app/app.h"
#include "app_fixture.h"
#include "modal_answerer.h"
#include "model/matrix_store.h"
#include "settings/settings.h"

#include <cctype>
#include <commctrl.h>

class MainWindowTest : public AppTest {};

static RECT clientRectOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, editor.mainWindow, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

static std::string classOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    std::string text = name;
    for (char &c : text)
        c = static_cast<char>(tolower(c));
    return text;
}

TEST_F(MainWindowTest, ClassTitleStyleAndOuterSize) {
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetClassInfoExA(editor.instanceHandle, "MORVEX7", &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
    EXPECT_EQ(info.lpfnWndProc, mainWindowProc);
    EXPECT_EQ(info.cbClsExtra, 0);
    EXPECT_EQ(info.cbWndExtra, 0);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(info.hbrBackground), COLOR_BTNFACE + 1);
    EXPECT_NE(info.hIcon, nullptr);
    EXPECT_STREQ(info.lpszMenuName, "MORVEX7");

    EXPECT_EQ(windowText(editor.mainWindow), "Tarvell VELDRIN Author BETA V1.0");
    LONG style = GetWindowLongA(editor.mainWindow, GWL_STYLE);
    LONG wanted = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(GetWindowLongA(editor.mainWindow, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
    RECT outer;
    GetWindowRect(editor.mainWindow, &outer);
    EXPECT_EQ(outer.right - outer.left, 622);
    EXPECT_EQ(outer.bottom - outer.top, GetSystemMetrics(SM_CYVTHUMB) +
                                            GetSystemMetrics(SM_CYCAPTION) +
                                            GetSystemMetrics(SM_CYMENU) + 385);
}

struct ExpectedControl {
    const char *className;
    const char *text;
    int id;
    DWORD style;
    int x, y, width, height; // y below the thumb height when belowThumb
    bool belowThumb;
};

TEST_F(MainWindowTest, FifteenControlsInCreationOrder) {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD push = child | BS_PUSHBUTTON | BS_NOTIFY, radio = child | BS_AUTORADIOBUTTON;
    const ExpectedControl expected[] = {
        {"combobox", "", 501, child | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 5, 0, 320,
         216, false},
        {"scrollbar", "", 1101, child | SBS_HORZ, 5, 335, 200, 20, true},
        {"scrollbar", "", 1102, child | SBS_VERT, 326, 10, 12, 320, true},
        {"scrollbar", "", 1103, child | SBS_HORZ, 356, 55, 240, 10, false},
        {"scrollbar", "", 1104, child | SBS_VERT, 601, 0, 10, 50, false},
        {"button", "&New...", 502, push, 210, 335, 120, 20, true},
        {"button", "Manual &Paint", 201, radio, 357, 65, 157, 20, false},
        {"button", "Manual &Text", 202, radio, 357, 91, 157, 20, false},
        {"button", "From Text &File", 203, radio, 357, 256, 157, 20, false},
        {"button", "From Bit&map File", 204, radio, 357, 306, 157, 20, false},
        {"edit", "", 401,
         child | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
             ES_AUTOHSCROLL,
         387, 118, 196, 112, false},
        {"button", "&Browse...", 504, push, 387, 278, 196, 20, false},
        {"button", "&Open...", 505, push, 387, 328, 196, 20, false},
        {"button", "&Update", 503, push, 387, 231, 196, 20, false},
        {"msctls_statusbar32", "", 2201, child, 0, 0, 0, 0, false},
    };
    int thumb = GetSystemMetrics(SM_CYVTHUMB);
    HWND control = GetWindow(editor.mainWindow, GW_CHILD);
    for (const ExpectedControl &want : expected) {
        ASSERT_NE(control, nullptr) << want.id;
        SCOPED_TRACE(want.id);
        EXPECT_EQ(classOf(control), want.className);
        EXPECT_EQ(GetDlgCtrlID(control), want.id);
        // the combo box hands WS_VSCROLL to its list, the edit box draws its border itself
        DWORD style = GetWindowLongA(control, GWL_STYLE);
        DWORD wanted = want.style;
        if (want.id == 501) wanted &= ~WS_VSCROLL;
        if (want.id == 401) wanted &= ~WS_BORDER;
        EXPECT_EQ(style & wanted, wanted);
        if (want.id == 2201) {
            RECT client, bar = clientRectOf(control);
            GetClientRect(editor.mainWindow, &client);
            EXPECT_EQ(bar.bottom, client.bottom); // the status bar places itself
            EXPECT_EQ(style & SBARS_SIZEGRIP, 0u);
        } else if (want.id == 501) {
            RECT dropped;
            SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            MapWindowPoints(nullptr, editor.mainWindow, reinterpret_cast<POINT *>(&dropped), 2);
            RECT closed = clientRectOf(control);
            EXPECT_EQ(closed.left, want.x);
            EXPECT_EQ(closed.top, want.y);
            EXPECT_EQ(closed.right - closed.left, want.width);
            // the list reaches down to the height the box was created with
            int closedHeight = closed.bottom - closed.top;
            EXPECT_TRUE(dropped.bottom == want.height ||
                        dropped.bottom + closedHeight == want.height)
                << dropped.bottom;
        } else {
            RECT rect = clientRectOf(control);
            EXPECT_EQ(rect.left, want.x);
            EXPECT_EQ(rect.top, want.y + (want.belowThumb ? thumb : 0));
            EXPECT_EQ(rect.right - rect.left, want.width);
            EXPECT_EQ(rect.bottom - rect.top, want.height);
        }
        if (classOf(control) == "button") {
            EXPECT_EQ(windowText(control), want.text);
        }
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr);
}

TEST_F(MainWindowTest, StatusBarPartsAndTicking) {
    int edges[3] = {};
    EXPECT_EQ(SendMessageA(editor.statusBar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 212);
    EXPECT_EQ(edges[1], 424);
    EXPECT_EQ(edges[2], 636);
    EXPECT_EQ(statusText(0), "OK");
    EXPECT_EQ(statusText(1), "DOT Matrix Size:16X16 Pixels");
    std::string clock = statusText(2);
    ASSERT_EQ(clock.size(), std::string("Current Time:09:05:03").size());
    EXPECT_EQ(clock.substr(0, 13), "Current Time:");
    SYSTEMTIME now;
    GetLocalTime(&now);
    int hour = std::stoi(clock.substr(13, 2));
    EXPECT_TRUE(hour == now.wHour || hour == (now.wHour + 23) % 24);
    EXPECT_EQ(clock[15], ':');
    EXPECT_EQ(clock[18], ':');
    pumpMessages(1300); // the timer writes it again each second
    EXPECT_NE(statusText(2), clock);
}

TEST_F(MainWindowTest, InitialStateAfterFirstStart) {
    EXPECT_EQ(IsDlgButtonChecked(editor.mainWindow, 202), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(editor.mainWindow, 201), BST_UNCHECKED);
    EXPECT_EQ(windowText(editor.textEdit), "");
    EXPECT_EQ(SendMessageA(editor.frameComboBox, CB_GETCOUNT, 0, 0), 0);
    EXPECT_FALSE(IsWindowEnabled(editor.frameComboBox));
    EXPECT_EQ(editor.matrixWidth, 16);
    EXPECT_EQ(editor.matrixHeight, 16);
    EXPECT_EQ(editor.frameCount, 1);
    for (unsigned char byte : frameBytes(0))
        EXPECT_EQ(byte, 0);
    EXPECT_EQ(editor.inputMode, ManualText);
    EXPECT_EQ(editor.foregroundColor, 0u);
    EXPECT_EQ(editor.backgroundColor, 0xFFFFFFu);
    EXPECT_EQ(editor.clientColor, 0xFFu);
    EXPECT_EQ(editor.characterDetect, 1);
    EXPECT_STREQ(editor.defaultFont.lfFaceName, "system");
}

TEST_F(MainWindowTest, MenuMatchesTheResource) {
    const char *expected[] = {"&File",
                              "&Load...\tCtrl+O:101",
                              "&Save...\tCtrl+S:102",
                              "-",
                              "&Exit\tAlt+F4:103",
                              "&Edit",
                              "Use Manu &Paint:201",
                              "Use &Manu Text:202",
                              "Use &Text File:203",
                              "Use &BMP File:204",
                              "-",
                              "&Invert",
                              "Invert &All:205",
                              "Invert &Current:207",
                              "&Clear",
                              "Clear &All:206",
                              "Clear &Current:208",
                              "-",
                              "&Map All ASCII:209",
                              "Copy to the clip&borad\tCtrl+C:210",
                              "&Tools",
                              "System &Setup...:301",
                              "-",
                              "&Font Setup...:302",
                              "&Color Setup...:303",
                              "&Help",
                              "On the &Web...:401",
                              "-",
                              "&About...:402"};
    std::vector<std::string> items;
    auto walk = [&items](HMENU menu, auto &self) -> void {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[128] = "";
            GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
            UINT state = GetMenuState(menu, i, MF_BYPOSITION);
            if (!(state & MF_SEPARATOR)) {
                EXPECT_EQ(state & (MF_CHECKED | MF_GRAYED), 0u) << text;
            }
            if (HMENU sub = GetSubMenu(menu, i)) {
                items.push_back(text);
                self(sub, self);
            } else if (state & MF_SEPARATOR) {
                items.push_back("-");
            } else {
                items.push_back(std::string(text) + ":" + std::to_string(GetMenuItemID(menu, i)));
            }
        }
    };
    walk(GetMenu(editor.mainWindow), walk);
    EXPECT_EQ(items, std::vector<std::string>(std::begin(expected), std::end(expected)));
}

TEST_F(MainWindowTest, CloseRefusedWhileBusyThenSavesAndDestroys) {
    editor.workerThread = GetCurrentThread();
    SendMessageA(editor.mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(editor.mainWindow));
    EXPECT_NE(editor.frameBuffer, nullptr);
    editor.workerThread = nullptr;

    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
    SendMessageA(editor.mainWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(editor.mainWindow));
    EXPECT_EQ(editor.frameBuffer, nullptr);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MainWindowTest, EntryPointReturnsZeroWhenTheClassCannotBeRegistered) {
    // the fixture already holds the class, so both registrations fail
    HWND window = editor.mainWindow;
    EXPECT_EQ(runApplication(editor.instanceHandle), 0);
    editor.mainWindow = window;
}

TEST_F(MainWindowTest, EntryPointReturnsZeroWhenAControlCannotBeCreated) {
    closeMainWindow(); // the status bar class can only go once no window uses it
    UnregisterClassA("MORVEX7", editor.instanceHandle);
    HINSTANCE controls = GetModuleHandleA("comctl32.dll");
    ASSERT_TRUE(UnregisterClassA(STATUSCLASSNAMEA, controls));
    editor.statusBar = nullptr;
    EXPECT_EQ(runApplication(editor.instanceHandle), 0);
    EXPECT_EQ(editor.statusBar, nullptr);
    closeMainWindow();
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
}

TEST(ModalAnswerer, AnswersAndRecordsAMessageBox) {
    startAnsweringModals();
    clearModalLog();
    answerMessageBox(IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "Is it?", "Question", MB_ICONQUESTION | MB_YESNO), IDNO);
    ASSERT_EQ(modalLog().size(), 1u);
    EXPECT_EQ(modalLog()[0].caption, "Question");
    EXPECT_EQ(modalLog()[0].text, "Is it?");
    EXPECT_EQ(modalLog()[0].icon, MB_ICONQUESTION);
    stopAnsweringModals();
}

static std::string windowsPath(std::string path) {
    for (char &c : path)
        if (c == '/') c = '\\';
    return path[0] == '\\' ? "Z:" + path : path;
}

TEST(ProgramProcess, ExitStatusIsOneAfterANormalClose) {
    std::string command = "\"" + windowsPath(MORVEX7_EXE_PATH) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process))
        << command;
    HWND window = nullptr;
    for (int i = 0; i < 300 && !window; ++i) {
        Sleep(100);
        window = FindWindowA("MORVEX7", "Tarvell VELDRIN Author BETA V1.0");
        DWORD owner = 0;
        if (window) GetWindowThreadProcessId(window, &owner);
        if (owner != process.dwProcessId) window = nullptr;
    }
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    EXPECT_EQ(status, 1u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
