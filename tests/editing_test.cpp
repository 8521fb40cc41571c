// The editor as a user drives it: modes, frames, the mouse, the view bars, closing, and the
// busy protocol that refuses input while a conversion runs.
#include "state/undo_history.h"
#include "app_fixture.h"

using EditingTest = AppTest;

// Switching by radio button, Clear All and closing ask first; only Yes loses the painted dots.
TEST_F(EditingTest, AsksBeforeLosingPaintedDots) {
    sendCommand(ManualPaint);
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 0, 0);
    answerMessageBox(IDNO);
    sendCommand(ManualText, editor.textRadio);
    EXPECT_EQ(modalLog().at(0).text,
              "DOT Matrix has been changed!Continue will lost all your datas!\nContinue?(Y/N)");
    EXPECT_EQ(IsDlgButtonChecked(editor.mainWindow, ManualPaint), BST_CHECKED);
    for (int answer : {IDNO, IDCANCEL, IDYES}) {
        answerMessageBox(answer);
        sendCommand(IDM_CLEAR_ALL);
        EXPECT_EQ(testDot(0, 0) != 0, answer != IDYES) << answer;
    }
    for (int answer : {IDNO, IDYES}) {
        answerMessageBox(answer);
        sendCommand(IDM_EXIT);
        EXPECT_EQ(IsWindow(editor.mainWindow), answer == IDNO);
    }
}

// Cells are counted from the first shown column and row of a panned matrix; a drag beyond
// the matrix paints nothing and ends the capture with the button.
TEST_F(EditingTest, MouseEditsTheDotUnderThePointer) {
    sendCommand(ManualPaint);
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 0, 0);
    mouse(WM_MOUSEMOVE, MK_LBUTTON, 16, 0);
    EXPECT_EQ(testDot(15, 0) + testDot(1, 0), 0);
    mouse(WM_LBUTTONUP, 0, 16, 0);
    EXPECT_EQ(GetCapture(), nullptr);

    // a panned large matrix, its view bar dragged beyond its end (range 0..32)
    setMatrixSize(64, 64);
    SendMessageA(editor.mainWindow, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 500),
                 reinterpret_cast<LPARAM>(editor.viewScrollBarH));
    editor.viewOriginY = 32;
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, 1, 2);
    EXPECT_NE(testDot(33, 34), 0);
    SendMessageA(editor.mainWindow, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1)); // off the grid
    EXPECT_EQ(windowText(editor.statusBar), contactLine);
}

// Edit > Transform > Rotate Right turns the frame clockwise, Rotate Left the other way.
TEST_F(EditingTest, RotateCommandsTurnTheirWay) {
    sendCommand(ManualPaint);
    setDot(0, 0); // the top left corner
    sendCommand(IDM_ROTATE_RIGHT);
    EXPECT_NE(testDot(15, 0), 0); // clockwise: the top right corner
    sendCommand(IDM_ROTATE_LEFT);
    EXPECT_NE(testDot(0, 0), 0); // the other way: back to the top left corner
}

// The text bar moves the text on the matrix: the main window converts it again there.
TEST_F(EditingTest, TextBarConvertsTheTextAgain) {
    SetWindowTextW(editor.textEdit, L"I");
    sendCommand(IDC_UPDATE, editor.updateButton);
    waitForWorker();
    std::vector<unsigned char> before = editor.frames.bytes;
    SendMessageA(editor.mainWindow, WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0),
                 reinterpret_cast<LPARAM>(editor.textScrollBarH));
    waitForWorker();
    EXPECT_EQ(editor.settings.textShiftX, 1);
    EXPECT_NE(editor.frames.bytes, before);
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
    mouse(WM_RBUTTONDOWN, MK_RBUTTON, 0, 0);
    SendMessageA(editor.mainWindow, WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0),
                 reinterpret_cast<LPARAM>(editor.textScrollBarH));
    SendMessageA(editor.mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(modalLog().empty());
    EXPECT_EQ(editor.settings.inputMode * 10 + editor.frames.count, ManualPaint * 10 + 1);
    EXPECT_NE(testDot(0, 0), 0);
    EXPECT_EQ(editor.settings.textShiftX, 0);
    EXPECT_TRUE(IsWindow(editor.mainWindow));
    editor.workerThread = nullptr;
}

static void pressWithControl(BYTE key) {
    keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    dispatchWaiting();
}

// Real key presses: Ctrl+S opens the save chooser, Ctrl+O the open chooser; Ctrl+C copies the
// text box's selection, and with the focus elsewhere exports the source.
TEST_F(EditingTest, ShortcutsDoWhatTheirLabelsSay) {
    SetForegroundWindow(editor.mainWindow);
    for (BYTE key : {'S', 'O'}) {
        expectModal([](HWND chooser) { clickButton(chooser, IDCANCEL); }, true);
        pressWithControl(key);
    }
    EXPECT_EQ(modalLog().at(0).caption, "Save as...");
    EXPECT_EQ(modalLog().at(1).caption, "Open...");
    SetWindowTextA(editor.textEdit, "selected");
    SetFocus(editor.textEdit);
    SendMessageA(editor.textEdit, EM_SETSEL, 0, 4);
    pressWithControl('C');
    EXPECT_EQ(clipboardText(), "sele");
    SetFocus(editor.mainWindow);
    answerMessageBox(IDOK);
    pressWithControl('C');
    EXPECT_EQ(modalLog().at(2).text, "Copy DOT Matrix to clipboard Successed!");
    EXPECT_EQ(clipboardText().rfind("/*Config:", 0), 0u);
}

// A character of any script typed into the text box reaches it whole through the program's
// message loop, and the box's font has it.
TEST_F(EditingTest, TypedTextOfAnyScript) {
    PostMessageW(editor.textEdit, WM_CHAR, 0x4F60, 1);
    dispatchWaiting();
    wchar_t typed[8] = L"";
    GetWindowTextW(editor.textEdit, typed, 8);
    EXPECT_STREQ(typed, L"\u4f60");
    HDC dc = GetDC(editor.textEdit);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(editor.textEdit, WM_GETFONT, 0, 0)));
    WORD glyph = 0;
    GetGlyphIndicesW(dc, L"\u4f60", 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
    EXPECT_NE(glyph, 0xFFFF);
    ReleaseDC(editor.textEdit, dc);
}

static void stroke(int column) {
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, column, 0);
    mouse(WM_LBUTTONUP, 0, column, 0);
}

// Undo and redo with real key presses: a stroke is a step, a new one forgets redo; Clear All
// and a conversion over painted frames are undone, and so is a shift; undoing to the saved
// frames clears the modified flag; of 101 strokes the last 100 are undone.
TEST_F(EditingTest, UndoAndRedo) {
    sendCommand(ManualPaint);
    for (int column : {0, 1, 2})
        stroke(column);
    pressWithControl('Z');
    pressWithControl('Z');
    pressWithControl('Y');
    EXPECT_TRUE(testDot(0, 0) && testDot(1, 0));
    EXPECT_FALSE(testDot(2, 0));
    stroke(3);
    EXPECT_FALSE(canRedo());
    answerMessageBox(IDYES);
    sendCommand(IDM_CLEAR_ALL);
    pressWithControl('Z');
    EXPECT_TRUE(testDot(3, 0));
    answerMessageBox(IDYES);
    sendCommand(ManualText, editor.textRadio); // converts the text box over the painted dots
    waitForWorker();
    pressWithControl('Z');
    EXPECT_EQ(editor.frames.names, std::vector<std::string>{"Custom 1"});
    EXPECT_TRUE(testDot(3, 0));
    answerFileChooser(testDataPath("saved.c"));
    sendCommand(IDM_SAVE);
    stroke(4);
    pressWithControl(VK_RIGHT); // Shift Right: the stroke's dot moves on
    EXPECT_TRUE(testDot(5, 0));
    pressWithControl('Z');
    pressWithControl('Z');
    EXPECT_FALSE(testDot(4, 0));
    EXPECT_EQ(editor.modified, 0);
    for (int column = 0; column < 101; ++column)
        stroke(column % 16);
    int undone = 0;
    while (undoFrames())
        ++undone;
    EXPECT_EQ(undone, 100);
}

// The colour the grid shows at a cell's centre.
static COLORREF shownAt(int column, int row) {
    RedrawWindow(editor.mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT cell = cellRect(column, row, true);
    HDC dc = GetDC(editor.mainWindow);
    COLORREF colour = GetPixel(dc, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    ReleaseDC(editor.mainWindow, dc);
    return colour;
}

// Chosen in System Setup (where the LVGL style enables its own settings), 4 bits a pixel keeps a
// text's smoothed glyphs: the grid shows an edge pixel between the background and the foreground
// colour, and painting it makes it full; Esc cancels a conversion.
TEST_F(EditingTest, SmoothedGlyphsShownInShadesAndPaintedWhole) {
    editor.settings = fontSettings("DejaVu Sans", FontsEmSize);
    SetWindowTextW(editor.textEdit, L"O");
    expectModal([](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_SETUP_BPP, CB_SETCURSEL, 2, 0);
        SendDlgItemMessageA(dialog, IDC_SETUP_STYLES + OutputLvgl, BM_CLICK, 0, 0);
        // the style's own settings only are enabled
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_SETUP_COMPRESSED)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_SETUP_CODING)));
        clickButton(dialog, IDOK);
    });
    sendCommand(IDM_SYSTEM_SETUP);
    waitForWorker();
    int edge = -1; // the first pixel of the O's curve that is neither empty nor full
    for (int i = 0; i < 256 && edge < 0; ++i)
        if (shadeOfDot(i % 16, i / 16) > 40 && shadeOfDot(i % 16, i / 16) < 215) edge = i;
    ASSERT_GE(edge, 0);
    int column = edge % 16, row = edge / 16, shade = shadeOfDot(column, row);
    COLORREF shown = shownAt(column, row);
    EXPECT_NEAR(GetRValue(shown), 255 - shade, 2) << column << "," << row; // black on white
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, column, row);
    mouse(WM_LBUTTONUP, 0, column, row);
    EXPECT_EQ(shadeOfDot(column, row), 255);
    SendMessageA(editor.mainWindow, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1)); // the pointer leaves
    EXPECT_EQ(shownAt(column, row), RGB(0, 0, 0));
    // Esc stops a long conversion (every CJK ideograph): the frames before it come back, and so
    // does the step to undo
    ASSERT_EQ(mapCharacterRange(editor.mainWindow, "0x4E00-0x9FA5"), 1);
    PostMessageW(editor.mainWindow, WM_KEYDOWN, VK_ESCAPE, 1);
    waitForWorker();
    EXPECT_EQ(editor.frames.names, std::vector<std::string>{"O"});
    EXPECT_EQ(shadeOfDot(column, row), 255);
    EXPECT_EQ(windowText(editor.statusBar),
              "The conversion was cancelled: the frames are as they were.");
    ASSERT_TRUE(undoFrames()); // the stroke
    EXPECT_EQ(shadeOfDot(column, row), shade);
}
