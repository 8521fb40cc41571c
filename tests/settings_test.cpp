// Settings in the registry, hand-edited values included, and the settings dialog.
#include "app/app.h"
#include "app_fixture.h"
#include "modal_answerer.h"
#include "model/matrix_store.h"
#include "res/resource.h"
#include "settings/settings.h"

#include <cstring>

// Loads the settings from a key that holds just the given value.
static void loadWith(const char *name, DWORD type, const void *data, DWORD size) {
    HKEY key;
    RegDeleteKeyA(HKEY_CURRENT_USER, settingsKeyPath);
    RegCreateKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key, nullptr);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(data), size);
    RegCloseKey(key);
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
    } cases[] = {{"Pixel Width", 4, 1025, 16, &EditorState::matrixWidth},
                 {"Pixel Width", 4, 1, 1, &EditorState::matrixWidth},
                 {"Pixel Width", 8, 20, 16, &EditorState::pixelWidth},
                 {"Pixel Height", 2, 20, 16, &EditorState::pixelHeight},
                 {"Pixel Height", 4, -5, 16, &EditorState::pixelHeight},
                 {"Pixel Height", 4, 1024, 1024, &EditorState::matrixHeight},
                 {"Coding Style", 4, 8, 8, &EditorState::codingStyle},
                 {"Coding Style", 4, 9, 0, &EditorState::codingStyle},
                 {"Align Style", 4, 2, 0, &EditorState::alignStyle},
                 {"Output Style", 4, 3, 0, &EditorState::outputStyle},
                 {"Bitmap Style", 4, -1, 0, &EditorState::bitmapStyle},
                 {"Character Detect", 4, 2, 1, &EditorState::characterDetect}};
    for (const Case &c : cases) {
        int stored[2] = {c.stored, c.stored};
        loadWith(c.name, REG_BINARY, stored, c.size);
        EXPECT_EQ(editor.*c.field, c.loaded) << c.name << " " << c.stored;
    }
    char font[200];
    memset(font, 'A', sizeof font);
    loadWith("Default Font", REG_BINARY, font, sizeof font);
    EXPECT_STREQ(editor.defaultFont.lfFaceName, "system");
    EXPECT_EQ(editor.textFilePath[0], 0); // the fields behind the font are untouched
}

class DialogTest : public AppTest {
  protected:
    // Opens System Setup, types the size and presses OK; the box that follows gets OK.
    void setSize(const char *width, const char *height, bool thenCancel = false) {
        expectModal([=](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_SETUP_WIDTH, width);
            SetDlgItemTextA(dialog, IDC_SETUP_HEIGHT, height);
            clickButton(dialog, IDOK);
        });
        answerMessageBox(IDOK);
        if (thenCancel) expectModal([](HWND dialog) { clickButton(dialog, IDCANCEL); });
        sendCommand(IDM_SYSTEM_SETUP);
        waitForWorker();
    }
};

// A new size blanks the frames, keeps the list and selects frame 0; sizes out of range are
// refused.
TEST_F(DialogTest, SizesAreCheckedWarnedAndCommitted) {
    sendCommand(ManualPaint);
    sendCommand(IDC_NEW, editor.newButton);
    SendMessageA(editor.frameComboBox, CB_SETCURSEL, 0, 0);
    editor.currentFrame = 0;
    setDot(0, 15);
    SendMessageA(editor.frameComboBox, CB_SETCURSEL, 1, 0);
    setSize("1024", "16");
    EXPECT_EQ(modalLog().at(0).caption, "System Settings...");
    EXPECT_EQ(modalLog().at(1).text,
              "Warnning:\nPixels settings Width=1024 is too large!\nIt will be very slowly!");
    EXPECT_EQ(modalLog()[1].caption, "Fatal error!");
    EXPECT_EQ(frameBytes(0), std::vector<unsigned char>(2048, 0));
    EXPECT_EQ(comboEntries().size(), 2u);
    EXPECT_EQ(SendMessageA(editor.frameComboBox, CB_GETCURSEL, 0, 0), 0);

    for (const char *bad : {"1025", "", "0"}) {
        clearModalLog();
        setSize("8", bad, true);
        EXPECT_EQ(modalLog().at(1).text, std::string("Pixels settings Height=") +
                                             (strcmp(bad, "1025") ? "0" : "1025") +
                                             " out of range!\nIt should from 1 to 1024!!\n");
        EXPECT_EQ(editor.pixelWidth * 100 + editor.matrixHeight, 102416);
    }
}
