// Settings in the registry, hand-edited values included, and the settings and colour dialogs.
#include "app/app.h"
#include "app_fixture.h"
#include "modal_answerer.h"
#include "model/matrix_store.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "view/view.h"

#include <cstring>

class RegistryTest : public ::testing::Test {
  protected:
    HKEY key = nullptr;
    void SetUp() override {
        deleteSettingsKey();
        RegCreateKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr);
        editor = EditorState{};
        initDefaultFont();
    }
    void TearDown() override {
        RegCloseKey(key);
        deleteSettingsKey();
    }
    void store(const char *name, DWORD type, const void *data, DWORD size) {
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(data), size);
    }
};

// Each value alone in the key, the rest missing: out of range gives the default.
TEST_F(RegistryTest, OutOfRangeValuesTakeTheirDefault) {
    struct Case {
        const char *name;
        int stored, loaded;
        int EditorState::*field;
    } cases[] = {{"Pixel Width", 0, 16, &EditorState::matrixWidth},
                 {"Pixel Width", 1025, 16, &EditorState::matrixWidth},
                 {"Pixel Width", 1, 1, &EditorState::matrixWidth},
                 {"Pixel Height", -5, 16, &EditorState::pixelHeight},
                 {"Pixel Height", 1024, 1024, &EditorState::matrixHeight},
                 {"Coding Style", 8, 8, &EditorState::codingStyle},
                 {"Coding Style", 9, 0, &EditorState::codingStyle},
                 {"Align Style", 2, 0, &EditorState::alignStyle},
                 {"Output Style", 3, 0, &EditorState::outputStyle},
                 {"Bitmap Style", -1, 0, &EditorState::bitmapStyle},
                 {"Character Detect", 0, 0, &EditorState::characterDetect},
                 {"Character Detect", 2, 1, &EditorState::characterDetect}};
    for (const Case &c : cases) {
        TearDown();
        SetUp();
        store(c.name, REG_DWORD, &c.stored, 4);
        loadSettings();
        EXPECT_EQ(editor.*c.field, c.loaded) << c.name << " " << c.stored;
    }
}

TEST_F(RegistryTest, ValuesOfAnotherSizeNeverOverrunTheirField) {
    unsigned char big[200];
    memset(big, 0x41, sizeof big);
    for (const char *name : {"Foreground", "Pixel Width", "Output Style", "Character Detect"})
        store(name, REG_BINARY, big, 8);
    store("Pixel Height", REG_BINARY, big, 2);
    store("Default Font", REG_BINARY, big, sizeof big);
    store("Coding Style", REG_SZ, "3", 2);
    editor.characterDetect = 0;
    loadSettings(); // each is treated as missing
    EXPECT_EQ(editor.foregroundColor, 0u);
    EXPECT_EQ(editor.pixelWidth * 100 + editor.pixelHeight, 1616);
    EXPECT_EQ(editor.outputStyle + editor.codingStyle + editor.characterDetect, 0);
    EXPECT_STREQ(editor.defaultFont.lfFaceName, "system");
    EXPECT_EQ(editor.textFilePath[0], 0); // the fields behind the font are untouched
}

static const char settingsTitle[] = "System Settings...";

class DialogTest : public AppTest {
  protected:
    // Opens System Setup, types the size and presses OK; each further box gets OK.
    void setSize(const char *width, const char *height, int boxes, bool thenCancel = false) {
        expectModal(settingsTitle, [=](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_SETUP_WIDTH, width);
            SetDlgItemTextA(dialog, IDC_SETUP_HEIGHT, height);
            clickButton(dialog, IDOK);
        });
        for (int i = 0; i < boxes; ++i)
            answerMessageBox(IDOK);
        if (thenCancel)
            expectModal(settingsTitle, [](HWND dialog) { clickButton(dialog, IDCANCEL); });
        sendCommand(IDM_SYSTEM_SETUP);
        waitForWorker();
    }
};

TEST_F(DialogTest, SizesAreCheckedWarnedAndCommitted) {
    setSize("1024", "1", 1);
    EXPECT_EQ(modalLog().at(1).text,
              "Warnning:\nPixels settings Width=1024 is too large!\nIt will be very slowly!");
    EXPECT_EQ(modalLog()[1].caption, "Fatal error!");
    EXPECT_EQ(modalLog()[1].icon, MB_ICONINFORMATION);
    EXPECT_EQ(editor.matrixWidth * 10 + editor.matrixHeight, 10241);
    for (const char *bad : {"1025", "", "0"}) {
        clearModalLog();
        setSize("8", bad, 1, true);
        EXPECT_EQ(modalLog().at(1).text, std::string("Pixels settings Height=") +
                                             (strcmp(bad, "1025") ? "0" : "1025") +
                                             " out of range!\nIt should from 1 to 1024!!\n");
        EXPECT_EQ(modalLog()[1].icon, MB_ICONERROR);
        EXPECT_EQ(editor.pixelWidth, 1024);
    }

    expectModal(settingsTitle, [](HWND dialog) {
        clickButton(dialog, IDC_SETUP_ASM);
        clickButton(dialog, IDCANCEL);
    });
    sendCommand(IDM_SYSTEM_SETUP);
    EXPECT_EQ(editor.outputStyle, 0);
    expectModal(settingsTitle, [](HWND dialog) {
        clickButton(dialog, IDC_SETUP_ASM);
        CheckDlgButton(dialog, IDC_SETUP_DETECT, BST_UNCHECKED);
        clickButton(dialog, IDOK);
    });
    sendCommand(IDM_SYSTEM_SETUP);
    waitForWorker();
    EXPECT_EQ(editor.outputStyle, 2);
    EXPECT_EQ(editor.characterDetect, 0);
}

static COLORREF shownAt(POINT point) {
    UpdateWindow(editor.mainWindow);
    HDC dc = GetDC(editor.mainWindow);
    COLORREF colour = GetPixel(dc, point.x, point.y);
    ReleaseDC(editor.mainWindow, dc);
    return colour;
}

// A new size blanks the frames, keeps the list, selects frame 0 and shows the new grid.
TEST_F(DialogTest, SizeChangeInManualPaintShowsBlankFrames) {
    sendCommand(ManualPaint);
    sendCommand(IDC_NEW, editor.newButton);
    SendMessageA(editor.frameComboBox, CB_SETCURSEL, 0, 0);
    editor.currentFrame = 0;
    setDot(0, 15); // low in the grid, where the dialog never lies
    RECT cell = cellRect(0, 15, true);
    POINT centre = {cell.left + 5, cell.top + 5};
    ASSERT_EQ(shownAt(centre), 0u);
    SendMessageA(editor.frameComboBox, CB_SETCURSEL, 1, 0);
    setSize("20", "12", 0);
    EXPECT_EQ(frameBytes(0), std::vector<unsigned char>(36, 0));
    EXPECT_EQ(comboEntries().size(), 2u);
    EXPECT_EQ(SendMessageA(editor.frameComboBox, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(shownAt(centre), RGB(255, 255, 255));
}
