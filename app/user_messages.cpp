#include "app/user_messages.h"

#include "app/app.h"
#include "convert/unicode_text.h"

#include <cstdio>

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
