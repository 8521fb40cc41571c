// The editor as a user drives it: modes, frames, the mouse, the view bars, closing, and the
// busy protocol that refuses input while a conversion runs.
#include "app/app.h"
#include "app_fixture.h"
#include "modal_answerer.h"
#include "model/matrix_store.h"
#include "res/resource.h"
#include "view/view.h"

// The point inside a cell; the window is made the foreground window, as only then does the grid
// take mouse input (other test programs may run beside this one).
static LPARAM cellPoint(int column, int row) {
    SetForegroundWindow(editor.mainWindow);
    RECT cell = cellRect(column, row, true);
    return MAKELPARAM(cell.left + 5, cell.top + 5);
}

class EditingTest : public AppTest {};

TEST_F(EditingTest, RadioButtonAsksBeforeLosingPaintedDots) {
    sendCommand(ManualPaint);
    SendMessageA(editor.mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, cellPoint(0, 0));
    ASSERT_NE(testDot(0, 0), 0);
    answerMessageBox(IDNO);
    sendCommand(ManualText, editor.textRadio);
    EXPECT_EQ(modalLog().at(0).text,
              "DOT Matrix has been changed!Continue will lost all your datas!\nContinue?(Y/N)");
    EXPECT_EQ(editor.inputMode, ManualPaint);
    EXPECT_EQ(IsDlgButtonChecked(editor.mainWindow, ManualPaint), BST_CHECKED);
    EXPECT_NE(testDot(0, 0), 0);
    sendCommand(ManualText); // the menu item switches without asking
    EXPECT_EQ(modalLog().size(), 1u);
    EXPECT_EQ(editor.inputMode, ManualText);
    EXPECT_EQ(editor.modified, 0);
}

TEST_F(EditingTest, NewFramesInvertAndClearAllOnlyOnYes) {
    sendCommand(ManualPaint);
    sendCommand(IDC_NEW, editor.newButton);
    sendCommand(IDC_NEW, editor.newButton);
    EXPECT_EQ(comboEntries(), (std::vector<std::string>{"Custom 1", "Custom 2", "Custom 3"}));
    EXPECT_EQ(editor.currentFrame, 2);
    sendCommand(IDM_INVERT_CURRENT);
    EXPECT_EQ(frameBytes(1), std::vector<unsigned char>(32, 0));
    sendCommand(IDM_INVERT_ALL);
    EXPECT_EQ(frameBytes(0), std::vector<unsigned char>(32, 0xFF));
    EXPECT_EQ(frameBytes(2), std::vector<unsigned char>(32, 0));
    for (int answer : {IDNO, IDCANCEL, IDYES}) {
        answerMessageBox(answer);
        sendCommand(IDM_CLEAR_ALL);
        EXPECT_EQ(frameBytes(1)[0], answer == IDYES ? 0 : 0xFF) << answer;
    }
    EXPECT_EQ(modalLog().at(0).icon, MB_ICONWARNING);
}

// Cells are counted from the matrix's first shown column and row. Left drags light, right drags
// erase, a plain move only shows where the pointer is; the grid shows the panned part of a large
// matrix.
TEST_F(EditingTest, MouseEditsTheDotUnderThePointer) {
    sendCommand(ManualPaint);
    std::vector<std::string> status;
    recordStatusTexts(&status);
    struct Step {
        UINT message;
        WPARAM keys;
        int column, row, dotX;
        bool lit;
    } steps[] = {{WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, 0, true},
                 {WM_MOUSEMOVE, MK_LBUTTON, 1, 0, 1, true},
                 {WM_RBUTTONDOWN, MK_RBUTTON, 0, 0, 0, false},
                 {WM_MOUSEMOVE, 0, 2, 0, 1, true},
                 {WM_MOUSEMOVE, MK_LBUTTON, 16, 0, 2, false}}; // right of the matrix
    for (const Step &s : steps) {
        SendMessageA(editor.mainWindow, s.message, s.keys, cellPoint(s.column, s.row));
        EXPECT_EQ(testDot(s.dotX, 0) != 0, s.lit) << s.column;
    }
    EXPECT_EQ(status.back(), "mouse @(2,0)");
    SendMessageA(editor.mainWindow, WM_LBUTTONUP, 0, cellPoint(2, 0));
    EXPECT_EQ(GetCapture(), nullptr);

    setMatrixSize(64, 64);
    editor.viewOriginX = 10;
    editor.viewOriginY = 20;
    SendMessageA(editor.mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, cellPoint(0, 0));
    EXPECT_NE(testDot(10, 20), 0);
    EXPECT_EQ(status.back(), "mouse @(10,20)");
    SendMessageA(editor.mainWindow, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1)); // off the grid
    EXPECT_EQ(status.back(), contactLine);
}

// Steps of the horizontal view bar over a 64-wide matrix (range 0..32).
TEST_F(EditingTest, ViewBarStepsStayInTheMatrix) {
    setMatrixSize(64, 48);
    struct Step {
        int from, code, thumb, to;
    } steps[] = {{28, SB_PAGERIGHT, 0, 32},  {32, SB_LINERIGHT, 0, 32},
                 {5, SB_PAGELEFT, 0, 0},     {20, SB_LEFT, 0, 12},
                 {3, SB_THUMBTRACK, 17, 17}, {3, SB_THUMBTRACK, 500, 32}};
    for (const Step &s : steps) {
        editor.viewOriginX = s.from;
        SetScrollPos(editor.viewScrollBarH, SB_CTL, s.from, FALSE);
        SendMessageA(editor.mainWindow, WM_HSCROLL, MAKEWPARAM(s.code, s.thumb),
                     reinterpret_cast<LPARAM>(editor.viewScrollBarH));
        EXPECT_EQ(editor.viewOriginX, s.to) << s.code;
        EXPECT_EQ(GetScrollPos(editor.viewScrollBarH, SB_CTL), s.to);
    }
}

TEST_F(EditingTest, EverythingIsRefusedWhileAWorkerRuns) {
    sendCommand(ManualPaint);
    setDot(0, 0);
    editor.workerThread = GetCurrentThread();
    const int ids[] = {
        IDM_SAVE,          IDM_EXIT,           TextFile,         IDM_CLEAR_ALL,  IDM_INVERT_ALL,
        IDM_MAP_ALL_ASCII, IDM_COPY_CLIPBOARD, IDM_SYSTEM_SETUP, IDM_FONT_SETUP, IDM_COLOR_SETUP,
        IDC_NEW,           IDC_UPDATE,         IDC_BROWSE,       IDC_OPEN};
    for (int id : ids)
        EXPECT_EQ(SendMessageA(editor.mainWindow, WM_COMMAND, id, 0), 1) << id;
    SendMessageA(editor.mainWindow, WM_RBUTTONDOWN, MK_RBUTTON, cellPoint(0, 0));
    SendMessageA(editor.mainWindow, WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0),
                 reinterpret_cast<LPARAM>(editor.textScrollBarH));
    SendMessageA(editor.mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(editor.mainWindow));
    EXPECT_TRUE(modalLog().empty());
    EXPECT_EQ(editor.inputMode, ManualPaint);
    EXPECT_EQ(editor.frameCount, 1);
    EXPECT_NE(testDot(0, 0), 0);
    EXPECT_EQ(editor.textShiftX, 0);

    editor.workerThread = nullptr;
    SendMessageA(editor.mainWindow, WM_CLOSE, 0, 0); // now it closes and saves the settings
    EXPECT_FALSE(IsWindow(editor.mainWindow));
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\TarvellSoft\\MORVEX7", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
}
