#include "app/app.h"
#include "state/user_messages.h"

#include "state/editor_state.h"
#include "state/undo_history.h"
#include "res/resource.h"
#include "view/view.h"

#include <cstdio>

struct MenuHelp {
    int id;
    const char *text;
};

static const MenuHelp menuHelp[] = {
    {IDM_LOAD, "Load DOT Matrix from a source file"},
    {IDM_SAVE, "Save DOT Matrix to a .BIN file"},
    {IDM_EXIT, "Exit this application!"},
    {IDM_MANUAL_PAINT, "Manual Draw and Format to DOT Matrix"},
    {IDM_MANUAL_TEXT, "Translate Text to DOT Matrix"},
    {IDM_TEXT_FILE, "Load DOT Matrix from a .TXT file"},
    {IDM_BITMAP_FILE, "Load DOT Matrix from a .BMP file"},
    {IDM_INVERT_ALL, "Invert All of the DOT Matrix"},
    {IDM_CLEAR_ALL, "Clear All of the DOT Matrix"},
    {IDM_INVERT_CURRENT, "Invert the Current DOT Matrix"},
    {IDM_CLEAR_CURRENT, "Clear the Current DOT Matrix"},
    {IDM_MAP_ALL_ASCII, "Build DOT Matrixs of all ASCII"},
    {IDM_MAP_RANGE, "Build DOT Matrixs of a range of characters"},
    {IDM_UNDO, "Undo the last change of the DOT Matrix"},
    {IDM_REDO, "Redo the last change undone"},
    {IDM_FLIP_H, "Flip the DOT Matrix left to right"},
    {IDM_FLIP_V, "Flip the DOT Matrix upside down"},
    {IDM_ROTATE_RIGHT, "Turn the DOT Matrix a quarter clockwise"},
    {IDM_ROTATE_LEFT, "Turn the DOT Matrix a quarter anticlockwise"},
    {IDM_SHIFT_UP, "Move the DOT Matrix up one dot"},
    {IDM_SHIFT_DOWN, "Move the DOT Matrix down one dot"},
    {IDM_SHIFT_LEFT, "Move the DOT Matrix left one dot"},
    {IDM_SHIFT_RIGHT, "Move the DOT Matrix right one dot"},
    {IDM_ALL_FRAMES, "Transform every frame, not only the one shown"},
    {IDM_COPY_CLIPBOARD, "Copy the DOT Matrix code to Clipboard"},
    {IDM_SYSTEM_SETUP, "Change System settings"},
    {IDM_FONT_SETUP, "Change default Font Style and default Font Size"},
    {IDM_FONT_FILE, "Draw with a TrueType, OpenType or BDF font file"},
    {IDM_COLOR_SETUP, "Change default Color settings"},
    {IDM_WEB, "Visit our website"},
    {IDM_ABOUT, "Show Version Informations"},
};

const char *menuHelpText(int id) {
    for (const MenuHelp &help : menuHelp)
        if (help.id == id) return help.text;
    return nullptr;
}

void refreshControls() {
    refreshScrollBars();

    HWND modeControls[] = {editor.textEdit,      editor.browseButton, editor.openButton,
                           editor.updateButton,  editor.newButton,    editor.textScrollBarH,
                           editor.textScrollBarV};
    for (HWND control : modeControls)
        EnableWindow(control, FALSE);

    switch (editor.settings.inputMode) {
    case ManualPaint:
        EnableWindow(editor.newButton, TRUE);
        break;
    case ManualText:
        EnableWindow(editor.textEdit, TRUE);
        EnableWindow(editor.updateButton, TRUE);
        EnableWindow(editor.textScrollBarH, TRUE);
        EnableWindow(editor.textScrollBarV, TRUE);
        break;
    case TextFile:
        EnableWindow(editor.browseButton, TRUE);
        EnableWindow(editor.textScrollBarH, TRUE);
        EnableWindow(editor.textScrollBarV, TRUE);
        break;
    case BitmapFile:
        EnableWindow(editor.openButton, TRUE);
        break;
    }
    if (editor.settings.inputMode >= ManualPaint && editor.settings.inputMode <= BitmapFile)
        CheckRadioButton(editor.mainWindow, ManualPaint, BitmapFile, editor.settings.inputMode);

    EnableWindow(editor.frameComboBox, SendMessageA(editor.frameComboBox, CB_GETCOUNT, 0, 0) > 0);

    char sizeText[64];
    snprintf(sizeText, sizeof sizeText, "DOT Matrix Size:%dX%d Pixels", editor.frames.width,
             editor.frames.height);
    setStatusText(1, sizeText);
}

int onInitMenuPopup(HWND, WPARAM wParam, LPARAM) {
    HMENU popup = reinterpret_cast<HMENU>(wParam);
    for (int id = ManualPaint; id <= BitmapFile; ++id)
        CheckMenuItem(popup, id,
                      MF_BYCOMMAND | (editor.settings.inputMode == id ? MF_CHECKED : MF_UNCHECKED));
    for (int id : {IDM_MAP_ALL_ASCII, IDM_MAP_RANGE})
        EnableMenuItem(popup, id,
                       MF_BYCOMMAND |
                           (editor.settings.inputMode == ManualText ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(popup, IDM_LOAD, MF_BYCOMMAND | (isBusy() ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(popup, IDM_UNDO, MF_BYCOMMAND | (canUndo() ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(popup, IDM_REDO, MF_BYCOMMAND | (canRedo() ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(popup, IDM_ALL_FRAMES,
                  MF_BYCOMMAND | (editor.settings.transformAll ? MF_CHECKED : MF_UNCHECKED));
    return 1;
}

int onMenuSelect(HWND, WPARAM wParam, LPARAM) {
    const char *text = menuHelpText(LOWORD(wParam));
    if (text) setStatusText(0, text);
    return 1;
}
