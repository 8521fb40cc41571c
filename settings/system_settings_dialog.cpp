// System Setup: a control for each row of the settings table that has one, filled from the
// settings in force and committed on OK once every value is checked.
#include "settings/settings.h"

#include "app/editor_state.h"
#include "app/user_messages.h"

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

void initSystemSettingsDialog(HWND dialog) {
    for (const SettingRow &row : settingsTable())
        showSetting(dialog, row, editor.settings);
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
    return FALSE;
}
