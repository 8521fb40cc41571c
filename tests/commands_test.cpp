#include "app/app.h"
#include "app_fixture.h"
#include "modal_answerer.h"
#include "model/matrix_store.h"
#include "res/resource.h"
#include "view/view.h"

#include <algorithm>

class CommandTest : public AppTest {
  protected:
    // Manual Paint through the Edit menu, with one painted dot.
    void paintOneDot() {
        sendCommand(ManualPaint);
        setDot(1, 1);
        editor.modified = 1;
    }
};

static const char changedQuestion[] =
    "DOT Matrix has been changed!Continue will lost all your datas!\nContinue?(Y/N)";

TEST_F(CommandTest, RadioButtonAsksBeforeLosingPaintedDots) {
    paintOneDot();
    answerMessageBox(IDNO);
    sendCommand(ManualText, editor.textRadio);
    ASSERT_EQ(modalLog().size(), 1u);
    EXPECT_EQ(modalLog()[0].text, changedQuestion);
    EXPECT_EQ(modalLog()[0].icon, MB_ICONQUESTION);
    EXPECT_EQ(modalLog()[0].caption, "Error"); // no caption given: the system's default
    EXPECT_EQ(editor.inputMode, ManualPaint);
    EXPECT_EQ(IsDlgButtonChecked(editor.mainWindow, ManualPaint), BST_CHECKED);
    EXPECT_NE(testDot(1, 1), 0);

    answerMessageBox(IDYES);
    sendCommand(ManualText, editor.textRadio);
    waitForWorker();
    EXPECT_EQ(editor.inputMode, ManualText);
    EXPECT_EQ(editor.frameCount, 1);
    EXPECT_EQ(testDot(1, 1), 0);
    EXPECT_EQ(editor.modified, 0);
}

TEST_F(CommandTest, MenuItemSwitchesWithoutAskingAndCurrentModeDoesNothing) {
    paintOneDot();
    sendCommand(ManualText); // Edit, Use Manu Text: lParam 0
    waitForWorker();
    EXPECT_TRUE(modalLog().empty());
    EXPECT_EQ(editor.inputMode, ManualText);
    EXPECT_EQ(testDot(1, 1), 0);

    unsigned char *frames = editor.frameBuffer;
    sendCommand(ManualText, editor.textRadio);
    EXPECT_EQ(editor.frameBuffer, frames); // not even reallocated
    EXPECT_TRUE(modalLog().empty());
}

TEST_F(CommandTest, NewFramesInvertAndClear) {
    sendCommand(ManualPaint);
    EXPECT_EQ(comboEntries(editor.frameComboBox), std::vector<std::string>{"Custom 1"});
    sendCommand(IDC_NEW, editor.newButton);
    sendCommand(IDC_NEW, editor.newButton);
    EXPECT_EQ(comboEntries(editor.frameComboBox),
              (std::vector<std::string>{"Custom 1", "Custom 2", "Custom 3"}));
    EXPECT_EQ(editor.frameCount, 3);
    EXPECT_EQ(editor.currentFrame, 2);

    sendCommand(IDM_INVERT_CURRENT);
    EXPECT_EQ(frameBytes(2), std::vector<unsigned char>(32, 0xFF));
    EXPECT_EQ(frameBytes(1), std::vector<unsigned char>(32, 0));
    sendCommand(IDM_INVERT_ALL);
    EXPECT_EQ(frameBytes(0), std::vector<unsigned char>(32, 0xFF));
    EXPECT_EQ(frameBytes(2), std::vector<unsigned char>(32, 0));
    sendCommand(IDM_CLEAR_CURRENT);
    EXPECT_EQ(frameBytes(2), std::vector<unsigned char>(32, 0));

    answerMessageBox(IDNO);
    sendCommand(IDM_CLEAR_ALL);
    answerMessageBox(IDCANCEL); // a prompt that did not say Yes
    sendCommand(IDM_CLEAR_ALL);
    EXPECT_EQ(frameBytes(0), std::vector<unsigned char>(32, 0xFF));
    ASSERT_EQ(modalLog().size(), 2u);
    EXPECT_EQ(modalLog()[0].text,
              "Do you want to erase All?\nWarnning:All data will be deleted!\nAre you sure?");
    EXPECT_EQ(modalLog()[0].icon, MB_ICONWARNING);
    answerMessageBox(IDYES);
    sendCommand(IDM_CLEAR_ALL);
    EXPECT_EQ(frameBytes(0), std::vector<unsigned char>(32, 0));
    EXPECT_EQ(frameBytes(1), std::vector<unsigned char>(32, 0));
}

TEST_F(CommandTest, ComboSelectionChangesTheShownFrame) {
    sendCommand(ManualPaint);
    sendCommand(IDC_NEW, editor.newButton);
    SendMessageA(editor.frameComboBox, CB_SETCURSEL, 0, 0);
    SendMessageA(editor.mainWindow, WM_COMMAND, MAKEWPARAM(IDC_FRAME_COMBO, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(editor.frameComboBox));
    EXPECT_EQ(editor.currentFrame, 0);
}

TEST_F(CommandTest, EveryCommandIsRefusedWhileAWorkerRuns) {
    sendCommand(ManualPaint);
    setDot(0, 0);
    std::vector<unsigned char> before = frameBytes(0);
    editor.workerThread = GetCurrentThread();
    const int ids[] = {IDM_SAVE,           IDM_EXIT,          ManualText,
                       TextFile,           IDM_INVERT_ALL,    IDM_CLEAR_ALL,
                       IDM_INVERT_CURRENT, IDM_CLEAR_CURRENT, IDM_MAP_ALL_ASCII,
                       IDM_COPY_CLIPBOARD, IDM_SYSTEM_SETUP,  IDM_FONT_SETUP,
                       IDM_COLOR_SETUP,    IDM_ABOUT,         IDC_NEW,
                       IDC_UPDATE,         IDC_BROWSE,        IDC_OPEN};
    for (int id : ids)
        EXPECT_EQ(SendMessageA(editor.mainWindow, WM_COMMAND, id, 0), 1) << id;
    SendMessageA(editor.mainWindow, WM_COMMAND, MAKEWPARAM(IDC_FRAME_COMBO, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(editor.frameComboBox));
    editor.workerThread = nullptr;
    EXPECT_TRUE(IsWindow(editor.mainWindow));
    EXPECT_TRUE(modalLog().empty());
    EXPECT_EQ(editor.inputMode, ManualPaint);
    EXPECT_EQ(editor.frameCount, 1);
    EXPECT_EQ(frameBytes(0), before);
}

class ControlStateTest : public AppTest {};

struct EnabledControls {
    bool newButton, textEdit, update, browse, open, textBars;
};

static void expectEnabled(const EnabledControls &want) {
    EXPECT_EQ(IsWindowEnabled(editor.newButton) != 0, want.newButton);
    EXPECT_EQ(IsWindowEnabled(editor.textEdit) != 0, want.textEdit);
    EXPECT_EQ(IsWindowEnabled(editor.updateButton) != 0, want.update);
    EXPECT_EQ(IsWindowEnabled(editor.browseButton) != 0, want.browse);
    EXPECT_EQ(IsWindowEnabled(editor.openButton) != 0, want.open);
    EXPECT_EQ(IsWindowEnabled(editor.textScrollBarH) != 0, want.textBars);
    EXPECT_EQ(IsWindowEnabled(editor.textScrollBarV) != 0, want.textBars);
}

TEST_F(ControlStateTest, EnabledControlsPerMode) {
    expectEnabled({false, true, true, false, false, true});
    EXPECT_FALSE(IsWindowEnabled(editor.frameComboBox));
    sendCommand(ManualPaint);
    expectEnabled({true, false, false, false, false, false});
    EXPECT_TRUE(IsWindowEnabled(editor.frameComboBox));
    EXPECT_EQ(IsDlgButtonChecked(editor.mainWindow, ManualPaint), BST_CHECKED);
    sendCommand(TextFile);
    expectEnabled({false, false, false, true, false, true});
    EXPECT_FALSE(IsWindowEnabled(editor.frameComboBox));
    sendCommand(BitmapFile);
    expectEnabled({false, false, false, false, true, false});
    EXPECT_EQ(IsDlgButtonChecked(editor.mainWindow, BitmapFile), BST_CHECKED);

    editor.inputMode = 0; // transient: nothing checked anew, nothing enabled
    refreshControls();
    expectEnabled({false, false, false, false, false, false});
    EXPECT_EQ(IsDlgButtonChecked(editor.mainWindow, BitmapFile), BST_CHECKED);
}

TEST_F(ControlStateTest, ViewBarsOnlyAboveThirtyTwoAndTextBarRanges) {
    int low, high;
    setMatrixSize(40, 20);
    EXPECT_TRUE(IsWindowEnabled(editor.viewScrollBarH));
    EXPECT_FALSE(IsWindowEnabled(editor.viewScrollBarV));
    GetScrollRange(editor.viewScrollBarH, SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 8);
    EXPECT_EQ(statusText(1), "DOT Matrix Size:40X20 Pixels");
    setMatrixSize(32, 33);
    EXPECT_FALSE(IsWindowEnabled(editor.viewScrollBarH));
    EXPECT_TRUE(IsWindowEnabled(editor.viewScrollBarV));

    setMatrixSize(16, 16);
    editor.textShiftX = 3;
    refreshControls();
    GetScrollRange(editor.textScrollBarH, SB_CTL, &low, &high);
    EXPECT_EQ(high, 32);
    EXPECT_EQ(GetScrollPos(editor.textScrollBarH, SB_CTL), 19);
    EXPECT_EQ(GetScrollPos(editor.textScrollBarV, SB_CTL), 16);
}

static UINT itemState(HMENU menu, int id) {
    return GetMenuState(menu, id, MF_BYCOMMAND);
}

TEST_F(ControlStateTest, EditMenuMarksAndHelpTexts) {
    HMENU bar = GetMenu(editor.mainWindow), file = GetSubMenu(bar, 0), edit = GetSubMenu(bar, 1);
    SendMessageA(editor.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    SendMessageA(editor.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
    EXPECT_TRUE(itemState(file, IDM_LOAD) & MF_GRAYED);
    EXPECT_TRUE(itemState(edit, ManualText) & MF_CHECKED);
    EXPECT_FALSE(itemState(edit, ManualPaint) & MF_CHECKED);
    EXPECT_FALSE(itemState(edit, IDM_MAP_ALL_ASCII) & MF_GRAYED);

    sendCommand(ManualPaint);
    SendMessageA(editor.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
    EXPECT_TRUE(itemState(edit, ManualPaint) & MF_CHECKED);
    EXPECT_FALSE(itemState(edit, ManualText) & MF_CHECKED);
    EXPECT_TRUE(itemState(edit, IDM_MAP_ALL_ASCII) & MF_GRAYED);
    sendCommand(IDM_LOAD); // grayed, and does nothing even when sent
    EXPECT_EQ(editor.inputMode, ManualPaint);

    SendMessageA(editor.mainWindow, WM_MENUSELECT, MAKEWPARAM(IDM_EXIT, MF_HILITE),
                 reinterpret_cast<LPARAM>(file));
    EXPECT_EQ(statusText(0), "Exit this application!");
    SendMessageA(editor.mainWindow, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0); // menu closed
    EXPECT_EQ(statusText(0), "Exit this application!");
    SendMessageA(editor.mainWindow, WM_MENUSELECT, MAKEWPARAM(IDM_FONT_SETUP, MF_HILITE), 0);
    EXPECT_EQ(statusText(0), "Change default Font Style and default Font Size");
    EXPECT_STREQ(menuHelpText(IDM_MAP_ALL_ASCII), "Build DOT Matrixs of all ASCII");
}

class ScrollTest : public AppTest {};

static void scroll(UINT message, HWND bar, int code, int position = 0) {
    SendMessageA(editor.mainWindow, message, MAKEWPARAM(code, position),
                 reinterpret_cast<LPARAM>(bar));
}

TEST_F(ScrollTest, ViewBarStepsOnA64By48Matrix) {
    setMatrixSize(64, 48);
    int low, high;
    GetScrollRange(editor.viewScrollBarH, SB_CTL, &low, &high);
    EXPECT_EQ(high, 32);
    GetScrollRange(editor.viewScrollBarV, SB_CTL, &low, &high);
    EXPECT_EQ(high, 16);

    HWND bar = editor.viewScrollBarH;
    scroll(WM_HSCROLL, bar, SB_THUMBTRACK, 28);
    scroll(WM_HSCROLL, bar, SB_PAGERIGHT);
    EXPECT_EQ(editor.viewOriginX, 32);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 32);
    setStatusText(0, "before");
    scroll(WM_HSCROLL, bar, SB_LINERIGHT);
    EXPECT_EQ(editor.viewOriginX, 32);
    EXPECT_EQ(statusText(0), "before");
    scroll(WM_HSCROLL, bar, SB_THUMBTRACK, 5);
    scroll(WM_HSCROLL, bar, SB_PAGELEFT);
    EXPECT_EQ(editor.viewOriginX, 0);
    scroll(WM_HSCROLL, bar, SB_THUMBTRACK, 20);
    scroll(WM_HSCROLL, bar, SB_LEFT);
    EXPECT_EQ(editor.viewOriginX, 12);
    scroll(WM_HSCROLL, bar, SB_RIGHT);
    EXPECT_EQ(editor.viewOriginX, 20);
    scroll(WM_HSCROLL, bar, SB_THUMBPOSITION, 3);
    scroll(WM_HSCROLL, bar, SB_ENDSCROLL);
    EXPECT_EQ(editor.viewOriginX, 20);
    scroll(WM_HSCROLL, bar, SB_THUMBTRACK, 17);
    EXPECT_EQ(editor.viewOriginX, 17);
    EXPECT_EQ(statusText(0), "Scrollbar Position @17");
    scroll(WM_VSCROLL, editor.viewScrollBarV, SB_THUMBTRACK, 40); // beyond the range
    EXPECT_EQ(editor.viewOriginY, 16);
    EXPECT_EQ(statusText(0), "Scrollbar Position @ 16");

    refreshControls(); // the thumbs stay with the view
    EXPECT_EQ(GetScrollPos(editor.viewScrollBarH, SB_CTL), 17);
    EXPECT_EQ(GetScrollPos(editor.viewScrollBarV, SB_CTL), 16);
}

static bool contains(const std::vector<std::string> &texts, const std::string &text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(ScrollTest, TextShiftBarsRenderAgain) {
    std::vector<std::string> status;
    recordStatusTexts(&status);
    SetWindowTextA(editor.textEdit, "A");
    HWND bar = editor.textScrollBarH;
    scroll(WM_HSCROLL, bar, SB_LINERIGHT);
    waitForWorker();
    EXPECT_EQ(editor.textShiftX, 1);
    EXPECT_TRUE(contains(status, "Scrollbar Position @17"));
    EXPECT_EQ(comboEntries(editor.frameComboBox), std::vector<std::string>{"A"});
    scroll(WM_HSCROLL, bar, SB_THUMBTRACK, 32);
    waitForWorker();
    scroll(WM_HSCROLL, bar, SB_LINERIGHT);
    EXPECT_EQ(editor.textShiftX, 16);

    scroll(WM_VSCROLL, editor.textScrollBarV, SB_THUMBTRACK, 30);
    waitForWorker();
    scroll(WM_VSCROLL, editor.textScrollBarV, SB_PAGEDOWN);
    waitForWorker();
    EXPECT_EQ(GetScrollPos(editor.textScrollBarV, SB_CTL), 32);
    EXPECT_EQ(editor.textShiftY, 16);
    EXPECT_TRUE(contains(status, "Scrollbar Position @ 32"));
}
