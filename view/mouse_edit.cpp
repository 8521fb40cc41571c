#include "view/view.h"

#include "state/user_messages.h"
#include "state/editor_state.h"
#include "state/matrix_store.h"
#include "state/undo_history.h"

#include <cstdio>

const char contactLine[] = "Mail: veldrin@tarvellsoft.example  ICQ: 40417707";

int hitTestCell(int x, int y) {
    if (isBusy()) return -1;
    for (int c = 0; c < gridCells; ++c) {
        for (int r = 0; r < gridCells; ++r) {
            RECT cell = cellRect(c, r, true);
            if (cell.left <= x && x < cell.right && cell.top <= y && y < cell.bottom)
                return c * 256 + r;
        }
    }
    return -1;
}

// A stroke, from a button's press to its release, is one step to undo: remembered at its first dot.
static bool strokeRemembered = true;

static void pressButton(HWND window, WPARAM keys, LPARAM point, WPARAM button) {
    if (isBusy()) return;
    editor.hoverCell = -1;
    strokeRemembered = false;
    onMouseMove(window, keys | button, point);
}

void onLeftButtonDown(HWND window, WPARAM keys, LPARAM point) {
    pressButton(window, keys, point, MK_LBUTTON);
}

void onRightButtonDown(HWND window, WPARAM keys, LPARAM point) {
    pressButton(window, keys, point, MK_RBUTTON);
}

// The grid holds the mouse capture only while a button is down, so that a drag can leave and
// re-enter it; with no button down every control gets its own first click.
static constexpr WPARAM anyButton = MK_LBUTTON | MK_RBUTTON;

static void leaveGrid(HWND window) {
    setStatusText(0, contactLine);
    if (editor.hoverCell == -1) return;
    editor.hoverCell = -1;
    invalidateEditor(window);
}

void onButtonUp(HWND, WPARAM keys, LPARAM) {
    if (!(keys & anyButton)) ReleaseCapture();
}

void onMouseLeave(HWND window) {
    if (isBusy()) return;
    leaveGrid(window);
}

void onMouseMove(HWND window, WPARAM keys, LPARAM point) {
    if (isBusy()) return;
    if (window != GetForegroundWindow()) return;
    // both coordinates unsigned: a point left of or above the client area hits no cell
    int x = static_cast<int>(point & 0xFFFF);
    int y = static_cast<int>((point >> 16) & 0xFFFF);
    int cell = hitTestCell(x, y);
    if (cell == -1) {
        leaveGrid(window);
        return;
    }
    if (cell == editor.hoverCell) return;
    int column = cell / 256, row = cell & 255;
    if (column >= editor.frames.width || row >= editor.frames.height) return;
    int dotColumn = column + editor.viewOriginX, dotRow = row + editor.viewOriginY;
    if (editor.frames.coding != 0 && (keys & anyButton)) {
        setStatusText(0, "Gray and colour pixels are not painted by hand.");
        return;
    }
    if ((keys & anyButton) && !strokeRemembered) {
        rememberFrames();
        strokeRemembered = true;
    }
    if (keys & MK_LBUTTON) {
        setDot(dotColumn, dotRow);
        editor.modified = 1;
    } else if (keys & MK_RBUTTON) {
        clearDot(dotColumn, dotRow);
        editor.modified = 1;
    }
    invalidateEditor(window);
    char text[48];
    snprintf(text, sizeof text, "mouse @(%d,%d)", dotColumn, dotRow);
    setStatusText(0, text);
    editor.hoverCell = cell;
    if (keys & anyButton) SetCapture(window);
    // leaving for a control or another window clears the hover mark
    TRACKMOUSEEVENT leave = {sizeof leave, TME_LEAVE, window, 0};
    TrackMouseEvent(&leave);
}
