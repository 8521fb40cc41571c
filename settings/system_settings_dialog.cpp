// System Setup: a control for each row of the settings table that has one, filled from the
// settings in force and committed on OK once every value is checked.
#include "settings/settings.h"

#include "state/editor_state.h"
#include "state/user_messages.h"
#include "output/output_styles.h"
#include "res/resource.h"

#include <algorithm>
#include <cstdio>

static const char fatalCaption[] = "Fatal error!";

static int choiceCount(const SettingRow &row) {
    return row.high - row.low + 1;
}

static void showSetting(HWND dialog, const SettingRow &row, const Settings &settings) {
    int id = row.control.id;
    switch (row.control.kind) {
    case ControlKind::sizeBox:
    case ControlKind::numberBox:
        SetDlgItemInt(dialog, id, settings.*row.field.number, TRUE);
        break;
    case ControlKind::list:
        for (int i = 0; i < choiceCount(row); ++i)
            SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(row.texts[i]));
        SendDlgItemMessageA(dialog, id, CB_SETCURSEL, settings.*row.field.number - row.low, 0);
        break;
    case ControlKind::checkBox:
        CheckDlgButton(dialog, id, settings.*row.field.number ? BST_CHECKED : BST_UNCHECKED);
        break;
    case ControlKind::radioButtons:
        CheckRadioButton(dialog, id, id + choiceCount(row) - 1,
                         id + settings.*row.field.number - row.low);
        break;
    case ControlKind::textBox:
        SetDlgItemTextA(dialog, id, (settings.*row.field.text).c_str());
        break;
    case ControlKind::none:
    case ControlKind::swatch:
        break;
    }
}

// A radio button for each choice in the group box, in columns of as many as its height holds,
// following the box in the tab order.
static void makeRadioButtons(HWND dialog, const SettingRow &row) {
    HWND box = GetDlgItem(dialog, IDC_SETUP_STYLES_BOX);
    RECT area;
    GetWindowRect(box, &area);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&area), 2);
    RECT units = {10, 13, 11, 8}; // the inset, the pitch and a button's height in dialog units
    MapDialogRect(dialog, &units);
    int perColumn =
        std::max(1L, (area.bottom - area.top - units.top - units.bottom) / units.right + 1);
    int columns = (choiceCount(row) + perColumn - 1) / perColumn;
    int columnWidth = (area.right - area.left - 2 * units.left) / columns;
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    HWND previous = box;
    for (int i = 0; i < choiceCount(row); ++i) {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON | (i ? 0 : WS_GROUP);
        HWND button = CreateWindowExA(
            0, "BUTTON", row.texts[i], style, area.left + units.left + i / perColumn * columnWidth,
            area.top + units.top + i % perColumn * units.right, columnWidth - 2, units.bottom,
            dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.control.id + i)),
            editor.instanceHandle, nullptr);
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SetWindowPos(button, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = button;
    }
}

// The settings only some styles use are enabled when the chosen style uses them.
static void enableStyleSettings(HWND dialog, int style) {
    const OutputStyleRow &chosen = outputStyleRow(style);
    for (const SettingRow &row : settingsTable())
        if (row.control.id && dependsOnStyle(row))
            EnableWindow(GetDlgItem(dialog, row.control.id), styleUses(chosen, row));
}

void initSystemSettingsDialog(HWND dialog) {
    for (const SettingRow &row : settingsTable()) {
        if (row.control.kind == ControlKind::radioButtons) makeRadioButtons(dialog, row);
        showSetting(dialog, row, editor.settings);
    }
    enableStyleSettings(dialog, editor.settings.outputStyle);
}

// A size box out of range is an error; a large size is warned about.
static bool checkSize(HWND dialog, const SettingRow &row, int size) {
    char text[256];
    if (!inRange(row, size)) {
        snprintf(text, sizeof text,
                 "Pixels settings %s=%d out of range!\nIt should from %d to %d!!\n",
                 row.header.name, size, row.low, row.high);
        tellUser(dialog, text, fatalCaption, MB_ICONERROR | MB_OK);
        return false;
    }
    if (size >= 100) {
        snprintf(text, sizeof text,
                 "Warnning:\nPixels settings %s=%d is too large!\nIt will be very slowly!",
                 row.header.name, size);
        tellUser(dialog, text, fatalCaption, MB_ICONINFORMATION | MB_OK);
    }
    return true;
}

// Reads a row's control into settings; false (after telling why) when the value can't be taken.
static bool readSetting(HWND dialog, const SettingRow &row, Settings &settings) {
    int id = row.control.id;
    BOOL translated = FALSE;
    switch (row.control.kind) {
    case ControlKind::sizeBox: {
        int size = static_cast<int>(GetDlgItemInt(dialog, id, &translated, TRUE));
        settings.*row.field.number = translated ? size : 0;
        return checkSize(dialog, row, settings.*row.field.number);
    }
    case ControlKind::numberBox: {
        int number = static_cast<int>(GetDlgItemInt(dialog, id, &translated, TRUE));
        if (translated && inRange(row, number)) {
            settings.*row.field.number = number;
            return true;
        }
        char text[256];
        snprintf(text, sizeof text, "%s out of range!\nIt should from %d to %d!!\n",
                 row.header.name, row.low, row.high);
        tellUser(dialog, text, fatalCaption, MB_ICONERROR | MB_OK);
        return false;
    }
    case ControlKind::list: {
        // a list without a selection (a style stored by hand that has no line) keeps it
        LRESULT index = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
        if (index != CB_ERR) settings.*row.field.number = static_cast<int>(index) + row.low;
        return true;
    }
    case ControlKind::checkBox:
        settings.*row.field.number = IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
        return true;
    case ControlKind::radioButtons:
        for (int i = 0; i < choiceCount(row); ++i)
            if (IsDlgButtonChecked(dialog, id + i) == BST_CHECKED)
                settings.*row.field.number = row.low + i;
        return true;
    case ControlKind::textBox: {
        char text[80] = "";
        GetDlgItemTextA(dialog, id, text, sizeof text);
        const char *problem = row.textProblem ? row.textProblem(text, settings) : nullptr;
        if (problem) tellUser(dialog, problem, fatalCaption, MB_ICONERROR | MB_OK);
        settings.*row.field.text = text;
        return !problem;
    }
    case ControlKind::none:
    case ControlKind::swatch:
        break;
    }
    return true;
}

// Every control is read and checked first: a value refused commits nothing.
static void commitSettings(HWND dialog) {
    Settings chosen = editor.settings;
    for (const SettingRow &row : settingsTable())
        if (!readSetting(dialog, row, chosen)) return;
    editor.settings = chosen;
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK systemSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        initSystemSettingsDialog(dialog);
        return TRUE;
    }
    if (message != WM_COMMAND || HIWORD(wParam) != 0) return FALSE;
    switch (LOWORD(wParam)) {
    case IDCANCEL:
        EndDialog(dialog, 2);
        return TRUE;
    case IDOK:
        commitSettings(dialog);
        return TRUE;
    }
    int style = LOWORD(wParam) - IDC_SETUP_STYLES;
    if (style >= 0 && style <= lastOutputStyle()) enableStyleSettings(dialog, style);
    return FALSE;
}
