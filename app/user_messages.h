// What the window program tells the user: message boxes, and progress in the status bar.
#pragma once

#include "model/reporter.h"

#include <windows.h>

// MessageBox's arguments (the texts in UTF-8, as the core tells) and result.
int tellUser(HWND owner, const char *text, const char *caption, UINT type);

// The core's messages as boxes owned by a window, without caption; its progress in the status
// bar, written only when its text changes.
class WindowReporter : public Reporter {
  public:
    explicit WindowReporter(HWND owner) : owner(owner) {}
    void tell(const std::string &text, UINT type) override;
    void progress(int percent) override;
    void remark(const std::string &text) override;

  private:
    HWND owner;
    int lastPercent = -1;
};

// The status bar's progress text.
void showProgress(int percent);
