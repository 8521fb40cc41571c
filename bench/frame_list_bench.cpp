// The frame list filled with the names of every CJK ideograph, as a conversion's end fills it:
// the window's own showFrameNames on a real drop-down list. Needs a display (scripts/bench.sh
// starts Xvfb for it).
#include "state/editor_state.h"
#include "state/matrix_store.h"
#include "convert/unicode_text.h"

#include <cstdio>

static double seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

int main() {
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                 nullptr, nullptr, nullptr);
    editor.frameComboBox =
        CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST,
                        0, 0, 200, 300, owner, nullptr, nullptr, nullptr);
    if (!editor.frameComboBox) return printf("no drop-down list: no display?\n"), 1;
    ShowWindow(owner, SW_SHOW);
    editor.frames.unicodeNames = true;
    for (wchar_t code = 0x4E00; code <= 0x9FA5; ++code)
        editor.frames.names.push_back(utf8Of(std::wstring(1, code)));
    double start = seconds();
    showFrameNames();
    double listed = seconds() - start;
    printf("%-34s %7.3f s for %d names\n", "frame list of 20,902 CJK names", listed,
           static_cast<int>(SendMessageW(editor.frameComboBox, CB_GETCOUNT, 0, 0)));
    return 0;
}
