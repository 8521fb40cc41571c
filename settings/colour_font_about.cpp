#include "settings/settings.h"

#include "state/editor_state.h"
#include "state/user_messages.h"
#include "res/resource.h"
#include "view/view.h"

#include <commdlg.h>
#include <cstdio>

// The colour of a swatch of the Color dialog.
static COLORREF *swatchColour(int id) {
    for (const SettingRow &row : settingsTable())
        if (row.control.kind == ControlKind::swatch && row.control.id == id)
            return &(editor.settings.*row.field.colour);
    return nullptr;
}

void paintColorSwatch(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    COLORREF *colour = swatchColour(id);
    if (!button || !colour) return;
    HDC dialogDc = GetDC(dialog);
    HDC memory = CreateCompatibleDC(dialogDc);
    RECT bounds;
    GetWindowRect(button, &bounds);
    int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    HBITMAP bitmap = CreateCompatibleBitmap(dialogDc, width, height);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(*colour);
    RECT all = {0, 0, width, height};
    FillRect(memory, &all, brush);
    SelectObject(memory, oldBitmap);
    HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(
        SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (previous) DeleteObject(previous);
    DeleteObject(brush);
    DeleteDC(memory);
    ReleaseDC(dialog, dialogDc);
}

COLORREF chooseColor(HWND owner) {
    COLORREF customColours[16] = {};
    CHOOSECOLORA choice = {};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = owner;
    choice.rgbResult = 0;
    choice.lpCustColors = customColours;
    choice.Flags = CC_RGBINIT;
    if (!ChooseColorA(&choice)) return static_cast<COLORREF>(-1);
    return choice.rgbResult;
}

static void restoreColours() {
    for (const SettingRow &row : settingsTable())
        if (row.field.colour)
            editor.settings.*row.field.colour = editor.colourBackup.*row.field.colour;
}

INT_PTR CALLBACK colorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        for (int id = IDC_SWATCH_FOREGROUND; id <= IDC_SWATCH_CLIENT; ++id)
            paintColorSwatch(dialog, id);
        editor.colourBackup = editor.settings;
        return TRUE;
    }
    if (message == WM_DESTROY) { // the buttons don't release the swatches they show
        for (int id = IDC_SWATCH_FOREGROUND; id <= IDC_SWATCH_CLIENT; ++id)
            DeleteObject(reinterpret_cast<HGDIOBJ>(
                SendDlgItemMessageA(dialog, id, BM_SETIMAGE, IMAGE_BITMAP, 0)));
        return FALSE;
    }
    if (message != WM_COMMAND || HIWORD(wParam) != 0) return FALSE;
    int id = LOWORD(wParam);
    if (COLORREF *field = swatchColour(id)) {
        COLORREF chosen = chooseColor(dialog);
        if (chosen != static_cast<COLORREF>(-1)) *field = chosen;
        paintColorSwatch(dialog, id);
        invalidateEditor(editor.mainWindow);
        return FALSE;
    }
    if (id == IDCANCEL) restoreColours();
    if (id == IDCANCEL || id == IDOK) {
        invalidateEditor(editor.mainWindow);
        EndDialog(dialog, id);
    }
    return FALSE;
}

// The chooser's sizes are points; the glyphs take the pixel height they come to on this screen,
// and the title says so.
static UINT_PTR CALLBACK fontChooserHook(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return 0;
    HDC dc = GetDC(dialog);
    char title[128];
    snprintf(title, sizeof title,
             "Font: sizes in points; glyphs take pixels (12 points are %d pixels here)",
             MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72));
    ReleaseDC(dialog, dc);
    SetWindowTextA(dialog, title);
    return 0;
}

int chooseDefaultFont(HWND owner) {
    CHOOSEFONTA choice = {};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = owner;
    choice.hDC = GetDC(owner);
    choice.lpLogFont = &editor.settings.font;
    // the vertical "@" faces draw their glyphs turned: left out
    choice.Flags =
        CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_NOVERTFONTS | CF_ENABLEHOOK;
    choice.lpfnHook = fontChooserHook;
    choice.hInstance = editor.instanceHandle;
    BOOL confirmed = ChooseFontA(&choice);
    ReleaseDC(owner, choice.hDC);
    // the pixel height chosen, which the font's own size draws with
    LONG height = editor.settings.font.lfHeight < 0 ? -editor.settings.font.lfHeight
                                                    : editor.settings.font.lfHeight;
    if (confirmed && height >= 1 && height <= 1024) editor.settings.fontPixelHeight = height;
    return confirmed ? 1 : 0;
}

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, IDC_ABOUT_TITLE, mainWindowTitle);
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == 0 &&
        (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}
