// Settings in the registry, hand-edited values included, and the settings dialog.
#include "app_fixture.h"
#include "settings/settings.h"

#include <algorithm>
#include <cstring>
#include <shlwapi.h>

// Loads the settings from a key that holds just the given value.
static void loadWith(const char *name, DWORD type, const void *data, DWORD size) {
    RegDeleteKeyA(HKEY_CURRENT_USER, settingsKeyPath);
    SHSetValueA(HKEY_CURRENT_USER, settingsKeyPath, name, type, data, size);
    editor = EditorState{};
    initDefaultFont();
    loadSettings();
    RegDeleteKeyA(HKEY_CURRENT_USER, settingsKeyPath);
}

// A value out of range, or of another size than its field (read as missing: it never overruns
// the field), gives the default.
TEST(Registry, HandEditedValuesTakeTheirDefault) {
    struct Case {
        const char *name;
        DWORD size;
        int stored, loaded;
        int EditorState::*field;
    } cases[] = {{"Pixel Width", 4, 1025, 16, &EditorState::pixelWidth},
                 {"Pixel Width", 8, 20, 16, &EditorState::pixelWidth},
                 {"Pixel Height", 4, 1024, 1024, &EditorState::pixelHeight},
                 {"Coding Style", 4, 8, 8, &EditorState::codingStyle},
                 {"Coding Style", 4, 9, 0, &EditorState::codingStyle},
                 {"Align Style", 4, 2, 0, &EditorState::alignStyle},
                 {"Bitmap Style", 4, -1, 0, &EditorState::bitmapStyle},
                 {"Glyph Size", 4, 2, 0, &EditorState::glyphSize}};
    for (const Case &c : cases) {
        int stored[2] = {c.stored, c.stored};
        loadWith(c.name, REG_BINARY, stored, c.size);
        EXPECT_EQ(editor.*c.field, c.loaded) << c.name << " " << c.stored;
    }
    std::string font(200, 'A');
    loadWith("Default Font", REG_BINARY, font.data(), font.size());
    EXPECT_STREQ(editor.defaultFont.lfFaceName, "system");
    EXPECT_EQ(editor.textFilePath[0], 0); // the fields behind the font are untouched
}

using DialogTest = AppTest;

// Fills System Setup and presses OK: width 1024, the given height, the last dot order, the
// high bit first, ASM, no repeat switch, glyphs at the font's own size and centred.
static void fillSettings(HWND dialog, const char *height) {
    SetDlgItemTextA(dialog, IDC_SETUP_WIDTH, "1024");
    SetDlgItemTextA(dialog, IDC_SETUP_HEIGHT, height);
    SendDlgItemMessageA(dialog, IDC_SETUP_CODING, CB_SETCURSEL, 8, 0);
    CheckDlgButton(dialog, IDC_SETUP_HIGH_BIT, BST_CHECKED);
    CheckDlgButton(dialog, IDC_SETUP_DETECT, BST_UNCHECKED);
    SendDlgItemMessageA(dialog, IDC_SETUP_GLYPH_SIZE, CB_SETCURSEL, FontsOwnSize, 0);
    CheckDlgButton(dialog, IDC_SETUP_CENTRE, BST_CHECKED);
    for (int id : {IDC_SETUP_HIGH_BIT, IDC_SETUP_ASM, IDOK})
        clickButton(dialog, id);
}

static std::vector<int> settingsInForce() {
    return {editor.pixelWidth,  editor.pixelHeight,     editor.codingStyle, editor.alignStyle,
            editor.outputStyle, editor.characterDetect, editor.glyphSize,   editor.centreGlyphs};
}

// A size out of range is refused, and Cancel then keeps everything; a good size warns when
// large and commits with the nine dot orders, the bit order, the output style, the repeat
// switch and the glyph size. The new size blanks the frames, keeps the list and selects frame 0.
TEST_F(DialogTest, SettingsAreCheckedAndCommittedOnlyOnOk) {
    sendCommand(ManualPaint);
    sendCommand(IDC_NEW, editor.newButton);
    setDot(0, 15);
    expectModal([](HWND dialog) {
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SETUP_CODING, CB_GETCOUNT, 0, 0), 9);
        fillSettings(dialog, "1025");
    });
    answerMessageBox(IDOK);
    answerMessageBox(IDOK);
    expectModal([](HWND dialog) { clickButton(dialog, IDCANCEL); });
    sendCommand(IDM_SYSTEM_SETUP);
    EXPECT_EQ(modalLog().at(1).text,
              "Warnning:\nPixels settings Width=1024 is too large!\nIt will be very slowly!");
    EXPECT_EQ(modalLog().at(2).text,
              "Pixels settings Height=1025 out of range!\nIt should from 1 to 1024!!\n");
    EXPECT_EQ(settingsInForce(), std::vector<int>({16, 16, 0, 0, 0, 1, 0, 0}));

    expectModal([](HWND dialog) { fillSettings(dialog, "16"); });
    answerMessageBox(IDOK);
    sendCommand(IDM_SYSTEM_SETUP);
    waitForWorker();
    EXPECT_EQ(settingsInForce(), std::vector<int>({1024, 16, 8, 1, 2, 0, 1, 1}));
    EXPECT_EQ(std::count(editor.frames.bytes.begin(), editor.frames.bytes.end(), 0), 4096);
    EXPECT_EQ(SendMessageA(editor.frameComboBox, CB_GETCURSEL, 0, 0), 0);
}
