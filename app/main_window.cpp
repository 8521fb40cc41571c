#include "app/app.h"

#include "app/conversions.h"
#include "convert/unicode_text.h"
#include "state/editor_state.h"
#include "state/undo_history.h"
#include "state/matrix_store.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "view/view.h"
#include "state/user_messages.h"

#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char mainWindowClassName[] = "MORVEX7";

static const int statusPartEdges[3] = {212, 424, 636};
const char openCaption[] = "&Open...";

bool registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA extended = {};
    extended.cbSize = sizeof(extended);
    extended.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    extended.lpfnWndProc = mainWindowProc;
    extended.hInstance = instance;
    extended.hIcon = static_cast<HICON>(
        LoadImageA(instance, mainWindowClassName, IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    extended.hIconSm = static_cast<HICON>(
        LoadImageA(instance, mainWindowClassName, IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    extended.hCursor = LoadCursor(nullptr, IDC_ARROW);
    extended.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    extended.lpszMenuName = mainWindowClassName;
    extended.lpszClassName = mainWindowClassName;
    if (RegisterClassExA(&extended)) return true;

    WNDCLASSA plain = {};
    plain.style = extended.style;
    plain.lpfnWndProc = mainWindowProc;
    plain.hInstance = instance;
    plain.hIcon = extended.hIcon;
    plain.hCursor = extended.hCursor;
    plain.hbrBackground = extended.hbrBackground;
    plain.lpszMenuName = mainWindowClassName;
    plain.lpszClassName = mainWindowClassName;
    return RegisterClassA(&plain) != 0;
}

struct ControlLayout {
    const char *className;
    const char *text;
    int id;
    DWORD style;
    int x, y, width, height;
    bool belowThumb; // y is counted from the vertical thumb height T
    HWND EditorState::*handle;
};

static const DWORD radioStyle = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
static const DWORD pushStyle = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_NOTIFY;

static const ControlLayout controlLayouts[] = {
    {"COMBOBOX", "", IDC_FRAME_COMBO,
     WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 5, 0, 320, 216, false,
     &EditorState::frameComboBox},
    {"Scrollbar", "HScrollbar1", IDC_VIEW_SCROLL_H, WS_CHILD | WS_VISIBLE | SBS_HORZ, 5, 335, 200,
     20, true, &EditorState::viewScrollBarH},
    {"Scrollbar", "VScrollbar1", IDC_VIEW_SCROLL_V, WS_CHILD | WS_VISIBLE | SBS_VERT, 326, 10, 12,
     320, true, &EditorState::viewScrollBarV},
    {"Scrollbar", "HScrollbar1", IDC_TEXT_SCROLL_H, WS_CHILD | WS_VISIBLE | SBS_HORZ, 356, 55, 240,
     10, false, &EditorState::textScrollBarH},
    {"Scrollbar", "VScrollbar1", IDC_TEXT_SCROLL_V, WS_CHILD | WS_VISIBLE | SBS_VERT, 601, 0, 10,
     50, false, &EditorState::textScrollBarV},
    {"BUTTON", "&New...", IDC_NEW, pushStyle, 210, 335, 120, 20, true, &EditorState::newButton},
    {"BUTTON", "Manual &Paint", ManualPaint, radioStyle, 357, 65, 157, 20, false,
     &EditorState::paintRadio},
    {"BUTTON", "Manual &Text", ManualText, radioStyle, 357, 91, 157, 20, false,
     &EditorState::textRadio},
    {"BUTTON", "From Text &File", TextFile, radioStyle, 357, 256, 157, 20, false,
     &EditorState::textFileRadio},
    {"BUTTON", "From Bit&map File", BitmapFile, radioStyle, 357, 306, 157, 20, false,
     &EditorState::bitmapRadio},
    {"EDIT", "", IDC_TEXT_EDIT,
     WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
         ES_AUTOHSCROLL,
     387, 118, 196, 112, false, &EditorState::textEdit},
    {"BUTTON", "&Browse...", IDC_BROWSE, pushStyle, 387, 278, 196, 20, false,
     &EditorState::browseButton},
    {"BUTTON", openCaption, IDC_OPEN, pushStyle, 387, 328, 196, 20, false,
     &EditorState::openButton},
    {"BUTTON", "&Update", IDC_UPDATE, pushStyle, 387, 231, 196, 20, false,
     &EditorState::updateButton},
    {STATUSCLASSNAMEA, "", IDC_STATUS_BAR, WS_CHILD | WS_VISIBLE, 0, 133, 644, 20, false,
     &EditorState::statusBar},
};

static int CALLBACK faceFound(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found) {
    *reinterpret_cast<bool *>(found) = true;
    return 0;
}

// The font of the text box and the frame list: the system's dialog font where it has CJK
// ideographs, else the first installed face of a list that has them, so that typed and
// converted characters of any script show as themselves.
static HFONT textControlFont() {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    HDC dc = GetDC(nullptr);
    for (const wchar_t *face :
         {L"Microsoft YaHei", L"SimSun", L"MS UI Gothic", L"Malgun Gothic", L"WenQuanYi Micro Hei",
          L"Noto Sans CJK SC", L"Droid Sans Fallback"}) {
        LOGFONTW wanted = {};
        wanted.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
        bool found = false;
        EnumFontFamiliesExW(dc, &wanted, faceFound, reinterpret_cast<LPARAM>(&found), 0);
        if (!found) continue;
        lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
        break;
    }
    ReleaseDC(nullptr, dc);
    return CreateFontIndirectW(&font);
}

bool createMainWindow(HINSTANCE instance) {
    int thumb = GetSystemMetrics(SM_CYVTHUMB);
    int outerHeight = thumb + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) + 385;
    editor.mainWindow =
        CreateWindowExA(0, mainWindowClassName, mainWindowTitle,
                        WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                        CW_USEDEFAULT, 622, outerHeight, nullptr, nullptr, instance, nullptr);
    if (!editor.mainWindow) return false;

    for (const ControlLayout &layout : controlLayouts) {
        int y = layout.belowThumb ? thumb + layout.y : layout.y;
        // Unicode controls, so that the text box and the frame list hold any character
        HWND control = CreateWindowExW(
            0, wideOfAnsi(layout.className).c_str(), wideOfAnsi(layout.text).c_str(), layout.style,
            layout.x, y, layout.width, layout.height, editor.mainWindow,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), instance, nullptr);
        if (!control) return false;
        editor.*layout.handle = control;
    }

    editor.controlFont = textControlFont();
    for (HWND control : {editor.textEdit, editor.frameComboBox})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(editor.controlFont), TRUE);
    SendMessageA(editor.statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(statusPartEdges));
    for (int part = 0; part < 3; ++part)
        setStatusText(part, "OK");

    DragAcceptFiles(editor.mainWindow, TRUE);
    initEditorState(editor.mainWindow);
    refreshControls();
    return true;
}

void initEditorState(HWND window) {
    forgetFrameSteps();
    editor.frames.width = 16;
    editor.frames.height = 16;
    editor.currentFrame = 0;
    editor.frames.count = 1;
    editor.settings.textShiftX = 0;
    editor.settings.textShiftY = 0;
    initDefaultFont();
    loadSettings();
    allocateFrames(window);
    updateClock(window, 0, 0, 0);
    SetTimer(window, 1, 1000, updateClock);
}

void CALLBACK updateClock(HWND, UINT, UINT_PTR, DWORD) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[64];
    snprintf(text, sizeof text, "Current Time:%02d:%02d:%02d", now.wHour, now.wMinute, now.wSecond);
    setStatusText(2, text);
}

bool onClose() {
    if (isBusy()) return true;
    if (editor.modified && !mayLoseChanges(editor.mainWindow)) return true;
    releaseFrames();
    return false;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return 1;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_PAINT:
        paintEditor(window);
        break;
    case WM_CLOSE:
        if (onClose()) return 1;
        KillTimer(window, 1);
        saveSettings();
        break;
    case WM_COMMAND:
        if (onCommand(window, wParam, lParam)) return 1;
        break;
    case WM_HSCROLL:
        onHorizontalScroll(window, wParam, lParam);
        break;
    case WM_VSCROLL:
        onVerticalScroll(window, wParam, lParam);
        break;
    case WM_INITMENUPOPUP:
        onInitMenuPopup(window, wParam, lParam);
        break;
    case WM_MENUSELECT:
        onMenuSelect(window, wParam, lParam);
        break;
    case WM_MOUSEMOVE:
        onMouseMove(window, wParam, lParam);
        break;
    case WM_LBUTTONDOWN:
        onLeftButtonDown(window, wParam, lParam);
        break;
    case WM_RBUTTONDOWN:
        onRightButtonDown(window, wParam, lParam);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        onButtonUp(window, wParam, lParam);
        break;
    case WM_MOUSELEAVE:
        onMouseLeave(window);
        break;
    case WM_APP_WORKER_DONE:
        onWorkerDone(window, reinterpret_cast<WorkerResult *>(lParam));
        return 0;
    case WM_DROPFILES:
        onDropFiles(window, reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_APP_PROGRESS:
        showProgress(static_cast<int>(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void dispatchMessage(MSG &message) {
    if (translateShortcut(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// Exit status 0 after a close, 1 when the window can't be made or the program ends for want of
// memory.
int runApplication(HINSTANCE instance) {
    editor.instanceHandle = instance;
    if (!registerMainWindowClass(editor.instanceHandle)) return 1;
    if (!createMainWindow(editor.instanceHandle)) return 1;
    // Unicode messages: typed characters of any script reach the Unicode text box whole
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatchMessage(message);
    if (editor.controlFont) DeleteObject(editor.controlFont);
    return static_cast<int>(message.wParam);
}
