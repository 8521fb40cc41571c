#include "view/view.h"

#include "model/coded_pixels.h"
#include "state/editor_state.h"
#include "state/matrix_store.h"
#include "convert/dib_pixels.h"

#include <algorithm>

int gridTop() {
    return GetSystemMetrics(SM_CYVTHUMB) + 10;
}

int marginColumns() {
    return editor.frames.width <= gridCells ? (gridCells - editor.frames.width + 1) / 2 : 0;
}

int marginRows() {
    return editor.frames.height <= gridCells ? (gridCells - editor.frames.height + 1) / 2 : 0;
}

RECT cellRect(int column, int row, bool inWindow) {
    RECT cell;
    cell.left = cellSize * (column + marginColumns());
    cell.top = cellSize * (row + marginRows());
    if (inWindow) {
        cell.left += gridLeft;
        cell.top += gridTop();
    }
    cell.right = cell.left + cellSize;
    cell.bottom = cell.top + cellSize;
    return cell;
}

static void replaceBrush(HDC dc, HBRUSH &brush, COLORREF colour) {
    HBRUSH fresh = CreateSolidBrush(colour);
    SelectObject(dc, fresh);
    DeleteObject(brush);
    brush = fresh;
}

static void fillWith(HDC dc, int width, int height, COLORREF colour) {
    RECT all = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
}

static void drawGridLines(HDC dc) {
    for (int i = 0; i <= gridCells; ++i) {
        MoveToEx(dc, 0, cellSize * i, nullptr);
        LineTo(dc, gridCells * cellSize, cellSize * i);
    }
    for (int i = 0; i <= gridCells; ++i) {
        MoveToEx(dc, cellSize * i, 0, nullptr);
        LineTo(dc, cellSize * i, gridCells * cellSize);
    }
}

static void drawMatrixOutline(HDC dc) {
    int w = editor.frames.width, h = editor.frames.height;
    RECT origin = cellRect(0, 0, false), across = cellRect(w, 0, false);
    RECT down = cellRect(0, h, false), corner = cellRect(w, h, false);
    MoveToEx(dc, origin.left, origin.top, nullptr);
    LineTo(dc, across.left, across.top);
    MoveToEx(dc, origin.left, origin.top, nullptr);
    LineTo(dc, down.left, down.top);
    MoveToEx(dc, corner.left, corner.top, nullptr);
    LineTo(dc, across.left, across.top);
    MoveToEx(dc, corner.left, corner.top, nullptr);
    LineTo(dc, down.left, down.top);
}

// A smoothed glyph's pixel: between the background and foreground colours by its shade.
static COLORREF shadedColour(int shade) {
    COLORREF ground = editor.settings.backgroundColor, dot = editor.settings.foregroundColor;
    auto mix = [&](int from, int to) { return from + (to - from) * shade / 255; };
    return RGB(mix(GetRValue(ground), GetRValue(dot)), mix(GetGValue(ground), GetGValue(dot)),
               mix(GetBValue(ground), GetBValue(dot)));
}

static void drawDots(HDC dc, HBRUSH &brush) {
    replaceBrush(dc, brush, editor.settings.foregroundColor);
    int hoverColumn = editor.hoverCell >> 8, hoverRow = editor.hoverCell & 255;
    int columns = std::min(editor.frames.width, gridCells);
    int rows = std::min(editor.frames.height, gridCells);
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            RECT cell = cellRect(c, r, false);
            int lit = testDot(c + editor.viewOriginX, r + editor.viewOriginY);
            if (editor.hoverCell != -1 && c == hoverColumn && r == hoverRow) {
                replaceBrush(dc, brush, lit ? RGB(255, 0, 0) : RGB(255, 255, 255));
                Ellipse(dc, cell.left, cell.top, cell.left + cellSize, cell.top + cellSize);
                replaceBrush(dc, brush, editor.settings.foregroundColor);
                continue;
            }
            int shade = shadeOfDot(c + editor.viewOriginX, r + editor.viewOriginY);
            if (shade > 0 && shade < 255) { // a smoothed edge, its outline in its own shade
                replaceBrush(dc, brush, shadedColour(shade));
                HPEN pen = CreatePen(PS_SOLID, 1, shadedColour(shade));
                HGDIOBJ dotPen = SelectObject(dc, pen);
                Ellipse(dc, cell.left, cell.top, cell.left + cellSize, cell.top + cellSize);
                SelectObject(dc, dotPen);
                DeleteObject(pen);
                replaceBrush(dc, brush, editor.settings.foregroundColor);
            } else if (shade) {
                Ellipse(dc, cell.left, cell.top, cell.left + cellSize, cell.top + cellSize);
            }
        }
    }
}

// A gray or colour frame: each cell filled with its pixel's colour, inside the grid lines.
static void drawCodedCells(HDC dc) {
    int columns = std::min(editor.frames.width, gridCells);
    int rows = std::min(editor.frames.height, gridCells);
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            RECT cell = cellRect(c, r, false);
            cell.left += 1;
            cell.top += 1;
            unsigned value =
                codedPixel(editor.frames, c + editor.viewOriginX, r + editor.viewOriginY);
            HBRUSH brush = CreateSolidBrush(shownColour(value, editor.frames.coding));
            FillRect(dc, &cell, brush);
            DeleteObject(brush);
        }
    }
}

static void paintGrid(HDC windowDc, HDC memory) {
    const int side = gridCells * cellSize;
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, side, side);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(editor.settings.backgroundColor);
    HGDIOBJ oldBrush = SelectObject(memory, brush);
    fillWith(memory, side, side, editor.settings.backgroundColor);

    HPEN pen = CreatePen(PS_SOLID, 1, editor.settings.gridColor);
    HGDIOBJ oldPen = SelectObject(memory, pen);
    drawGridLines(memory);
    SelectObject(memory, oldPen);
    DeleteObject(pen);

    pen = CreatePen(PS_SOLID, 4, editor.settings.clientColor);
    SelectObject(memory, pen);
    drawMatrixOutline(memory);
    SelectObject(memory, oldPen);
    DeleteObject(pen);

    pen = CreatePen(PS_SOLID, 1, editor.settings.foregroundColor);
    SelectObject(memory, pen);
    if (editor.frames.coding != 0)
        drawCodedCells(memory);
    else
        drawDots(memory, brush);

    BitBlt(windowDc, gridLeft, gridTop(), side, side, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldPen);
    SelectObject(memory, oldBrush);
    SelectObject(memory, oldBitmap);
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteObject(bitmap);
}

// The preview fills a DIB's bits directly, one pixel per dot, and stretches it.
static void paintPreview(HDC windowDc, HDC memory) {
    int w = editor.frames.width, h = editor.frames.height;
    if (w <= 0 || h <= 0) return;
    BITMAPINFO info = topDownInfo(w, h);
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return;
    auto toPixel = [](COLORREF c) -> DWORD {
        return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    };
    DWORD ground = toPixel(editor.settings.backgroundColor);
    DWORD *pixels = static_cast<DWORD *>(bits);
    bool held = !editor.frames.bytes.empty() && editor.currentFrame < editor.frames.count;
    const unsigned char *frame = held ? frameStart(editor.frames, editor.currentFrame) : nullptr;
    for (int r = 0; r < h; ++r) {
        DWORD *line = pixels + static_cast<size_t>(r) * w;
        for (int c = 0; c < w; ++c) {
            if (editor.frames.coding != 0 && frame)
                line[c] =
                    toPixel(shownColour(codedPixel(editor.frames, c, r), editor.frames.coding));
            else if (frame)
                line[c] = toPixel(shadedColour(shadeOfDot(c, r)));
            else
                line[c] = ground;
        }
    }
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    StretchBlt(windowDc, previewRect.left, previewRect.top, previewWidth, previewHeight, memory, 0,
               0, w, h, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
}

int paintEditor(HWND window) {
    PAINTSTRUCT paint;
    HDC windowDc = BeginPaint(window, &paint);
    HDC memory = CreateCompatibleDC(windowDc);
    paintGrid(windowDc, memory);
    paintPreview(windowDc, memory);
    DeleteDC(memory);
    EndPaint(window, &paint);
    return 1;
}

int invalidateEditor(HWND window) {
    RECT preview = previewRect;
    InvalidateRect(window, &preview, FALSE);
    int top = gridTop();
    RECT grid = {gridLeft, top, gridLeft + gridCells * cellSize, top + gridCells * cellSize};
    InvalidateRect(window, &grid, FALSE);
    return 1;
}
