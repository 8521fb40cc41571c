#include "app/app.h"

#include "app/conversions.h"
#include "state/editor_state.h"
#include "convert/text_file.h"
#include "state/matrix_store.h"
#include "state/undo_history.h"
#include "model/character_range.h"
#include "model/transforms.h"
#include "model/size_limits.h"
#include "output/output.h"
#include "output/output_styles.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "view/view.h"
#include "state/user_messages.h"

#include <commdlg.h>
#include <shellapi.h>
#include <cstring>

static const char makerWebSite[] = "https://www.tarvellsoft.example/morvex7/";

static const char textFilter[] = "All Text Files(*.txt)\0*.txt\0All Files(*.*)\0*.*\0";
static const char fontFilter[] = "Font Files(*.ttf;*.otf;*.ttc;*.bdf)\0*.ttf;*.otf;*.ttc;*.bdf\0"
                                 "All Files(*.*)\0*.*\0";
static const char bitmapFilter[] =
    "All Pictures(*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff;*.ico)\0"
    "*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff;*.ico\0"
    "All Bitmap Files(*.bmp)\0*.bmp\0All Files(*.*)\0*.*\0";
static const char sourceFilter[] = "All Source Files(*.c;*.asm)\0*.c;*.asm\0"
                                   "All C Files(*.c)\0*.c\0All ASM Files(*.asm)\0*.asm\0";

static bool chooseFile(HWND owner, char *path, const char *filter, const char *title,
                       BOOL(WINAPI *chooser)(LPOPENFILENAMEA), const char *extension) {
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
    choice.lpstrDefExt = extension; // for a name typed without one
    if (chooser(&choice)) return true;
    // a chosen path longer than the buffer is no cancel: the user is told why nothing happens
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) {
        WindowReporter report(owner);
        reportPathTooLong(report);
    }
    return false;
}

bool chooseOpenFile(HWND owner, char *path, const char *filter) {
    return chooseFile(owner, path, filter, "Open...", GetOpenFileNameA, nullptr);
}

bool chooseSaveFile(HWND owner, char *path, const char *filter, const char *extension) {
    return chooseFile(owner, path, filter, "Save as...", GetSaveFileNameA, extension);
}

Settings outputSettings() {
    Settings settings = editor.settings;
    settings.inputFile =
        settings.inputMode == TextFile ? editor.textFilePath : editor.bitmapFilePath;
    return settings;
}

int saveFrames(HWND window, const char *path) {
    WindowReporter report(window);
    return saveSource(utf8OfAnsi(path).c_str(), editor.frames, outputSettings(), report);
}

static void saveCommand(HWND window) {
    char path[pathCapacity] = "";
    // the style's filter, then all files
    const OutputStyleRow &style = outputStyleRow(editor.settings.outputStyle);
    std::string filter = style.filterName + std::string(1, '\0') + "*." + style.extension;
    filter += std::string("\0All Files(*.*)\0*.*\0", 20);
    if (!chooseSaveFile(window, path, filter.c_str(), style.extension)) return;
    editor.modified = saveFrames(window, path) ? 0 : 1;
    if (!editor.modified) framesSaved();
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

void convertTextBox(HWND window) {
    int length = GetWindowTextLengthW(editor.textEdit);
    std::wstring text(length + 1, L'\0');
    text.resize(GetWindowTextW(editor.textEdit, &text[0], length + 1));
    startTextConversion(window, typedText(text));
}

// The Update button: the view back home, the text box converted.
static void updateCommand(HWND window) {
    scrollViewHome(window);
    convertTextBox(window);
    invalidateEditor(window);
}

// The stored text file read again, without a chooser.
static void reloadTextFile(HWND window) {
    char path[pathCapacity];
    storePath(path, editor.textFilePath);
    loadTextFile(window, path);
}

// ask: the user switched by a radio button or a menu item, and is asked before changed frames
// are lost; the program's own switches never ask.
void switchMode(HWND window, int mode, bool ask) {
    if (mode == editor.settings.inputMode) return;
    if (editor.modified && ask && !mayLoseChanges(window)) {
        refreshControls();
        return;
    }
    OneUndoStep step; // the blank frames and what the new mode converts
    rememberFrames();
    editor.currentFrame = 0;
    editor.frames.count = 1;
    editor.frames.names.clear();
    if (!allocateFrames(window)) return;
    showFrameNames();
    editor.modified = 0;
    editor.settings.inputMode = mode;
    switch (mode) {
    case ManualPaint:
        editor.frames.count = 0; // the blank frame becomes Custom 1
        editor.frames.bytes.clear();
        appendCustomFrame(window);
        break;
    case ManualText:
        updateCommand(window);
        refreshControls();
        return;
    case TextFile:
        if (editor.textFilePath[0]) reloadTextFile(window);
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
    rememberFrames();
    clearAllFrames();
    invalidateEditor(window);
}

// Converts the text of the mode in force again, as it was converted.
static void convertAgain(HWND window) {
    if (editor.settings.inputMode == ManualText)
        updateCommand(window);
    else if (editor.settings.inputMode == TextFile)
        reloadTextFile(window);
}

// A setting that redoes what has changed since before.
static bool changed(const Settings &before, Redo redo) {
    for (const SettingRow &row : settingsTable())
        if (row.control.redoes & redo && valueText(row, before) != valueText(row, editor.settings))
            return true;
    return false;
}

static void systemSettingsCommand(HWND window) {
    const Settings before = editor.settings;
    if (DialogBoxParamA(editor.instanceHandle, "Setup_dlg", window, systemSettingsDialogProc, 0) !=
        1)
        return;
    // a loaded picture is imported again with its new settings; its size is its own or fitted
    if (changed(before, redoImport) && editor.settings.inputMode == BitmapFile &&
        editor.bitmapFilePath[0]) {
        if (!isBusy()) startBitmapImport(window, editor.bitmapFilePath);
        return;
    }
    if (editor.frames.width == editor.settings.width &&
        editor.frames.height == editor.settings.height && !changed(before, redoConversion))
        return;
    if (isBusy()) return;
    WindowReporter report(window);
    if (!framesFit(report, editor.settings.width, editor.settings.height, editor.frames.count)) {
        // the frames keep their size
        editor.settings.width = editor.frames.width;
        editor.settings.height = editor.frames.height;
        return;
    }
    OneUndoStep step; // the frames of the new size and what is converted into them
    rememberFrames();
    editor.settings.textShiftX = editor.settings.textShiftY = 0;
    editor.currentFrame = 0;
    editor.frames.width = editor.settings.width;
    editor.frames.height = editor.settings.height;
    editor.viewOriginX = editor.viewOriginY = 0;
    if (!allocateFrames(window)) return;
    if (editor.settings.inputMode == ManualText) editor.modified = 0;
    convertAgain(window);
    showFrameNames(); // frame 0 is current now
    refreshControls();
    invalidateEditor(window);
}

static void browseCommand(HWND window) {
    char path[pathCapacity];
    storePath(path, editor.textFilePath);
    if (chooseOpenFile(window, path, textFilter)) loadTextFile(window, path);
}

// Edit > Transform: the frame shown or, with All Frames, every frame.
static void transformCommand(HWND window, int id) {
    FrameSet frames = editor.frames;
    int n = editor.settings.transformAll || frames.coding ? -1 : editor.currentFrame;
    const char *problem = nullptr;
    if (id == IDM_FLIP_H || id == IDM_FLIP_V)
        flipFrames(frames, id == IDM_FLIP_H ? Flip::horizontal : Flip::vertical, n);
    else if (id == IDM_ROTATE_RIGHT || id == IDM_ROTATE_LEFT)
        problem = rotateFrames(frames, id == IDM_ROTATE_RIGHT ? 1 : 3, n);
    else
        shiftFrames(frames,
                    id == IDM_SHIFT_LEFT    ? -1
                    : id == IDM_SHIFT_RIGHT ? 1
                                            : 0,
                    id == IDM_SHIFT_UP     ? -1
                    : id == IDM_SHIFT_DOWN ? 1
                                           : 0,
                    n);
    if (problem) {
        tellUser(window, problem, nullptr, MB_ICONINFORMATION | MB_OK);
        return;
    }
    rememberFrames();
    editor.frames = std::move(frames);
    editor.settings.width = editor.frames.width; // turned, all frames swap width and height
    editor.settings.height = editor.frames.height;
    editor.viewOriginX = editor.viewOriginY = 0;
    editor.modified = 1;
    refreshControls();
    invalidateEditor(window);
}

// The status bar names the font a text is drawn with.
static void showFontInUse() {
    std::string font = editor.settings.fontFile.empty()
                           ? std::string(editor.settings.font.lfFaceName)
                           : std::string(fileNameOf(editor.settings.fontFile.c_str()));
    setStatusText(0, ("Font: " + font).c_str());
}

// A font file, used until another is chosen or the Font Setup picks an installed font.
static void fontFileCommand(HWND window) {
    char path[pathCapacity] = "";
    if (!chooseOpenFile(window, path, fontFilter)) return;
    editor.settings.fontFile = utf8OfAnsi(path);
    editor.settings.font.lfWeight = FW_NORMAL; // the file's glyphs as they are drawn
    editor.settings.font.lfItalic = FALSE;
    showFontInUse();
    convertAgain(window);
}

// The range list, kept in the settings; OK takes it only when it reads.
static INT_PTR CALLBACK rangeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, IDC_RANGE_LIST, editor.settings.characterRange.c_str());
        return TRUE;
    }
    if (message != WM_COMMAND || HIWORD(wParam) != 0) return FALSE;
    if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 2);
    if (LOWORD(wParam) != IDOK) return TRUE;
    char list[4096] = "";
    GetDlgItemTextA(dialog, IDC_RANGE_LIST, list, sizeof list);
    std::vector<unsigned> codePoints;
    std::string reason = parseCharacterRange(list, codePoints);
    if (!reason.empty()) {
        tellUser(dialog, reason.c_str(), nullptr, MB_ICONERROR | MB_OK);
        return TRUE;
    }
    editor.settings.characterRange = list;
    EndDialog(dialog, 1);
    return TRUE;
}

static void openBitmapCommand(HWND window) {
    char path[pathCapacity];
    storePath(path, editor.bitmapFilePath);
    // the chosen path is the stored one only once its import runs
    if (!chooseOpenFile(window, path, bitmapFilter) || !startBitmapImport(window, path)) return;
    storePath(editor.bitmapFilePath, path);
    SetWindowTextA(editor.openButton, fileNameOf(editor.bitmapFilePath));
    invalidateEditor(window);
}

int onCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    int code = HIWORD(wParam);
    int id = LOWORD(wParam);
    if (id == IDM_CANCEL && (code == 0 || code == 1)) cancelWorker();
    if (isBusy()) return 1;
    bool shortcut = code == 1 && lParam == 0; // from the accelerator table
    if (code == CBN_SELCHANGE && !shortcut) {
        LRESULT selected = SendMessageA(editor.frameComboBox, CB_GETCURSEL, 0, 0);
        if (selected != CB_ERR) editor.currentFrame = static_cast<int>(selected);
        invalidateEditor(window);
        return 0;
    }
    if (code != 0 && !shortcut) return 0;

    switch (id) {
    case IDM_LOAD:
        loadCommand(window);
        break;
    case IDM_SAVE:
        saveCommand(window);
        break;
    case IDM_EXIT:
        SendMessageA(editor.mainWindow, WM_CLOSE, 0, 0);
        break;
    case ManualPaint:
    case ManualText:
    case TextFile:
    case BitmapFile:
        switchMode(window, id, true);
        break;
    case IDM_INVERT_ALL:
        rememberFrames();
        invertAllFrames();
        invalidateEditor(window);
        break;
    case IDM_CLEAR_ALL:
        clearAllCommand(window);
        break;
    case IDM_INVERT_CURRENT:
        rememberFrames();
        invertCurrentFrame();
        invalidateEditor(window);
        break;
    case IDM_CLEAR_CURRENT:
        rememberFrames();
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
    case IDM_FONT_SETUP: // an installed font, no file's
        if (chooseDefaultFont(window) != 1) break;
        editor.settings.fontFile.clear();
        showFontInUse();
        convertAgain(window);
        break;
    case IDM_FONT_FILE:
        fontFileCommand(window);
        break;
    case IDM_UNDO:
    case IDM_REDO:
        if (id == IDM_UNDO ? undoFrames() : redoFrames()) {
            refreshControls();
            invalidateEditor(window);
        }
        break;
    case IDM_FLIP_H:
    case IDM_FLIP_V:
    case IDM_ROTATE_RIGHT:
    case IDM_ROTATE_LEFT:
    case IDM_SHIFT_UP:
    case IDM_SHIFT_DOWN:
    case IDM_SHIFT_LEFT:
    case IDM_SHIFT_RIGHT:
        transformCommand(window, id);
        break;
    case IDM_ALL_FRAMES:
        editor.settings.transformAll = !editor.settings.transformAll;
        break;
    case IDM_MAP_RANGE:
        if (DialogBoxParamA(editor.instanceHandle, "Range_dlg", window, rangeDialogProc, 0) == 1)
            mapCharacterRange(window, editor.settings.characterRange);
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
        rememberFrames();
        appendCustomFrame(window);
        invalidateEditor(window);
        break;
    case IDC_UPDATE:
        updateCommand(window);
        break;
    case IDM_CONVERT_SHIFTED: // where the view stays
        if (editor.settings.inputMode == ManualText) {
            convertTextBox(window);
            invalidateEditor(window);
        } else if (editor.settings.inputMode == TextFile) {
            reloadTextFile(window);
        }
        break;
    case IDC_BROWSE:
        browseCommand(window);
        break;
    case IDC_OPEN:
        openBitmapCommand(window);
        break;
    }
    return 0;
}
