#include "app/app.h"
#include "view/dib_pixels.h"
#include "app_fixture.h"
#include "model/matrix_store.h"
#include "view/view.h"

#include <vector>

// Paints the window now and reads the client area back from the screen.
struct ClientPixels {
    int width = 0, height = 0;
    std::vector<DWORD> bits;
    COLORREF at(int x, int y) const {
        DWORD p = bits[static_cast<size_t>(y) * width + x];
        return RGB((p >> 16) & 255, (p >> 8) & 255, p & 255);
    }
    // a pixel of the 320 x 320 grid bitmap
    COLORREF grid(int x, int y) const { return at(gridLeft + x, gridTop() + y); }
};

static ClientPixels captureClient() {
    invalidateEditor(editor.mainWindow);
    UpdateWindow(editor.mainWindow);
    pumpMessages(30);
    ClientPixels pixels;
    RECT client;
    GetClientRect(editor.mainWindow, &client);
    pixels.width = client.right;
    pixels.height = client.bottom;
    HDC windowDc = GetDC(editor.mainWindow);
    HDC memory = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, pixels.width, pixels.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, pixels.width, pixels.height, windowDc, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info = topDownInfo(pixels.width, pixels.height);
    pixels.bits.resize(static_cast<size_t>(pixels.width) * pixels.height);
    GetDIBits(memory, bitmap, 0, pixels.height, pixels.bits.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(editor.mainWindow, windowDc);
    return pixels;
}

static const COLORREF red = RGB(255, 0, 0), black = 0, white = RGB(255, 255, 255);

class PaintTest : public AppTest {};

// The four edges of the outline, sampled at their middles.
static void expectOutline(const ClientPixels &p, int left, int top, int right, int bottom) {
    int midX = (left + right) / 2, midY = (top + bottom) / 2;
    EXPECT_EQ(p.grid(midX, top), red);
    EXPECT_EQ(p.grid(left, midY), red);
    if (right < 320) EXPECT_EQ(p.grid(right, midY), red);
    if (bottom < 320) EXPECT_EQ(p.grid(midX, bottom), red);
    if (top >= 5) EXPECT_NE(p.grid(midX + 5, top - 5), red);
    if (left >= 5) EXPECT_NE(p.grid(left - 5, midY + 5), red);
}

TEST_F(PaintTest, OutlineCornersForCentredAndPannedMatrices) {
    expectOutline(captureClient(), 80, 80, 240, 240);
    EXPECT_EQ(captureClient().grid(25, 50), black); // a grid line
    EXPECT_EQ(captureClient().grid(25, 55), white); // the ground between lines
    setMatrixSize(15, 15);
    expectOutline(captureClient(), 90, 90, 240, 240);
    setMatrixSize(1, 1);
    expectOutline(captureClient(), 160, 160, 170, 170);

    setMatrixSize(64, 48);
    editor.viewOriginX = 10;
    editor.viewOriginY = 5;
    setDot(10, 5);
    ClientPixels panned = captureClient();
    EXPECT_EQ(panned.grid(100, 0), red);
    EXPECT_EQ(panned.grid(0, 100), red);
    EXPECT_EQ(panned.grid(5, 5), black); // grid cell (0, 0) shows dot (10, 5)
    EXPECT_EQ(panned.grid(15, 5), white);
}

TEST_F(PaintTest, DotDiscsHoverColoursAndBitmapStyle) {
    editor.backgroundColor = RGB(200, 200, 0);
    setDot(5, 5); // grid cell (13, 13)
    ClientPixels plain = captureClient();
    EXPECT_EQ(plain.grid(135, 135), black);
    EXPECT_EQ(plain.grid(145, 135), RGB(200, 200, 0));
    EXPECT_EQ(plain.grid(131, 131), RGB(200, 200, 0)); // a disc, not a square

    editor.hoverCell = 5 * 256 + 5; // grid cells count from the matrix's first column
    EXPECT_EQ(captureClient().grid(135, 135), red);
    editor.hoverCell = 6 * 256 + 5;
    ClientPixels hoverClear = captureClient();
    EXPECT_EQ(hoverClear.grid(145, 135), white);
    EXPECT_EQ(hoverClear.grid(140, 135), black); // the rim in the foreground colour
    EXPECT_EQ(hoverClear.grid(135, 135), black);

    editor.inputMode = BitmapFile;
    editor.bitmapStyle = 2;
    ClientPixels noDots = captureClient();
    EXPECT_EQ(noDots.grid(135, 135), RGB(200, 200, 0));
    EXPECT_EQ(noDots.at(355 + 5 * 15 + 7, 17), black); // the preview still shows the dot
}

TEST_F(PaintTest, PreviewStretchesTheWholeFrame) {
    setDot(0, 0);
    setDot(15, 15);
    ClientPixels p = captureClient();
    EXPECT_EQ(p.at(355, 0), black);
    EXPECT_EQ(p.at(369, 2), black);
    EXPECT_EQ(p.at(370, 1), white);
    EXPECT_EQ(p.at(594, 49), black);
    EXPECT_EQ(p.at(579, 49), white);
    EXPECT_EQ(p.at(594, 45), white);

    setMatrixSize(64, 48);
    editor.viewOriginX = 32;
    setDot(63, 47); // outside the panned grid view, inside the preview
    EXPECT_EQ(captureClient().at(594, 49), black);
}

class MouseTest : public AppTest {};

// A point in the middle of the column-th and row-th cell of the drawn grid.
static LPARAM cellPoint(int column, int row) {
    return MAKELPARAM(gridLeft + 10 * column + 5, gridTop() + 10 * row + 5);
}

static void mouse(UINT message, WPARAM keys, LPARAM point) {
    SendMessageA(editor.mainWindow, message, keys, point);
}

TEST_F(MouseTest, LeftDragLightsDotsAndRightDragErases) {
    ASSERT_EQ(GetForegroundWindow(), editor.mainWindow);
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, cellPoint(8, 8));
    EXPECT_NE(testDot(0, 0), 0);
    EXPECT_EQ(editor.modified, 1);
    EXPECT_EQ(statusText(0), "mouse @(0,0)");
    EXPECT_EQ(editor.hoverCell, 0); // the matrix's first cell
    EXPECT_EQ(GetCapture(), editor.mainWindow);
    mouse(WM_MOUSEMOVE, MK_LBUTTON, cellPoint(9, 8));
    EXPECT_NE(testDot(1, 0), 0);
    EXPECT_EQ(statusText(0), "mouse @(1,0)");

    clearDot(1, 0);
    mouse(WM_MOUSEMOVE, MK_LBUTTON, cellPoint(9, 8) + 2); // within the same cell
    EXPECT_EQ(testDot(1, 0), 0);
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, cellPoint(8, 8)); // pressing again keeps it lit
    EXPECT_NE(testDot(0, 0), 0);

    mouse(WM_RBUTTONDOWN, MK_RBUTTON, cellPoint(8, 8));
    EXPECT_EQ(testDot(0, 0), 0);
    setDot(2, 0);
    mouse(WM_MOUSEMOVE, MK_RBUTTON, cellPoint(10, 8));
    EXPECT_EQ(testDot(2, 0), 0);
    mouse(WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, cellPoint(11, 8)); // both: set
    EXPECT_NE(testDot(3, 0), 0);
}

TEST_F(MouseTest, HoverWithoutButtonsAndTheMargins) {
    mouse(WM_MOUSEMOVE, 0, cellPoint(10, 10));
    EXPECT_EQ(editor.hoverCell, 2 * 256 + 2);
    EXPECT_EQ(statusText(0), "mouse @(2,2)");
    EXPECT_EQ(editor.modified, 0);
    EXPECT_EQ(testDot(2, 2), 0);

    mouse(WM_MOUSEMOVE, MK_LBUTTON, cellPoint(24, 10)); // right of the matrix
    EXPECT_EQ(editor.hoverCell, 2 * 256 + 2);
    EXPECT_EQ(statusText(0), "mouse @(2,2)");
    EXPECT_EQ(editor.modified, 0);

    mouse(WM_MOUSEMOVE, 0, cellPoint(3, 10)); // the left margin hits no cell
    EXPECT_EQ(editor.hoverCell, -1);
    EXPECT_EQ(statusText(0), contactLine);
    EXPECT_EQ(GetCapture(), nullptr);
    mouse(WM_MOUSEMOVE, 0, MAKELPARAM(-3 & 0xFFFF, 50)); // left of the client area
    EXPECT_EQ(editor.hoverCell, -1);
}

TEST_F(MouseTest, PannedMatrixAndBusyRefusal) {
    setMatrixSize(64, 64);
    editor.viewOriginX = 10;
    editor.viewOriginY = 20;
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, cellPoint(0, 0));
    EXPECT_NE(testDot(10, 20), 0);
    EXPECT_EQ(statusText(0), "mouse @(10,20)");

    editor.modified = 0;
    editor.workerThread = GetCurrentThread();
    int hover = editor.hoverCell;
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, cellPoint(5, 5));
    mouse(WM_MOUSEMOVE, MK_LBUTTON, cellPoint(6, 5));
    EXPECT_EQ(testDot(15, 25), 0);
    EXPECT_EQ(testDot(16, 25), 0);
    EXPECT_EQ(editor.hoverCell, hover);
    EXPECT_EQ(editor.modified, 0);
    EXPECT_EQ(hitTestCell(gridLeft + 5, gridTop() + 5), -1);
    editor.workerThread = nullptr;
}
