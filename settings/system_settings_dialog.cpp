#include "settings/settings.h"

#include "app/editor_state.h"
#include "output/output.h"
#include "res/resource.h"
#include "app/user_messages.h"

#include <cstdio>

static const char fatalCaption[] = "Fatal error!";

// Indexed by codingStyle: rows (0 to 3), columns (4 to 7), pages of 8 rows (8).
static const char *const codingStyleTexts[] = {"Left to right & Up to down",
                                               "Left to right & Down to up",
                                               "Right to left & Up to down",
                                               "Right to left & Down to up",
                                               "Up to down & Left to right",
                                               "Up to down & Right to left",
                                               "Down to up & Left to right",
                                               "Down to up & Right to left",
                                               "Pages of 8 rows, Up to down & Left to right"};

// Indexed by glyphSize.
static const char *const glyphSizeTexts[] = {"Stretch to the matrix", "Font's own size"};

// Indexed by pictureToDots and by pictureSize.
static const char *const pictureToDotsTexts[] = {
    "As the system converts", "Threshold", "Floyd-Steinberg", "Atkinson", "Ordered (Bayer 4 x 4)"};
static const char *const pictureSizeTexts[] = {"As the file", "Fit into the matrix",
                                               "Stretch to the matrix"};

// Fills a list with texts and selects one.
template <size_t count>
static void fillList(HWND dialog, int id, const char *const (&texts)[count], int selected) {
    for (const char *text : texts)
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, selected, 0);
}

// Indexed by bitmapStyle.
static const char *const bitmapStyleTexts[] = {"Bright & Gray,1 bit output",
                                               "Bright & Gray,4 bit output", "8 BPP Colors output",
                                               "16 BPP Colors output"};

void initSystemSettingsDialog(HWND dialog) {
    SetDlgItemInt(dialog, IDC_SETUP_WIDTH, editor.pixelWidth, TRUE);
    SetDlgItemInt(dialog, IDC_SETUP_HEIGHT, editor.pixelHeight, TRUE);
    fillList(dialog, IDC_SETUP_CODING, codingStyleTexts, editor.codingStyle);
    CheckRadioButton(dialog, IDC_SETUP_C51, IDC_SETUP_GFX, IDC_SETUP_C51 + editor.outputStyle);
    fillList(dialog, IDC_SETUP_BITMAP, bitmapStyleTexts, editor.bitmapStyle);
    CheckDlgButton(dialog, IDC_SETUP_DETECT, editor.characterDetect ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SETUP_HIGH_BIT, editor.alignStyle ? BST_CHECKED : BST_UNCHECKED);
    fillList(dialog, IDC_SETUP_GLYPH_SIZE, glyphSizeTexts, editor.glyphSize);
    CheckDlgButton(dialog, IDC_SETUP_CENTRE, editor.centreGlyphs ? BST_CHECKED : BST_UNCHECKED);
    fillList(dialog, IDC_SETUP_PICTURE_DOTS, pictureToDotsTexts, editor.pictureToDots);
    fillList(dialog, IDC_SETUP_PICTURE_SIZE, pictureSizeTexts, editor.pictureSize);
    SetDlgItemInt(dialog, IDC_SETUP_THRESHOLD, editor.threshold, FALSE);
    CheckDlgButton(dialog, IDC_SETUP_DARK_DOTS, editor.darkDots ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(dialog, IDC_SETUP_ARRAY_NAME, editor.arrayName.c_str());
    CheckDlgButton(dialog, IDC_SETUP_COMMENT_FRAMES,
                   editor.commentFrames ? BST_CHECKED : BST_UNCHECKED);
    editor.alignChoice = editor.alignStyle;
    editor.outputChoice = editor.outputStyle;
}

// Reads a size box and checks it; returns false (after the error box) when out of range.
static bool readSize(HWND dialog, int id, const char *name, int &size) {
    BOOL translated = FALSE;
    size = static_cast<int>(GetDlgItemInt(dialog, id, &translated, TRUE));
    if (!translated) size = 0;
    char text[256];
    if (size > 1024 || size <= 0) {
        snprintf(text, sizeof text,
                 "Pixels settings %s=%d out of range!\nIt should from 1 to 1024!!\n", name, size);
        tellUser(dialog, text, fatalCaption, MB_ICONERROR | MB_OK);
        return false;
    }
    if (size >= 100) {
        snprintf(text, sizeof text,
                 "Warnning:\nPixels settings %s=%d is too large!\nIt will be very slowly!", name,
                 size);
        tellUser(dialog, text, fatalCaption, MB_ICONINFORMATION | MB_OK);
    }
    return true;
}

// A list without a selection (a style stored by hand that has no line) keeps the setting.
static int selectedStyle(HWND dialog, int id, int current) {
    LRESULT index = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? current : static_cast<int>(index);
}

static void commitSettings(HWND dialog) {
    int width, height;
    if (!readSize(dialog, IDC_SETUP_WIDTH, "Width", width)) return;
    if (!readSize(dialog, IDC_SETUP_HEIGHT, "Height", height)) return;
    char name[80] = "";
    GetDlgItemTextA(dialog, IDC_SETUP_ARRAY_NAME, name, sizeof name);
    if (const char *problem = arrayNameProblem(name)) {
        tellUser(dialog, problem, fatalCaption, MB_ICONERROR | MB_OK);
        return;
    }
    BOOL translated = FALSE;
    int threshold =
        static_cast<int>(GetDlgItemInt(dialog, IDC_SETUP_THRESHOLD, &translated, FALSE));
    if (!translated || threshold > 255) {
        tellUser(dialog, "Threshold out of range!\nIt should from 0 to 255!!\n", fatalCaption,
                 MB_ICONERROR | MB_OK);
        return;
    }
    editor.pixelWidth = width;
    editor.pixelHeight = height;
    editor.codingStyle = selectedStyle(dialog, IDC_SETUP_CODING, editor.codingStyle);
    editor.alignStyle = editor.alignChoice;
    editor.outputStyle = editor.outputChoice;
    editor.bitmapStyle = selectedStyle(dialog, IDC_SETUP_BITMAP, editor.bitmapStyle);
    editor.characterDetect = IsDlgButtonChecked(dialog, IDC_SETUP_DETECT) == BST_CHECKED ? 1 : 0;
    editor.glyphSize = selectedStyle(dialog, IDC_SETUP_GLYPH_SIZE, editor.glyphSize);
    editor.centreGlyphs = IsDlgButtonChecked(dialog, IDC_SETUP_CENTRE) == BST_CHECKED ? 1 : 0;
    editor.pictureToDots = selectedStyle(dialog, IDC_SETUP_PICTURE_DOTS, editor.pictureToDots);
    editor.pictureSize = selectedStyle(dialog, IDC_SETUP_PICTURE_SIZE, editor.pictureSize);
    editor.threshold = threshold;
    editor.darkDots = IsDlgButtonChecked(dialog, IDC_SETUP_DARK_DOTS) == BST_CHECKED ? 1 : 0;
    editor.arrayName = name;
    editor.commentFrames =
        IsDlgButtonChecked(dialog, IDC_SETUP_COMMENT_FRAMES) == BST_CHECKED ? 1 : 0;
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK systemSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        initSystemSettingsDialog(dialog);
        return TRUE;
    }
    if (message != WM_COMMAND || HIWORD(wParam) != 0) return FALSE;
    int id = LOWORD(wParam);
    switch (id) {
    case IDC_SETUP_C51:
    case IDC_SETUP_ANSI_C:
    case IDC_SETUP_ASM:
    case IDC_SETUP_GFX:
        editor.outputChoice = id - IDC_SETUP_C51;
        CheckRadioButton(dialog, IDC_SETUP_C51, IDC_SETUP_GFX, id);
        return TRUE;
    case IDC_SETUP_HIGH_BIT:
        editor.alignChoice = IsDlgButtonChecked(dialog, IDC_SETUP_HIGH_BIT) == BST_CHECKED;
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 2);
        return TRUE;
    case IDOK:
        commitSettings(dialog);
        return TRUE;
    }
    return FALSE;
}
