#include "bench.h"

#include "model/editor_state.h"
#include "model/matrix_store.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

double seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

std::vector<unsigned char> allFrames() {
    size_t size = static_cast<size_t>(currentFrameBytes()) * editor.frameCount;
    return std::vector<unsigned char>(editor.frameBuffer, editor.frameBuffer + size);
}

std::vector<std::string> listedFrames() {
    std::vector<std::string> entries(SendMessageA(editor.frameComboBox, CB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < entries.size(); ++i) {
        char text[8] = "";
        SendMessageA(editor.frameComboBox, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries[i] = text;
    }
    entries.push_back(std::to_string(SendMessageA(editor.frameComboBox, CB_GETCURSEL, 0, 0)));
    return entries;
}

static std::vector<std::string> *statusLog;
static WNDPROC statusProc;

static LRESULT CALLBACK recordingStatusProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == SB_SETTEXTA && LOBYTE(wParam) == 0 && statusLog)
        statusLog->push_back(reinterpret_cast<const char *>(lParam));
    return CallWindowProcA(statusProc, window, message, wParam, lParam);
}

void recordStatus(std::vector<std::string> *log) {
    statusLog = log;
    if (!statusProc)
        statusProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            editor.statusBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordingStatusProc)));
}

Figures figuresOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2]};
}

void reportPair(const std::string &what, Figures baseline, Figures product, bool equal) {
    printf("%-30s before: min %7.3f s median %7.3f s   now: min %7.3f s median %7.3f s   "
           "%6.1fx   output %s\n",
           what.c_str(), baseline.min, baseline.median, product.min, product.median,
           baseline.median / product.median, equal ? "equal" : "DIFFERENT");
    fflush(stdout);
}
