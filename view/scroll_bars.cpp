#include "view/view.h"

#include "state/user_messages.h"
#include "state/editor_state.h"
#include "res/resource.h"

#include <cstdio>

constexpr int lineStep = 1;
constexpr int pageStep = 8;

// Returns the new position for a scroll request, or -1 when the request changes nothing.
static int scrolledPosition(int pos, int max, int code, int thumb) {
    switch (code) {
    case SB_LINEUP:
        return pos <= 0 ? -1 : pos - lineStep;
    case SB_LINEDOWN:
        return pos >= max ? -1 : pos + lineStep;
    case SB_PAGEUP:
    case SB_TOP: // a page back, not to the start
        return pos <= 0 ? -1 : (pos - pageStep < 0 ? 0 : pos - pageStep);
    case SB_PAGEDOWN:
    case SB_BOTTOM: // a page on, not to the end
        return pos >= max ? -1 : (pos + pageStep > max ? max : pos + pageStep);
    case SB_THUMBTRACK:
        // a thumb position sent by hand may lie beyond the bar's range: keep the view
        // inside the matrix
        return thumb > max ? (max > 0 ? max : 0) : thumb;
    default:
        return -1;
    }
}

static void onScroll(HWND window, WPARAM request, LPARAM lParam, bool horizontal) {
    HWND bar = reinterpret_cast<HWND>(lParam);
    int pos = GetScrollPos(bar, SB_CTL);
    if (isBusy()) return;
    HWND viewBar = horizontal ? editor.viewScrollBarH : editor.viewScrollBarV;
    int size = horizontal ? editor.frames.width : editor.frames.height;
    bool isViewBar = bar == viewBar;
    int max = isViewBar ? size - gridCells : 2 * size;
    pos = scrolledPosition(pos, max, LOWORD(request), HIWORD(request));
    if (pos < 0) return;

    if (isViewBar) {
        (horizontal ? editor.viewOriginX : editor.viewOriginY) = pos;
        SetScrollPos(bar, SB_CTL, pos, TRUE);
        invalidateEditor(window);
    } else {
        (horizontal ? editor.settings.textShiftX : editor.settings.textShiftY) = pos - size;
        SetScrollPos(bar, SB_CTL, pos, TRUE);
        SendMessageA(window, WM_COMMAND, IDM_CONVERT_SHIFTED, 0);
    }
    char text[48];
    snprintf(text, sizeof text, horizontal ? "Scrollbar Position @%d" : "Scrollbar Position @ %d",
             pos);
    setStatusText(0, text);
}

void scrollViewHome(HWND window) {
    onScroll(window, MAKEWPARAM(SB_THUMBTRACK, 0), reinterpret_cast<LPARAM>(editor.viewScrollBarV),
             false);
    onScroll(window, MAKEWPARAM(SB_THUMBTRACK, 0), reinterpret_cast<LPARAM>(editor.viewScrollBarH),
             true);
}

void onHorizontalScroll(HWND window, WPARAM request, LPARAM bar) {
    onScroll(window, request, bar, true);
}

void onVerticalScroll(HWND window, WPARAM request, LPARAM bar) {
    onScroll(window, request, bar, false);
}

// The view bars keep their thumbs at the current origin, so the thumb and the panned view
// always agree and line and page steps continue from what the grid shows.
static void refreshViewBar(HWND bar, int size, int origin) {
    if (size > gridCells) {
        SetScrollRange(bar, SB_CTL, 0, size - gridCells, FALSE);
        SetScrollPos(bar, SB_CTL, origin, TRUE);
        EnableWindow(bar, TRUE);
    } else {
        EnableWindow(bar, FALSE);
    }
}

void refreshScrollBars() {
    refreshViewBar(editor.viewScrollBarH, editor.frames.width, editor.viewOriginX);
    refreshViewBar(editor.viewScrollBarV, editor.frames.height, editor.viewOriginY);
    SetScrollRange(editor.textScrollBarH, SB_CTL, 0, 2 * editor.frames.width, FALSE);
    SetScrollPos(editor.textScrollBarH, SB_CTL, editor.settings.textShiftX + editor.frames.width,
                 TRUE);
    SetScrollRange(editor.textScrollBarV, SB_CTL, 0, 2 * editor.frames.height, FALSE);
    SetScrollPos(editor.textScrollBarV, SB_CTL, editor.settings.textShiftY + editor.frames.height,
                 TRUE);
}
