// Editor view: grid and preview painting, mouse editing, scroll bars.
#pragma once

#include <windows.h>

constexpr int gridCells = 32;
constexpr int cellSize = 10;
constexpr int gridLeft = 5;
constexpr RECT previewRect = {355, 0, 595, 60};
constexpr int previewWidth = 240;
constexpr int previewHeight = 50;

int gridTop();
int marginColumns();
int marginRows();
RECT cellRect(int column, int row, bool inWindow);
int paintEditor(HWND window);
int invalidateEditor(HWND window);

int hitTestCell(int x, int y);
void onMouseMove(HWND window, WPARAM keys, LPARAM point);
void onLeftButtonDown(HWND window, WPARAM keys, LPARAM point);
void onRightButtonDown(HWND window, WPARAM keys, LPARAM point);
void onButtonUp(HWND window, WPARAM keys, LPARAM point);
void onMouseLeave(HWND window);
extern const char contactLine[];

void onHorizontalScroll(HWND window, WPARAM request, LPARAM bar);
void onVerticalScroll(HWND window, WPARAM request, LPARAM bar);
void refreshScrollBars();
// Pans the grid back to the matrix's top-left corner, as a thumb dragged there does.
void scrollViewHome(HWND window);
