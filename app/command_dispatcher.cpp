#include "app/app.h"

#include "convert/convert.h"
#include "model/editor_state.h"
#include "model/matrix_store.h"
#include "model/size_limits.h"
#include "output/output.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "view/view.h"
#include "model/user_messages.h"

#include <commdlg.h>
#include <shellapi.h>
#include <cstring>

static const char makerWebSite[] = "https://www.tarvellsoft.example/morvex7/";

static const char textFilter[] = "All Text Files(*.txt)\0*.txt\0All Files(*.*)\0*.*\0";
static const char bitmapFilter[] = "All Bitmap Files(*.bmp)\0*.bmp\0All Files(*.*)\0*.*\0";
static const char cFilter[] = "All C Files(*.c)\0*.c\0All Files(*.*)\0*.*\0";
static const char asmFilter[] = "All ASM Files(*.asm)\0*.asm\0All Files(*.*)\0*.*\0";
static const char sourceFilter[] = "All Source Files(*.c;*.asm)\0*.c;*.asm\0"
                                   "All C Files(*.c)\0*.c\0All ASM Files(*.asm)\0*.asm\0";

static bool chooseFile(HWND owner, char *path, const char *filter, const char *title,
                       BOOL(WINAPI *chooser)(LPOPENFILENAMEA)) {
    OPENFILENAMEA choice = {};
    // the classic structure, without the trailing fields of later Windows versions
    choice.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    choice.hwndOwner = owner;
    choice.hInstance = editor.instanceHandle;
    choice.lpstrFilter = filter;
    choice.nFilterIndex = 0;
    choice.lpstrFile = path;
    choice.nMaxFile = pathCapacity;
    choice.lpstrTitle = title;
    choice.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    // a name typed without an extension gets the one of the first filter pair
    choice.lpstrDefExt = filter == asmFilter ? "asm" : filter == cFilter ? "c" : nullptr;
    if (chooser(&choice)) return true;
    // a chosen path longer than the buffer is no cancel: the user is told why nothing happens
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) reportPathTooLong(owner);
    return false;
}

bool chooseOpenFile(HWND owner, char *path, const char *filter) {
    return chooseFile(owner, path, filter, "Open...", GetOpenFileNameA);
}

bool chooseSaveFile(HWND owner, char *path, const char *filter) {
    return chooseFile(owner, path, filter, "Save as...", GetSaveFileNameA);
}

void sendOwnCommand(HWND window, int id) {
    SendMessageA(window, WM_COMMAND, id, 0);
}

void rerunManualText(HWND window) {
    int savedMode = editor.inputMode;
    editor.inputMode = 0;
    sendOwnCommand(window, ManualText);
    editor.inputMode = savedMode;
}

static void saveCommand(HWND window, LPARAM lParam) {
    char path[pathCapacity] = "";
    if (lParam) {
        if (!storePath(path, reinterpret_cast<const char *>(lParam))) return;
        saveSource(path);
        return;
    }
    const char *filter = editor.outputStyle >= OutputAsm ? asmFilter : cFilter;
    if (!chooseSaveFile(window, path, filter)) return;
    editor.modified = saveSource(path) ? 0 : 1;
}

bool mayLoseChanges(HWND window) {
    return tellUser(
               window,
               "DOT Matrix has been changed!Continue will lost all your datas!\nContinue?(Y/N)",
               nullptr, MB_ICONQUESTION | MB_YESNO) == IDYES;
}

static void loadCommand(HWND window) {
    if (editor.modified && !mayLoseChanges(window)) return;
    char path[pathCapacity] = "";
    if (chooseOpenFile(window, path, sourceFilter)) loadSourceFile(window, path);
}

static void switchMode(HWND window, int mode, LPARAM lParam) {
    if (mode == editor.inputMode) return;
    if (editor.modified && lParam) {
        if (!mayLoseChanges(window)) {
            refreshControls();
            return;
        }
        editor.currentFrame = 0;
        editor.frameCount = 1;
    }
    if (!allocateFrames(window)) return;
    editor.modified = 0;
    editor.inputMode = mode;
    SendMessageA(editor.frameComboBox, CB_RESETCONTENT, 0, 0);
    switch (mode) {
    case ManualPaint:
        editor.frameCount = 1;
        appendCustomFrame(window);
        break;
    case ManualText:
        sendOwnCommand(window, IDC_UPDATE);
        refreshControls();
        return;
    case TextFile:
        if (editor.textFilePath[0]) sendOwnCommand(window, IDC_BROWSE);
        break;
    case BitmapFile:
        if (editor.bitmapFilePath[0]) startBitmapImport(window, editor.bitmapFilePath);
        break;
    }
    refreshControls();
    invalidateEditor(window);
}

static void clearAllCommand(HWND window) {
    int answer = tellUser(
        window, "Do you want to erase All?\nWarnning:All data will be deleted!\nAre you sure?",
        nullptr, MB_ICONWARNING | MB_YESNO);
    if (answer != IDYES) return;
    clearAllFrames();
    invalidateEditor(window);
}

static void systemSettingsCommand(HWND window) {
    int rememberedDetect = editor.characterDetect, rememberedCoding = editor.bitmapStyle;
    if (DialogBoxParamA(editor.instanceHandle, "Setup_dlg", window, systemSettingsDialogProc, 0) !=
        1)
        return;
    // a loaded picture is imported again in its new coding; its size is its own
    if (editor.bitmapStyle != rememberedCoding && editor.inputMode == BitmapFile &&
        editor.bitmapFilePath[0]) {
        if (!isBusy()) startBitmapImport(window, editor.bitmapFilePath);
        return;
    }
    if (editor.matrixWidth == editor.pixelWidth && editor.matrixHeight == editor.pixelHeight &&
        editor.characterDetect == rememberedDetect)
        return;
    if (isBusy()) return;
    if (!framesFit(window, editor.pixelWidth, editor.pixelHeight, editor.frameCount)) {
        // the frames keep their size
        editor.pixelWidth = editor.matrixWidth;
        editor.pixelHeight = editor.matrixHeight;
        return;
    }
    editor.textShiftX = editor.textShiftY = 0;
    editor.currentFrame = 0;
    editor.matrixWidth = editor.pixelWidth;
    editor.matrixHeight = editor.pixelHeight;
    editor.viewOriginX = editor.viewOriginY = 0;
    if (!allocateFrames(window)) return;
    if (editor.inputMode == ManualText)
        rerunManualText(window);
    else if (editor.inputMode == TextFile)
        sendOwnCommand(window, IDC_BROWSE);
    else
        SendMessageA(editor.frameComboBox, CB_SETCURSEL, 0, 0); // frame 0 is current now
    refreshControls();
    invalidateEditor(window);
}

static void rerenderText(HWND window) {
    if (editor.inputMode == ManualText)
        sendOwnCommand(window, IDC_UPDATE);
    else if (editor.inputMode == TextFile)
        sendOwnCommand(window, IDC_BROWSE);
}

static void updateCommand(HWND window) {
    SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0),
                 reinterpret_cast<LPARAM>(editor.viewScrollBarV));
    SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0),
                 reinterpret_cast<LPARAM>(editor.viewScrollBarH));
    startTextRasterizer(window);
    invalidateEditor(window);
}

static void browseCommand(HWND window, LPARAM lParam) {
    char path[pathCapacity];
    storePath(path, editor.textFilePath);
    if (lParam && !chooseOpenFile(window, path, textFilter)) return;
    loadTextFile(window, path);
}

static void openBitmapCommand(HWND window, LPARAM lParam) {
    char path[pathCapacity];
    storePath(path, editor.bitmapFilePath);
    if (lParam && !chooseOpenFile(window, path, bitmapFilter)) return;
    startBitmapImport(window, path);
    storePath(editor.bitmapFilePath, path);
    SetWindowTextA(editor.openButton, fileNameOf(editor.bitmapFilePath));
    invalidateEditor(window);
}

int onCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    if (isBusy()) return 1;
    int code = HIWORD(wParam);
    int id = LOWORD(wParam);
    bool shortcut = code == 1 && lParam == 0; // from the accelerator table
    if (code == CBN_SELCHANGE && !shortcut) {
        editor.currentFrame =
            static_cast<int>(SendMessageA(editor.frameComboBox, CB_GETCURSEL, 0, 0));
        invalidateEditor(window);
        return 0;
    }
    if (code != 0 && !shortcut) return 0;

    switch (id) {
    case IDM_LOAD:
        loadCommand(window);
        break;
    case IDM_SAVE:
        saveCommand(window, lParam);
        break;
    case IDM_EXIT:
        SendMessageA(editor.mainWindow, WM_CLOSE, 0, 0);
        break;
    case ManualPaint:
    case ManualText:
    case TextFile:
    case BitmapFile:
        switchMode(window, id, lParam);
        break;
    case IDM_INVERT_ALL:
        invertAllFrames();
        invalidateEditor(window);
        break;
    case IDM_CLEAR_ALL:
        clearAllCommand(window);
        break;
    case IDM_INVERT_CURRENT:
        invertCurrentFrame();
        invalidateEditor(window);
        break;
    case IDM_CLEAR_CURRENT:
        clearCurrentFrame();
        invalidateEditor(window);
        break;
    case IDM_MAP_ALL_ASCII:
        mapAllAscii(window);
        break;
    case IDM_COPY_CLIPBOARD:
        if (!(shortcut && copiedFromTextBox())) copyToClipboard(window);
        break;
    case IDM_SYSTEM_SETUP:
        systemSettingsCommand(window);
        break;
    case IDM_FONT_SETUP:
        if (chooseDefaultFont(window) == 1) rerenderText(window);
        break;
    case IDM_COLOR_SETUP:
        DialogBoxParamA(editor.instanceHandle, "Color_dlg", window, colorDialogProc, 0);
        break;
    case IDM_WEB:
        ShellExecuteA(window, "open", makerWebSite, "", nullptr, SW_SHOW);
        break;
    case IDM_ABOUT:
        DialogBoxParamA(editor.instanceHandle, "About_DLG", window, aboutDialogProc, 0);
        break;
    case IDC_NEW:
        editor.frameCount += 1;
        appendCustomFrame(window);
        invalidateEditor(window);
        break;
    case IDC_UPDATE:
        updateCommand(window);
        break;
    case IDC_BROWSE:
        browseCommand(window, lParam);
        break;
    case IDC_OPEN:
        openBitmapCommand(window, lParam);
        break;
    }
    return 0;
}
