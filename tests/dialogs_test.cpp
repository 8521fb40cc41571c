#include "app/app.h"
#include "view/dib_pixels.h"
#include "app_fixture.h"
#include "modal_answerer.h"
#include "model/matrix_store.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "view/view.h"

#include <cstring>

static const char settingsTitle[] = "System Settings...";

class SettingsDialogTest : public AppTest {
  protected:
    // Opens System Setup, types the size and presses OK; each further box gets OK.
    void setSize(const char *width, const char *height, int boxes) {
        expectModal(settingsTitle, [=](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_SETUP_WIDTH, width);
            SetDlgItemTextA(dialog, IDC_SETUP_HEIGHT, height);
            clickButton(dialog, IDOK);
        });
        for (int i = 0; i < boxes; ++i)
            answerMessageBox(IDOK);
    }
    void thenCancel() {
        expectModal(settingsTitle, [](HWND dialog) { clickButton(dialog, IDCANCEL); });
    }
    const ModalRecord &box(size_t i) { return modalLog().at(i); }
};

TEST_F(SettingsDialogTest, WarningsFromOneHundredAndTheRangeError) {
    setSize("1024", "1", 1);
    sendCommand(IDM_SYSTEM_SETUP);
    waitForWorker();
    ASSERT_EQ(modalLog().size(), 2u);
    EXPECT_EQ(box(1).text,
              "Warnning:\nPixels settings Width=1024 is too large!\nIt will be very slowly!");
    EXPECT_EQ(box(1).caption, "Fatal error!");
    EXPECT_EQ(box(1).icon, MB_ICONINFORMATION);
    EXPECT_EQ(editor.pixelWidth, 1024);
    EXPECT_EQ(editor.matrixWidth, 1024);
    EXPECT_EQ(editor.matrixHeight, 1);

    clearModalLog();
    setSize("99", "100", 1);
    sendCommand(IDM_SYSTEM_SETUP);
    waitForWorker();
    ASSERT_EQ(modalLog().size(), 2u);
    EXPECT_EQ(box(1).text,
              "Warnning:\nPixels settings Height=100 is too large!\nIt will be very slowly!");
    EXPECT_EQ(editor.matrixWidth, 99);

    clearModalLog();
    setSize("1025", "5", 1);
    thenCancel();
    sendCommand(IDM_SYSTEM_SETUP);
    ASSERT_EQ(modalLog().size(), 3u);
    EXPECT_EQ(box(1).text,
              "Pixels settings Width=1025 out of range!\nIt should from 1 to 1024!!\n");
    EXPECT_EQ(box(1).icon, MB_ICONERROR);
    EXPECT_EQ(box(1).caption, "Fatal error!");
    EXPECT_EQ(editor.pixelWidth, 99);
    EXPECT_EQ(editor.pixelHeight, 100);

    for (const char *empty : {"", "0"}) {
        clearModalLog();
        setSize("8", empty, 1);
        thenCancel();
        sendCommand(IDM_SYSTEM_SETUP);
        ASSERT_EQ(modalLog().size(), 3u);
        EXPECT_EQ(box(1).text,
                  "Pixels settings Height=0 out of range!\nIt should from 1 to 1024!!\n");
        EXPECT_EQ(editor.pixelWidth, 99);
    }
}

TEST_F(SettingsDialogTest, OkUntouchedOutputRadiosAndTheDetectBox) {
    editor.outputStyle = 1;
    editor.alignStyle = 1;
    expectModal(settingsTitle, [](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SETUP_ANSI_C), BST_CHECKED);
        EXPECT_EQ(GetDlgItemInt(dialog, IDC_SETUP_WIDTH, nullptr, TRUE), 16u);
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SETUP_CODING, CB_GETCURSEL, 0, 0), 0);
        clickButton(dialog, IDOK);
    });
    sendCommand(IDM_SYSTEM_SETUP);
    EXPECT_EQ(editor.outputStyle, 1);
    EXPECT_EQ(editor.alignStyle, 1);
    EXPECT_EQ(editor.codingStyle, 0);
    EXPECT_EQ(editor.bitmapStyle, 0);
    EXPECT_EQ(editor.pixelWidth, 16);

    expectModal(settingsTitle, [](HWND dialog) {
        clickButton(dialog, IDC_SETUP_ASM);
        clickButton(dialog, IDCANCEL);
    });
    sendCommand(IDM_SYSTEM_SETUP);
    EXPECT_EQ(editor.outputStyle, 1);
    expectModal(settingsTitle, [](HWND dialog) {
        clickButton(dialog, IDC_SETUP_ASM);
        CheckDlgButton(dialog, IDC_SETUP_DETECT, BST_UNCHECKED);
        clickButton(dialog, IDOK);
    });
    sendCommand(IDM_SYSTEM_SETUP);
    waitForWorker();
    EXPECT_EQ(editor.outputStyle, 2);
    EXPECT_EQ(editor.characterDetect, 0);

    editor.codingStyle = 5; // stored by hand: no line in the list, so it is kept
    expectModal(settingsTitle, [](HWND dialog) { clickButton(dialog, IDOK); });
    sendCommand(IDM_SYSTEM_SETUP);
    EXPECT_EQ(editor.codingStyle, 5);
}

TEST_F(SettingsDialogTest, SizeChangeInManualPaintLeavesBlankFramesAndTheList) {
    sendCommand(ManualPaint);
    sendCommand(IDC_NEW, editor.newButton);
    sendCommand(IDC_NEW, editor.newButton);
    setDot(2, 2);
    unsigned char *frames = editor.frameBuffer;
    expectModal(settingsTitle, [](HWND dialog) { clickButton(dialog, IDOK); });
    sendCommand(IDM_SYSTEM_SETUP); // unchanged: no frame is touched
    EXPECT_EQ(editor.frameBuffer, frames);
    EXPECT_NE(testDot(2, 2), 0);

    editor.textShiftX = 4;
    SendMessageA(editor.frameComboBox, CB_SETCURSEL, 2, 0);
    setSize("20", "12", 0);
    ValidateRect(editor.mainWindow, nullptr);
    sendCommand(IDM_SYSTEM_SETUP);
    // the grid's bottom-left corner, which the dialog never covered, is to be painted again
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(editor.mainWindow, update, FALSE);
    EXPECT_TRUE(PtInRegion(update, gridLeft + 2, gridTop() + 318));
    DeleteObject(update);
    EXPECT_EQ(SendMessageA(editor.frameComboBox, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(editor.matrixWidth, 20);
    EXPECT_EQ(editor.matrixHeight, 12);
    EXPECT_EQ(editor.frameCount, 3);
    EXPECT_EQ(editor.currentFrame, 0);
    EXPECT_EQ(editor.textShiftX, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(frameBytes(i), std::vector<unsigned char>(36, 0));
    EXPECT_EQ(comboEntries(editor.frameComboBox).size(), 3u);
    EXPECT_EQ(statusText(1), "DOT Matrix Size:20X12 Pixels");
}

TEST_F(SettingsDialogTest, SizeChangeInManualTextRendersAgain) {
    SetWindowTextA(editor.textEdit, "AB");
    setSize("24", "24", 0);
    sendCommand(IDM_SYSTEM_SETUP);
    waitForWorker();
    EXPECT_EQ(editor.inputMode, ManualText);
    EXPECT_EQ(comboEntries(editor.frameComboBox), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(editor.defaultFont.lfHeight, 24);
}

class ColourDialogTest : public AppTest {};

static const char colourTitle[] = "Color settings...";

// In the platform's colour chooser: type the colour and confirm, or cancel.
static void chooseInPicker(COLORREF colour, bool confirm) {
    expectModal("Color", [=](HWND picker) {
        actLater(picker, [=](HWND dialog) {
            if (!confirm) return clickButton(dialog, IDCANCEL);
            SetDlgItemInt(dialog, 706, GetRValue(colour), FALSE);
            SetDlgItemInt(dialog, 707, GetGValue(colour), FALSE);
            SetDlgItemInt(dialog, 708, GetBValue(colour), FALSE);
            clickButton(dialog, IDOK);
        });
    });
}

static COLORREF shownGrid;

// A pixel of a grid line as the main window shows it now.
static COLORREF gridLineColour() {
    UpdateWindow(editor.mainWindow);
    HDC dc = GetDC(editor.mainWindow);
    COLORREF colour = GetPixel(dc, gridLeft + 25, gridTop() + 50);
    ReleaseDC(editor.mainWindow, dc);
    return colour;
}

static void pressInColourDialog(int id) {
    expectModal(colourTitle, [id](HWND dialog) { clickButton(dialog, id); });
}

TEST_F(ColourDialogTest, EscapeRestoresOkKeepsAndCancelledPickerChangesNothing) {
    pressInColourDialog(IDC_SWATCH_GRID);
    chooseInPicker(RGB(40, 128, 255), true);
    COLORREF during = 0;
    expectModal(colourTitle, [&](HWND colours) { // back from the picker
        actLater(colours, [&](HWND dialog) {
            during = editor.gridColor;
            shownGrid = gridLineColour();
            clickButton(dialog, IDCANCEL); // Esc
        });
    });
    sendCommand(IDM_COLOR_SETUP);
    EXPECT_EQ(during, RGB(40, 128, 255));
    EXPECT_EQ(shownGrid, RGB(40, 128, 255)); // the main window showed it at once
    EXPECT_EQ(editor.gridColor, 0u);
    EXPECT_EQ(gridLineColour(), 0u);

    pressInColourDialog(IDC_SWATCH_FOREGROUND);
    chooseInPicker(RGB(10, 20, 30), true);
    pressInColourDialog(IDC_SWATCH_CLIENT);
    chooseInPicker(RGB(200, 100, 50), true);
    pressInColourDialog(IDC_SWATCH_BACKGROUND);
    chooseInPicker(RGB(1, 2, 3), false);
    pressInColourDialog(IDOK);
    sendCommand(IDM_COLOR_SETUP);
    EXPECT_EQ(editor.foregroundColor, RGB(10, 20, 30));
    EXPECT_EQ(editor.clientColor, RGB(200, 100, 50));
    EXPECT_EQ(editor.backgroundColor, 0xFFFFFFu);
    chooseInPicker(RGB(9, 9, 9), false);
    EXPECT_EQ(chooseColor(editor.mainWindow), static_cast<COLORREF>(-1));
}

TEST_F(ColourDialogTest, EachSwatchIsOneColourOfItsButtonsSize) {
    editor.backgroundColor = RGB(12, 34, 56);
    bool checked = false;
    expectModal(colourTitle, [&](HWND dialog) {
        HWND button = GetDlgItem(dialog, IDC_SWATCH_BACKGROUND);
        HBITMAP image =
            reinterpret_cast<HBITMAP>(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP shape = {};
        GetObjectA(image, sizeof shape, &shape);
        RECT bounds;
        GetWindowRect(button, &bounds);
        EXPECT_EQ(shape.bmWidth, bounds.right - bounds.left);
        EXPECT_EQ(shape.bmHeight, bounds.bottom - bounds.top);
        std::vector<DWORD> pixels(static_cast<size_t>(shape.bmWidth) * shape.bmHeight);
        BITMAPINFO info = topDownInfo(shape.bmWidth, shape.bmHeight);
        HDC dc = GetDC(dialog);
        GetDIBits(dc, image, 0, shape.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(dialog, dc);
        for (DWORD p : pixels)
            ASSERT_EQ(p & 0xFFFFFF, 0x0C2238u);
        checked = true;
        clickButton(dialog, IDOK);
    });
    sendCommand(IDM_COLOR_SETUP);
    EXPECT_TRUE(checked);
}

class FontAndAboutTest : public AppTest {};

TEST_F(FontAndAboutTest, ConfirmedFaceLandsInTheFontAndRendersAgain) {
    SetWindowTextA(editor.textEdit, "A");
    sendCommand(IDC_UPDATE);
    waitForWorker();
    std::string before = editor.defaultFont.lfFaceName;
    std::vector<std::string> status;
    recordStatusTexts(&status);
    std::string chosen;
    expectModal("", [&](HWND chooser) {
        actLater(chooser, [&](HWND dialog) {
            HWND faces = GetDlgItem(dialog, 0x470);
            int count = static_cast<int>(SendMessageA(faces, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                char face[LF_FACESIZE + 8] = "";
                SendMessageA(faces, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(face));
                if (lstrcmpiA(face, before.c_str()) != 0) {
                    chosen = face;
                    SendMessageA(faces, CB_SETCURSEL, i, 0);
                    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELCHANGE),
                                 reinterpret_cast<LPARAM>(faces));
                    break;
                }
            }
            clickButton(dialog, IDOK);
        });
    });
    sendCommand(IDM_FONT_SETUP);
    waitForWorker();
    ASSERT_FALSE(chosen.empty());
    EXPECT_STREQ(editor.defaultFont.lfFaceName, chosen.c_str());
    bool rendered = false;
    for (const std::string &text : status)
        rendered = rendered || text == "Format progress:100%";
    EXPECT_TRUE(rendered);

    expectModal("",
                [](HWND chooser) { actLater(chooser, [](HWND d) { clickButton(d, IDCANCEL); }); });
    EXPECT_EQ(chooseDefaultFont(editor.mainWindow), 0);
    EXPECT_STREQ(editor.defaultFont.lfFaceName, chosen.c_str());
}

TEST_F(FontAndAboutTest, AboutShowsTheTitleLine) {
    std::string title;
    expectModal("About...", [&](HWND dialog) {
        title = windowText(GetDlgItem(dialog, IDC_ABOUT_TITLE));
        clickButton(dialog, IDOK);
    });
    sendCommand(IDM_ABOUT);
    EXPECT_EQ(title, "Tarvell VELDRIN Author BETA V1.0");
}
