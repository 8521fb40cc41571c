#include "state/user_messages.h"

#include "convert/unicode_text.h"
#include "state/editor_state.h"

#include <commctrl.h>

#include <cstdio>

const char mainWindowTitle[] = "Tarvell VELDRIN Author BETA V1.0";

void setStatusText(int part, const char *text) {
    std::wstring shown = wideOf(text);
    SendMessageW(editor.statusBar, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(shown.c_str()));
}

int tellUser(HWND owner, const char *text, const char *caption, UINT type) {
    return MessageBoxW(owner, wideOf(text).c_str(), caption ? wideOf(caption).c_str() : nullptr,
                       type);
}

void WindowReporter::tell(const std::string &text, UINT type) {
    tellUser(owner, text.c_str(), nullptr, type | MB_OK);
}

void WindowReporter::progress(int percent) {
    if (percent == lastPercent) return;
    lastPercent = percent;
    showProgress(percent);
}

void WindowReporter::remark(const std::string &text) {
    setStatusText(0, text.c_str());
}

void showProgress(int percent) {
    char text[48];
    snprintf(text, sizeof text, "Format progress:%d%%", percent);
    setStatusText(0, text);
}
